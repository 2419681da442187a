#include "widgets/TAboutBox.hpp"

#include <shellapi.h>

#include "ui/application.hpp"
#include "ui/wide.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

namespace {
// The panel's corner: the controls on it are placed from there.
constexpr int kPanelX = 11, kPanelY = 11;
}  // namespace

TAboutBox::TAboutBox() : ui::Form(nullptr, "AboutBox", "TAboutBox") {
    Border = ui::BorderStyle::Dialog;
    StayOnTop = true;
    ShowHint = true;
    FontName = "System";
    FontHeight = -13;
    FontCharset = SHIFTJIS_CHARSET;
    SetCaption("バージョン情報");
    SetColor(GetSysColor(COLOR_BTNFACE));
    RECT r{0, 0, 413, 299};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);

    Panel1.SetBounds(kPanelX, kPanelY, 389, 223);
    Panel1.Hint = "バージョン情報";
    ProgramIcon.SetBounds(kPanelX + 11, kPanelY + 11, 94, 86);
    ProgramIcon.Center = true;
    ProgramIcon.Hint = "アイコン";
    struct At {
        ui::Label* label;
        int x, y;
        const char* hint;
    };
    for (const At& at :
         {At{&ProductName, 122, 30, "よろしくね☆"}, At{&Version, 122, 63, "バージョン番号"},
          At{&Copyright, 11, 111, "制作者"}, At{&Comments, 11, 144, ""}, At{&Comment0, 88, 144, ""},
          At{&Comment1, 88, 168, ""}, At{&Comment2, 88, 192, ""}}) {
        at.label->SetBounds(kPanelX + at.x, kPanelY + at.y, at.label->Width(), at.label->Height());
        at.label->Hint = at.hint;
    }
    ColorBtn2.SetBounds(kPanelX + 288, kPanelY + 63, 100, ColorBtn2.Height());
    ColorBtn2.Hint = std::string("ホームページへアクセスする ") + kMakerHomePages[0];
    ColorBtn3.SetBounds(kPanelX + 160, kPanelY + 108, 228, ColorBtn3.Height());
    ColorBtn3.SetCaption(std::string("VANTE：") + kMakerMail);
    ColorBtn3.Hint = "製作者へ、メールを出す";
    ColorBtn1.SetBounds(154, 248, 106, 38);
    ColorBtn1.SetBevelWidth(2);
    ColorBtn1.SetDefault(true);
    ColorBtn1.Hint = "バージョン情報の終了";
    ColorBtn1.TabOrder = 0;
    ColorBtn2.TabOrder = 1;
    ColorBtn3.TabOrder = 2;

    ColorBtn1.OnClick = [this](ui::Component* s) { ColorBtn1Click(s); };
    ColorBtn2.OnClick = [this](ui::Component* s) { ColorBtn2Click(s); };
    ColorBtn3.OnClick = [this](ui::Component* s) { ColorBtn3Click(s); };
}

bool TAboutBox::FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_PAINT) FollowMainWindowColours(*this);
    return false;
}

// No button cancels: Esc closes the box as its close box does, so ShowAbout says false.
bool TAboutBox::FormDialogKey(UINT vk) {
    if (vk != VK_ESCAPE) return false;
    Close();
    return true;
}

void TAboutBox::FormShow() {
    if (HandleAllocated()) SetForegroundWindow(Handle());
}

void TAboutBox::ColorBtn1Click(ui::Component*) { ModalResult = 1; }

void TAboutBox::ColorBtn2Click(ui::Component*) {
    // No to the first page offers the second; No again does nothing.
    for (const char* page : kMakerHomePages) {
        if (MKBoxDlg1.MsgYesNoTimer(std::string("ホームページ\n") + page + "\nへアクセスしますか？", 6) != 6)
            continue;
        Open(page, "インターネットアクセスツールが、設定されていません・・・");
        return;
    }
}

void TAboutBox::ColorBtn3Click(ui::Component*) {
    Open(std::string("mailto:") + kMakerMail, "インターネットメールソフトが設定されていません・・・");
}

void TAboutBox::Open(const std::string& address, const char* failure) {
    ui::Form* main = ui::Application::Instance().MainForm();
    HWND owner = main && main->HandleAllocated() ? main->Handle() : nullptr;
    const auto started = reinterpret_cast<INT_PTR>(
        ShellExecuteW(owner, L"open", ui::Wide(address).c_str(), nullptr, nullptr, SW_SHOW));
    if (started > 31)
        ModalResult = 1;
    else
        MKBoxDlg1.MsgOKTimer(failure, 1);
}

}  // namespace obsc32
