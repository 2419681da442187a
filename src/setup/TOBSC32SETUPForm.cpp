#include "setup/TOBSC32SETUPForm.hpp"

#include <optional>

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "setup/setup_values.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/progman.hpp"
#include "ui/application.hpp"
#include "ui/busy_cursor.hpp"
#include "ui/list_box.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

namespace {
constexpr COLORREF kVanteGreen = RGB(0, 128, 0);
constexpr COLORREF kWhite = RGB(255, 255, 255);

// A system colour goes as its index with the top bit set, so stage 2 shows it in its own scheme.
std::string ColorText(COLORREF color, std::initializer_list<int> systemColors, bool system) {
    if (system)
        for (int index : systemColors)
            if (GetSysColor(index) == color) return std::to_string(static_cast<int>(0x80000000u | index));
    return std::to_string(static_cast<int>(color));
}

COLORREF ColorOf(int value) {
    return value < 0 ? GetSysColor(value & 0xFF) : static_cast<COLORREF>(value) & 0xFFFFFF;
}
}  // namespace

TOBSC32SETUPForm::TOBSC32SETUPForm(const RunContext& run)
    : ui::Form(nullptr, "OBSC32SETUPForm", kSetupClassName), run_(run) {
    SetCaption("インスツール");
    ShowInTaskbar = true;
    StayOnTop = true;
    Border = ui::BorderStyle::Dialog;
    FontName = "System";
    FontHeight = -13;
    FontCharset = SHIFTJIS_CHARSET;
    ShowHint = true;
    RECT r{0, 0, 456, 171};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);
    PlaceComponents();

    Button1.OnClick = [this](ui::Component* s) { Button1Click(s); };
    Button2.OnClick = [this](ui::Component* s) { Button2Click(s); };
    Button3.OnClick = [this](ui::Component* s) { Button3Click(s); };
    Button4.OnClick = [this](ui::Component* s) { Button4Click(s); };
    Button3.OnVisibleChange = [this](ui::Component*) { Button5.SetVisible(!Button3.Visible()); };
    CheckBoxBkColor.OnClick = [this](ui::Component* s) { CheckBoxBkColorClick(s); };
    VANTE_COLOR.OnClick = [this](ui::Component* s) { VANTE_COLORClick(s); };
    Timer1.OnTimer = [this](ui::Component* s) { Timer1Timer(s); };
    Timer2.OnTimer = [this](ui::Component* s) { Timer2Timer(s); };
    Timer3.OnTimer = [this](ui::Component* s) { Timer3Timer(s); };
    TimerErOut.OnTimer = [this](ui::Component* s) { TimerErOutTimer(s); };
}

void TOBSC32SETUPForm::PlaceComponents() {
    Label1.SetBounds(8, 8, 192, 18);
    Label2.SetBounds(8, 80, 208, 18);
    Edit1.SetBounds(8, 32, 289, 26);
    Edit1.Hint = "登録するフォルダーの設定";
    // The platform sizes the closed box by its font; the height given is the dropped list's room.
    ComboBox1.SetBounds(8, 104, 313, 200);
    ComboBox1.Hint = "登録グループ名を選びます";
    CheckBoxST.SetBounds(8, 144, 401, 17);
    CheckBoxST.SetCaption("スタートアップグループにも、アイコンを登録する。");
    VANTE_COLOR.SetBounds(360, 8, 97, 17);
    VANTE_COLOR.SetCaption("VANTE色");
    CheckBoxBkColor.SetBounds(360, 32, 73, 17);
    CheckBoxBkColor.SetCaption("標準色");
    Button4.SetBounds(296, 8, 57, 24);
    Button4.Hint = "初期値に戻す";
    Button1.SetBounds(296, 32, 57, Button1.Height());
    Button1.Hint = "既に存在するフォルダーから選択する時";
    Button2.SetBounds(368, 64, Button2.Width(), 33);
    Button2.Hint = "インスツールを中止します";
    Button2.Cancel = true;
    Button3.SetBounds(368, 104, Button3.Width(), 33);
    Button3.Hint = "現在の設定値で登録する";
    Button3.SetBevelWidth(2);
    Button3.SetDefault(true);
    Button5.SetBounds(368, 104, Button3.Width(), 33);
    // Seen only while 設定 is hidden: visible beneath it, it would be a Tab stop no one sees and a second
    // window under every click on 設定.
    Button5.Hide();
    // Only the edit and the combo box show their hints.
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&Button1, &Button2, &Button3, &Button4, &Button5})
        c->ShowHint = false;
    int order = 0;
    for (ui::Control* c :
         std::initializer_list<ui::Control*>{&Button3, &Button2, &Button5, &Button4, &Button1, &Edit1,
                                             &ComboBox1, &CheckBoxST, &VANTE_COLOR, &CheckBoxBkColor})
        c->TabOrder = order++;
}

void TOBSC32SETUPForm::FormCreate() {
    auto& app = ui::Application::Instance();
    const SetupSettings stored = ReadSetupSettings();
    // Checking a box runs its handler: with nothing stored the window comes up green.
    CheckBoxBkColor.SetChecked(stored.BackColor);
    VANTE_COLOR.SetChecked(stored.VanteColor);

    SendMessageW(Handle(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(app.Icon()));
    ProductFiles = ProductFileNames(ProductCode);
    WindowTitleBase = app.Title() + VersionText(ProgramVersion);

    const RECT b = Bounds();
    const int w = b.right - b.left, h = b.bottom - b.top;
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h);

    if (run_.StartMode != StartModes::Normal) {
        switch (run_.StartMode) {
            case StartModes::Uninstall1: (void)Timer1.SetEnabled(true); break;
            case StartModes::Uninstall2: (void)Timer2.SetEnabled(true); break;
            default: (void)TimerErOut.SetEnabled(true); break;
        }
        app.ShowMainForm = false;
        SetCaption(WindowTitleBase + " 削除");
        app.SetTitle(Caption());
        return;
    }
    SetCaption(WindowTitleBase + " 登録");
    app.SetTitle(Caption());
    Label1.SetCaption(ProductFiles[0] + Label1.Caption());
    Label2.SetCaption(ProductFiles[0] + Label2.Caption());
    app.ProcessMessages();

    DefaultFolder = DefaultInstallFolder(run_.WindowsFolder, ProductCode, stored.ExePath);
    Edit1.SetText(DefaultFolder);
    StoredGroup = stored.Group;
    app.ProcessMessages();

    DdeClientConv1.SetLink("PROGMAN", "PROGMAN");
    if (DdeClientConv1.OpenLink())
        DdeClientConv1Open();
    else
        MKBoxDlg1.MsgOK(kNoGroupListText);
    Repaint();
}

void TOBSC32SETUPForm::DdeClientConv1Open() {
    std::vector<std::string> names = RequestGroups(DdeClientConv1);
    // Program Manager takes no command while a request's conversation is open.
    DdeClientConv1.CloseLink();
    ui::SortAsListed(names);
    ArrangeGroups(names);
    ComboBox1.Clear();
    for (const std::string& name : names) ComboBox1.Add(name);
    ComboBox1.SetItemIndex(GroupRowToSelect(names, StoredGroup));
}

void TOBSC32SETUPForm::Button1Click(ui::Component*) {
    DIROPENDLG1.StandardColor = CheckBoxBkColor.Checked();
    DIROPENDLG1.Title = "登録先";
    DIROPENDLG1.Directory = Edit1.Text();
    const std::string folder = Boxes.Run(Failure::Box, [&] { return DIROPENDLG1.Execute(); });
    if (!folder.empty()) Edit1.SetText(folder);
    Edit1.SetFocus();
}

void TOBSC32SETUPForm::Button2Click(ui::Component*) {
    if (installing_) {
        MessageBeep(MB_ICONEXCLAMATION);
        return;
    }
    MKBoxDlg1.MsgOK(kCancelText);
    Repaint();
    Close();
}

void TOBSC32SETUPForm::Button3Click(ui::Component*) {
    const InstallChoices choices{Edit1.Text(), ComboBox1.Text(), CheckBoxST.Checked(),
                                 CheckBoxBkColor.Checked(), VANTE_COLOR.Checked()};
    if (const std::string refused = Installer::Refusal(choices); !refused.empty()) {
        Boxes.Show(Failure::Refusal, refused);
        Repaint();
        return;
    }
    Button3.Hide();
    bool installed = false;
    {
        ui::BusyCursor busy;
        // The install lets waiting messages run between its steps: a cancel or a close meanwhile would tell
        // the person "cancelled" while it goes on writing.
        installing_ = true;
        ui::ScopeGuard done([this] { installing_ = false; });
        Boxes.LetMessagesRun();
        // What came before a failure stays; "Version" is not written.
        installed = Boxes.Run(Failure::Box, [&] { return Install.Run(choices); });
        if (!installed) Repaint();
    }
    if (!installed) {
        Button3.Show();
        return;
    }
    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
    MKBoxDlg1.MsgOK(CompletionText(ComboBox1.Text()));
    Repaint();
    Close();
}

void TOBSC32SETUPForm::Button4Click(ui::Component*) {
    Edit1.SetText(DefaultFolder);
    Edit1.SetFocus();
}

void TOBSC32SETUPForm::CheckBoxBkColorClick(ui::Component*) {
    ui::BusyCursor busy;
    if (CheckBoxBkColor.Checked()) {
        if (VANTE_COLOR.Checked()) VANTE_COLOR.SetChecked(false);
        ComboBox1.SetColor(GetSysColor(COLOR_WINDOW));
        Edit1.SetColor(GetSysColor(COLOR_WINDOW));
    } else {
        ComboBox1.SetParentColor(true);
        Edit1.SetParentColor(true);
    }
}

void TOBSC32SETUPForm::VANTE_COLORClick(ui::Component*) {
    ui::BusyCursor busy;
    if (VANTE_COLOR.Checked()) {
        if (CheckBoxBkColor.Checked()) CheckBoxBkColor.SetChecked(false);
        SetColor(kVanteGreen);
        SetFontColor(kWhite);
    } else {
        SetColor(GetSysColor(COLOR_BTNFACE));
        SetFontColor(GetSysColor(COLOR_WINDOWTEXT));
    }
}

void TOBSC32SETUPForm::FormPaint() {
    if (VANTE_COLOR.Checked()) return;
    // Light text on a dark scheme: the face takes the window colour that goes with it.
    const bool blackText = (GetSysColor(COLOR_WINDOWTEXT) & 0xFFFFFF) == 0;
    const COLORREF face = GetSysColor(blackText ? COLOR_BTNFACE : COLOR_WINDOW);
    if (Color() != face) SetColor(face);
}

bool TOBSC32SETUPForm::FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_PAINT) FormPaint();
    return false;
}

void TOBSC32SETUPForm::EndWith(const std::string& text) {
    MKBoxDlg1.MsgOK(text);
    EndAfterBox();
}

void TOBSC32SETUPForm::EndAfterBox() {
    Repaint();
    Close();
}

HandedLook TOBSC32SETUPForm::Look() const {
    const bool system = !VANTE_COLOR.Checked();
    return {Caption(), ColorText(Color(), {COLOR_BTNFACE, COLOR_WINDOW}, system),
            ColorText(FontColor(), {COLOR_WINDOWTEXT}, system)};
}

void TOBSC32SETUPForm::Timer1Timer(ui::Component*) {
    (void)Timer1.SetEnabled(false);
    (void)Boxes.Run(Failure::Box, [&] { return Stage1.Run(Look()); });
    EndAfterBox();
}

void TOBSC32SETUPForm::Timer2Timer(ui::Component*) {
    auto& app = ui::Application::Instance();
    (void)Timer2.SetEnabled(false);
    const HandOver& handed = Stage2.Take();
    SetCaption(handed.Title);
    ApplyHandedColors(handed.Color, handed.FColor);
    if (Caption().empty()) SetCaption(StageTwoCaption(UninstallerNumber));
    app.SetTitle(Caption());
    try {
        Stage2.Begin();
        (void)Timer3.SetEnabled(true);
    } catch (const ui::Error& e) {
        // Nothing is deleted: the window says so in its standard colours and caption.
        VANTE_COLOR.SetChecked(false);
        VANTE_COLORClick(&VANTE_COLOR);
        SetCaption(StageTwoCaption(UninstallerNumber));
        app.SetTitle(Caption());
        Boxes.Show(Failure::Box, e.what());
        EndAfterBox();
    }
}

void TOBSC32SETUPForm::ApplyHandedColors(const std::string& color, const std::string& fontColor) {
    const HandedColors read = ReadHandedColors(color, fontColor);
    if (read.Color) SetColor(ColorOf(*read.Color));
    if (read.FontColor) SetFontColor(ColorOf(*read.FontColor));
}

void TOBSC32SETUPForm::Timer3Timer(ui::Component*) {
    (void)Timer3.SetEnabled(false);
    // None when it failed, told already.
    const std::optional<bool> finished =
        Boxes.Run(Failure::Box, [&] { return std::optional<bool>(Stage2.TryFinish()); });
    if (finished && !*finished) {
        (void)Timer3.SetEnabled(true);
        return;
    }
    if (finished)
        EndWith(kUninstallDone);
    else
        EndAfterBox();
}

void TOBSC32SETUPForm::TimerErOutTimer(ui::Component*) {
    (void)TimerErOut.SetEnabled(false);
    EndWith(kStillRunning);
}

bool TOBSC32SETUPForm::FormCloseQuery() {
    if (installing_) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    // An install stopped halfway leaves no hourglass behind on the way out.
    SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW)));
    return true;
}

}  // namespace obsc32
