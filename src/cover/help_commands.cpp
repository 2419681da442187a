#include "cover/help_commands.hpp"

#include "settings/product.hpp"
#include "settings/setting_values.hpp"
#include "settings/settings_store.hpp"
#include "shell/help_viewer.hpp"
#include "widgets/TAboutBox.hpp"

namespace obsc32 {

namespace {
constexpr char kResetQuestion[] =
    "ﾊﾞｰｼﾞｮﾝ番号削除：\nｲﾝｽﾂｰﾙｿﾌﾄを再起動させたい時に使います。\nなお、ﾊﾞｰｼﾞｮﾝが違う時は、ｲﾝｽﾂｰﾙｿﾌﾄが自動起動"
    "するので、\n"
    "ﾊﾞｰｼﾞｮﾝ番号を削除する必要無しです。\nﾊﾞｰｼﾞｮﾝ番号を削除してもよろしいですか？？？";
constexpr char kResetCancelled[] = "ﾊﾞｰｼﾞｮﾝ番号削除を中止しました・・・";
constexpr char kYearText[] = "(C) 2026";
constexpr char kHelpNotOpened[] = "ヘルプを開けませんでした・・・";

std::string ContactText() {
    std::string text = "お問い合わせは、下記へどうぞ☆☆☆\nホームページ：\n";
    for (const char* page : kMakerHomePages) text += std::string(page) + "\n";
    return text + "\n電子メール宛先：\n" + kMakerMail;
}
}  // namespace

void HelpCommands::Show(HWND owner, HelpPlace place) {
    const std::string page = run_.ProgramFolder + ProductCode + ".HTM";
    if (!ShowHelp(owner, run_.ProgramFolder + ProductCode + ".HLP", page, place))
        prompter_.Tell("[ " + page + " ]\n" + kHelpNotOpened);
}

bool HelpCommands::ResetVersion() {
    prompter_.LetMessagesRun();
    if (prompter_.AskYesNo(kResetQuestion, 6) != 6) {
        prompter_.TellTimed(kResetCancelled, 1);
        return false;
    }
    auto busy = prompter_.Busy();
    prompter_.LetMessagesRun();
    // "Version" stays, empty: the next start runs the setup.
    ClearStoredVersion();
    return true;
}

void HelpCommands::Contact() {
    prompter_.LetMessagesRun();
    prompter_.Tell(ContactText());
}

void HelpCommands::About(TAboutBoxDlg& box) {
    // The hourglass stays while the box is open.
    auto busy = prompter_.Busy();
    prompter_.LetMessagesRun();
    box.ProductName = std::string(ProductCode) + ".EXE " + ProductLongTitle;
    box.Version = AboutVersionText(ReadStoredVersion());
    box.Copyright = kYearText;
    box.Title = ProductLongTitle;
    box.Comment0 = "画面を一時的に真っ黒にするソフトです☆";
    box.Comment1 = "キャプチャー画面や壁紙にも対応☆";
    prompter_.LetMessagesRun();
    (void)box.ShowAbout();
}

void HelpCommands::AlreadyRunning(ATOM handedOver) {
    // Read while the sender waits: it deletes the atom once this returns.
    wchar_t text[256] = {};
    if (handedOver) GlobalGetAtomNameW(handedOver, text, 256);
    prompter_.TellTimed(std::string(ProductLongTitle) + "\nは、既に常駐しています☆☆☆", 0);
}

}  // namespace obsc32
