#include "cover/TOBSCURIO32VANTE.hpp"

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "shell/sjis_path.hpp"
#include "shell/windir.hpp"
#include "ui/application.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

namespace {
ui::Application& App() { return ui::Application::Instance(); }
}  // namespace

TOBSCURIO32VANTE::TOBSCURIO32VANTE() : ui::Form(nullptr, "OBSCURIO32VANTE", kCoverClassName) {
    Border = ui::BorderStyle::None;
    OwnerHandle = owner_.Handle();
    // Should its owner be missing, an unowned tool window still goes to the bottom.
    OwnedByApplication = false;
    SetColor(RGB(0, 0, 0));
    SetFontColor(RGB(255, 255, 255));
    SetCaption(kCoverClassName);

    Image1.Align = ui::Align::Client;
    Image1.Stretch = true;
    Image1.Center = false;
    auto mouseDown = [this](ui::Component* s, ui::MouseButton b, int x, int y) { FormMouseDown(s, b, x, y); };
    Image1.OnMouseDown = mouseDown;
    OnMouseDown = mouseDown;
    Timer1.OnTimer = [this](ui::Component* s) { Timer1Timer(s); };

    P_KABE0.Add({&PKG0, &PKG1, &PKG2, &PKG3, &PKG4, &PKG5, &PKG6});
    int tag = 0;
    for (ui::MenuItem* item : P_KABE0.Items) {
        item->Tag = tag++;
        item->OnClick = [this](ui::Component* s) { PKG0Click(s); };
    }
    MICON0.Add({&MICON_SET, &MICON_DEL, &N11, &MDESK_SET, &MDESK_DEL});
    MHelp0.Add({&MHELP_MOKUJI, &MHELP_KEYWORD, &N12, &MHELP_VERCUT, &N13, &MQ_A, &MAbout});
    PopupMenu1.Items.Add({&PKURO, &PCapChan, &PKABE,  &N1,      &P1,     &P2,      &N2,       &P3,  &N3,
                          &PGET,  &PHAKI,    &N4,     &P_KABE0, &N5,     &PKBLoad, &PBmpLoad, &N6,  &PS0,
                          &PS1,   &N7,       &MICON0, &N8,      &MHelp0, &N9,      &PX,       &N10, &POUT});
    PopupMenu2.Items.Add({&PL0, &PL1, &PL2, &N21, &PLHARIGAMI, &N22, &PLOUT});

    PKURO.OnClick = [this](ui::Component* s) { PKUROClick(s); };
    PCapChan.OnClick = [this](ui::Component* s) { PCapChanClick(s); };
    PKABE.OnClick = [this](ui::Component* s) { PKABEClick(s); };
    P1.OnClick = [this](ui::Component* s) { P1Click(s); };
    P2.OnClick = [this](ui::Component* s) { P2Click(s); };
    P3.OnClick = [this](ui::Component* s) { P3Click(s); };
    PS0.OnClick = [this](ui::Component* s) { PS0Click(s); };
    PS1.OnClick = PS0.OnClick;
    PX.OnClick = [this](ui::Component* s) { PXClick(s); };
    PGET.OnClick = [this](ui::Component* s) { PGETClick(s); };
    PHAKI.OnClick = [this](ui::Component* s) { PHAKIClick(s); };
    PKBLoad.OnClick = [this](ui::Component* s) { PKBLoadClick(s); };
    PBmpLoad.OnClick = [this](ui::Component* s) { PBmpLoadClick(s); };
    PLHARIGAMI.OnClick = [this](ui::Component* s) { PLHARIGAMIClick(s); };
    PL0.OnClick = [this](ui::Component* s) { PL0Click(s); };
    PL1.OnClick = PL2.OnClick = PL0.OnClick;
    PopupMenu1.OnPopup = [this](ui::Component* s) { PopupMenu1Popup(s); };
    PopupMenu2.OnPopup = PopupMenu1.OnPopup;
    WireIconMenu();
    WireHelpMenu();
}

TOBSCURIO32VANTE::~TOBSCURIO32VANTE() {
    // Gone before its owner is, while every member its messages reach still lives.
    DestroyHandle();
}

void TOBSCURIO32VANTE::FormCreate() {
    ClosingGuard = 0;
    FitScreen();
    App().ProcessMessages();

    WallpaperImagePath = ReadSystemWallpaper();
    PKBLoad.Caption = "壁紙ﾛｰﾄﾞ " + WallpaperImagePath;

    MenuBusyFlag = 0;
    App().ProcessMessages();

    CoverSettings s = ReadCoverSettings();
    PS0.Checked = s.Auto;
    PS1.Enabled = PS0.Checked;
    PS1.Checked = s.Ue;
    CurrentPositionItem = P_KABE0.Items[s.Ichi];
    CurrentPositionItem->Checked = true;
    BmpFilePath = s.BmpFile;
    PBmpLoad.Caption = "BMPﾛｰﾄﾞ " + BmpFilePath;
    PKBLoad.Checked = s.Kabe;
    PBmpLoad.Checked = !PKBLoad.Checked;
    if (!PKBLoad.Checked || WallpaperImagePath.empty()) {
        PKBLoad.Checked = false;
        PBmpLoad.Checked = true;
        WallpaperImagePath = BmpFilePath;
    }
    Face = s.Mode;
    P1.Checked = s.Mue;
    P2.Checked = !P1.Checked;

    CaptureBitmap.reset();
    PHAKI.Checked = true;

    std::string group = ReadProductString("Group");
    ShellFolders folders = ReadShellFolders();
    ProgramsShortcutPath = YenAdd(folders.Programs + "\\" + group) + std::string(ProductLongTitle) + ".lnk";
    DesktopShortcutPath = YenAdd(folders.Desktop) + std::string(ProductLongTitle) + ".lnk";
    StartupShortcutPath = YenAdd(folders.Startup) + std::string(ProductLongTitle) + ".lnk";

    App().ProcessMessages();
    tray_ = std::make_unique<TrayIcon>(Handle(), App().Icon(), SjisLeft("真っ黒すみかげ", 63));
    tray_->AddTrayIcon();

    App().ProcessMessages();
    App().HideTaskbarButton();

    App().ProcessMessages();
    Timer1.SetEnabled(true);
}

void TOBSCURIO32VANTE::Timer1Timer(ui::Component*) {
    Timer1.SetEnabled(false);
    // The start-up placement is chosen even when the stored face is unknown: the next face follows it.
    const bool autoStart = PS0.Checked;
    if (autoStart) {
        P2.Checked = !PS1.Checked;
        App().ProcessMessages();
    }
    if (Face < 0 || Face > 2) return;
    ui::MenuItem* faceItems[] = {&PKURO, &PCapChan, &PKABE};
    ui::MenuItem* item = faceItems[Face];
    item->OnClick(autoStart ? static_cast<ui::Component*>(item) : &Timer1);
}

void TOBSCURIO32VANTE::SelectFace(int face, ui::MenuItem& item) {
    Face = face;
    PKURO.Checked = &item == &PKURO;
    PCapChan.Checked = &item == &PCapChan;
    PKABE.Checked = &item == &PKABE;
}

void TOBSCURIO32VANTE::PKUROClick(ui::Component* sender) {
    SelectFace(0, PKURO);
    faces_.ShowBlack();
    App().ProcessMessages();
    if (sender == &PKURO) PlaceCover();
}

void TOBSCURIO32VANTE::PCapChanClick(ui::Component* sender) {
    if (PHAKI.Checked && sender != &PHAKI) {
        PGET.Checked = true;
        PHAKI.Checked = false;
        App().ProcessMessages();
        GrabScreen();
    }
    SelectFace(1, PCapChan);
    faces_.ShowCapture(CaptureBitmap);
    App().ProcessMessages();
    if (sender == &PCapChan || sender == &PHAKI) PlaceCover();
}

void TOBSCURIO32VANTE::GrabScreen() {
    App().ProcessMessages();
    CaptureBitmap = faces_.GrabScreen(ColorDepth);
}

void TOBSCURIO32VANTE::PGETClick(ui::Component*) {
    PHAKI.Checked = true;
    App().ProcessMessages();
    PCapChanClick(&PCapChan);
}

void TOBSCURIO32VANTE::PHAKIClick(ui::Component*) {
    PGET.Checked = false;
    PHAKI.Checked = true;
    App().ProcessMessages();
    CaptureBitmap.reset();
    App().ProcessMessages();
    PCapChanClick(&PHAKI);
}

void TOBSCURIO32VANTE::Tell(const std::string& text) {
    MessageBeep(0xFFFFFFFF);
    MKBoxDlg1.MsgOKTimer(text, 0);
}

void TOBSCURIO32VANTE::PKABEClick(ui::Component* sender) {
    SelectFace(2, PKABE);
    App().ProcessMessages();
    try {
        faces_.ShowWallpaper(WallpaperImagePath, Position(), ColorDepth);
    } catch (const ui::Error& e) {
        // The face and the position stay chosen; the cover is neither shown nor moved.
        Tell(e.what());
        return;
    }
    App().ProcessMessages();
    if (sender == &PKABE) PlaceCover();
}

void TOBSCURIO32VANTE::PKBLoadClick(ui::Component* sender) {
    App().ProcessMessages();
    std::string wallpaper = ReadSystemWallpaper();
    App().ProcessMessages();
    if (wallpaper.empty()) return;
    PKBLoad.Checked = true;
    PBmpLoad.Checked = false;
    WallpaperImagePath = wallpaper;
    PKBLoad.Caption = "壁紙ﾛｰﾄﾞ " + wallpaper;
    App().ProcessMessages();
    if (sender == &PKBLoad) PKABEClick(&PKABE);
}

void TOBSCURIO32VANTE::PBmpLoadClick(ui::Component*) {
    std::string chosen = AskForBmpFile(OpenDialog1, BmpFilePath, Visible() ? Handle() : nullptr);
    if (chosen.empty()) {
        if (BmpFilePath.empty()) {
            Tell("ＢＭＰロードを、中止しました・・・");
            return;
        }
        chosen = BmpFilePath;
    }
    App().ProcessMessages();
    PKBLoad.Checked = false;
    PBmpLoad.Checked = true;
    WallpaperImagePath = chosen;
    BmpFilePath = chosen;
    PBmpLoad.Caption = "BMPﾛｰﾄﾞ " + chosen;
    App().ProcessMessages();
    PKABEClick(&PKABE);
}

void TOBSCURIO32VANTE::PLHARIGAMIClick(ui::Component*) {
    try {
        faces_.PasteAsDesktopWallpaper(WinDir + "WALLOB$$.BMP");
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
        return;
    }
    // The new desktop wallpaper shows.
    P3Click(&P3);
}

void TOBSCURIO32VANTE::PL0Click(ui::Component* sender) {
    P2.Checked = false;
    App().ProcessMessages();
    if (sender == &PL0)
        PKUROClick(&PKURO);
    else if (sender == &PL1)
        PCapChanClick(&PCapChan);
    else if (sender == &PL2)
        PKABEClick(&PKABE);
}

void TOBSCURIO32VANTE::PlaceCover() {
    App().ProcessMessages();
    if (P2.Checked)
        P2Click(&P2);
    else
        P1Click(&P1);
}

void TOBSCURIO32VANTE::P1Click(ui::Component*) {
    P3.Enabled = true;
    P1.Checked = true;
    P2.Checked = false;
    // Shown already on top: one restacking before the first paint, not two.
    SetWindowPos(Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    PaintNow();
    SetForegroundWindow(Handle());
}

void TOBSCURIO32VANTE::P2Click(ui::Component*) {
    P3.Enabled = true;
    P2.Checked = true;
    P1.Checked = false;
    // Shown at the bottom, unactivated: it covers nothing on the way. A first show's restacking is undone.
    SinkToBottom(SWP_SHOWWINDOW);
    PaintNow();
    App().ProcessMessages();
    // A command handled meanwhile (top placement, restore) has the last word.
    if (P2.Checked && IsWindowVisible(Handle())) SinkToBottom(0);
}

void TOBSCURIO32VANTE::SinkToBottom(UINT extraFlags) {
    owner_.SendToBottom();
    SetWindowPos(Handle(), HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | extraFlags);
}

void TOBSCURIO32VANTE::P3Click(ui::Component*) {
    Hide();
    P3.Enabled = false;
}

void TOBSCURIO32VANTE::PKG0Click(ui::Component* sender) {
    CurrentPositionItem->Checked = false;
    auto* item = static_cast<ui::MenuItem*>(sender);
    item->Checked = true;
    CurrentPositionItem = item;
    App().ProcessMessages();
    PKABEClick(&PKABE);
}

void TOBSCURIO32VANTE::PS0Click(ui::Component* sender) {
    auto* item = static_cast<ui::MenuItem*>(sender);
    item->Checked = !item->Checked;
    if (item == &PS0) PS1.Enabled = PS0.Checked;
}

void TOBSCURIO32VANTE::PXClick(ui::Component*) { Close(); }

void TOBSCURIO32VANTE::FormMouseDown(ui::Component*, ui::MouseButton button, int x, int y) {
    // A click activates a bottom cover and so raises it; put it back.
    if (P2.Checked) SinkToBottom(0);
    if (button == ui::MouseButton::Right && x < 20 && y < 20) P3Click(&P3);
}

void TOBSCURIO32VANTE::PopupMenu1Popup(ui::Component*) {
    App().ProcessMessages();
    MenuBusyFlag = 0;
}

void TOBSCURIO32VANTE::TrayNotify(LPARAM mouseMessage) {
    if (MenuBusyFlag || TrayHandling) return;
    ui::MenuItem* chosen = nullptr;
    {
        TrayHandling = true;
        ui::ScopeGuard reset([this] { TrayHandling = false; });
        App().ProcessMessages();
        POINT pt{};
        GetCursorPos(&pt);
        ui::PopupMenu* menu = mouseMessage == WM_LBUTTONDOWN   ? &PopupMenu2
                              : mouseMessage == WM_RBUTTONDOWN ? &PopupMenu1
                                                               : nullptr;
        if (!menu) return;
        MenuBusyFlag = -1;
        App().ProcessMessages();
        // The hidden application window owns the menu, so opening it never raises a bottom cover.
        chosen = menu->Track(pt.x, pt.y, App().Handle());
    }
    // The command runs after the callback has finished, as it would from a posted menu command.
    if (chosen) chosen->Click();
}

bool TOBSCURIO32VANTE::FormCloseQuery() {
    App().ProcessMessages();
    if (ClosingGuard != 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    ClosingGuard = 1;
    App().ProcessMessages();
    try {
        if (tray_) tray_->RemoveTrayIcon();
        App().ProcessMessages();
        CaptureBitmap.reset();
        App().ProcessMessages();
        tray_.reset();
        WriteCoverSettings({.Auto = PS0.Checked,
                            .Ue = PS1.Checked,
                            .Ichi = CurrentPositionItem->Tag,
                            .BmpFile = BmpFilePath,
                            .Kabe = PKBLoad.Checked,
                            .Mode = Face,
                            .Mue = P1.Checked});
    } catch (const std::exception& e) {
        // Told while the guard still refuses another close; the program closes all the same, with whatever
        // was written before the failure.
        Tell(std::string("設定の保存に失敗しました・・・\n") + e.what());
        ClosingGuard = 0;
    }
    return true;
}

bool TOBSCURIO32VANTE::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_TRAY_NOTIFY:
            TrayNotify(lParam);
            result = 0;
            return true;
        case WM_SECOND_START: {
            // The forwarded arguments are read but not acted upon; the sender waits for the box.
            char text[258] = {};
            if (wParam) GlobalGetAtomNameA(static_cast<ATOM>(wParam), text, sizeof text);
            MKBoxDlg1.MsgOKTimer(std::string(ProductLongTitle) + "\nは、既に常駐しています☆☆☆", 0);
            result = 0;
            return true;
        }
        case WM_DISPLAYCHANGE:
            DisplayChanged();
            result = 0;
            return true;
        default: return false;
    }
}

}  // namespace obsc32
