// The help submenu: the help file, the version-number reset, the contact notice and the about box.
#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "settings/setting_values.hpp"
#include "settings/settings_store.hpp"
#include "ui/application.hpp"
#include "ui/busy_cursor.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TAboutBox.hpp"

namespace obsc32 {

namespace {
constexpr char kResetQuestion[] =
    "ﾊﾞｰｼﾞｮﾝ番号削除：\nｲﾝｽﾂｰﾙｿﾌﾄを再起動させたい時に使います。\nなお、ﾊﾞｰｼﾞｮﾝが違う時は、ｲﾝｽﾂｰﾙｿﾌﾄが自動起動"
    "するので、\n"
    "ﾊﾞｰｼﾞｮﾝ番号を削除する必要無しです。\nﾊﾞｰｼﾞｮﾝ番号を削除してもよろしいですか？？？";
constexpr char kResetCancelled[] = "ﾊﾞｰｼﾞｮﾝ番号削除を中止しました・・・";
constexpr char kYearText[] = "(C) 2026";

std::string HelpFile() { return ExeFolder + ProductCode + ".HLP"; }

std::string ContactText() {
    std::string text = "お問い合わせは、下記へどうぞ☆☆☆\nホームページ：\n";
    for (const char* page : kMakerHomePages) text += std::string(page) + "\n";
    return text + "\n電子メール宛先：\n" + kMakerMail;
}
}  // namespace

void TOBSCURIO32VANTE::WireHelpMenu() {
    MHELP_MOKUJI.OnClick = [this](ui::Component* s) { MHELP_MOKUJIClick(s); };
    MHELP_KEYWORD.OnClick = [this](ui::Component* s) { MHELP_KEYWORDClick(s); };
    MHELP_VERCUT.OnClick = [this](ui::Component* s) { MHELP_VERCUTClick(s); };
    MQ_A.OnClick = [this](ui::Component* s) { MQ_AClick(s); };
    MAbout.OnClick = [this](ui::Component* s) { MAboutClick(s); };
}

// The viewer reports a missing help file itself.
void TOBSCURIO32VANTE::MHELP_MOKUJIClick(ui::Component*) {
    WinHelpA(Handle(), HelpFile().c_str(), HELP_CONTENTS, 0);
}

void TOBSCURIO32VANTE::MHELP_KEYWORDClick(ui::Component*) {
    WinHelpA(Handle(), HelpFile().c_str(), HELP_KEY, reinterpret_cast<ULONG_PTR>(""));
}

void TOBSCURIO32VANTE::MHELP_VERCUTClick(ui::Component*) {
    auto& app = ui::Application::Instance();
    {
        MenuBusyFlag = 1;
        ui::ScopeGuard free([&] { MenuBusyFlag = 0; });
        app.ProcessMessages();
        if (MKBoxDlg1.MsgYesNoTimer(kResetQuestion, 6) != 6) {
            MKBoxDlg1.MsgOKTimer(kResetCancelled, 1);
            Repaint();
            return;
        }
    }
    ui::BusyCursor busy;
    app.ProcessMessages();
    // "Version" stays, empty: the next start runs the setup. A failed write goes to the error report.
    ClearStoredVersion();
    Repaint();
}

void TOBSCURIO32VANTE::MQ_AClick(ui::Component*) {
    MenuBusyFlag = 1;
    ui::ScopeGuard free([&] { MenuBusyFlag = 0; });
    ui::Application::Instance().ProcessMessages();
    MKBoxDlg1.MsgOK(ContactText());
    Repaint();
}

void TOBSCURIO32VANTE::MAboutClick(ui::Component*) {
    auto& app = ui::Application::Instance();
    // The hourglass stays while the box is open.
    ui::BusyCursor busy;
    app.ProcessMessages();
    AboutBoxDlg1.ProductName = std::string(ProductCode) + ".EXE " + ProductLongTitle;
    AboutBoxDlg1.Version = AboutVersionText(ReadStoredVersion());
    AboutBoxDlg1.Copyright = kYearText;
    AboutBoxDlg1.Title = ProductLongTitle;
    AboutBoxDlg1.Comment0 = "画面を一時的に真っ黒にするソフトです☆";
    AboutBoxDlg1.Comment1 = "キャプチャー画面や壁紙にも対応☆";
    MenuBusyFlag = 1;
    ui::ScopeGuard free([&] { MenuBusyFlag = 0; });
    app.ProcessMessages();
    try {
        (void)AboutBoxDlg1.ShowAbout();
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
    }
}

}  // namespace obsc32
