#include "cover/TOBSCURIO32VANTE.hpp"

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "shell/sjis_path.hpp"
#include "ui/application.hpp"
#include "ui/dpi_awareness.hpp"
#include "ui/handles.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

namespace {
ui::Application& App() { return ui::Application::Instance(); }
}  // namespace

TOBSCURIO32VANTE::TOBSCURIO32VANTE(const RunContext& run)
    : ui::Form(nullptr, "OBSCURIO32VANTE", kCoverClassName), run_(run) {
    Border = ui::BorderStyle::None;
    // A scaled cover would show the screen it hides blurred, which gives it away.
    PerMonitorDpi = true;
    // Owned from its first showing (CoverOwner); should its owner be missing, an unowned tool window still
    // goes to the bottom.
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
    MICON0.OnClick = [this](ui::Component* s) { MICON0Click(s); };
    MICON_SET.OnClick = [this](ui::Component* s) { MICON_SETClick(s); };
    MICON_DEL.OnClick = MICON_SET.OnClick;
    MDESK_SET.OnClick = [this](ui::Component* s) { MDESK_SETClick(s); };
    MDESK_DEL.OnClick = MDESK_SET.OnClick;
    MHELP_MOKUJI.OnClick = [this](ui::Component* s) { MHELP_MOKUJIClick(s); };
    MHELP_KEYWORD.OnClick = [this](ui::Component* s) { MHELP_KEYWORDClick(s); };
    MHELP_VERCUT.OnClick = [this](ui::Component* s) { MHELP_VERCUTClick(s); };
    MQ_A.OnClick = [this](ui::Component* s) { MQ_AClick(s); };
    MAbout.OnClick = [this](ui::Component* s) { MAboutClick(s); };
}

TOBSCURIO32VANTE::~TOBSCURIO32VANTE() {
    // Gone before its owner is, while every member its messages reach still lives.
    DestroyHandle();
}

void TOBSCURIO32VANTE::FormCreate() {
    ClosingGuard = 0;
    // Read first: which monitors the cover takes is one of them.
    CoverSettings s = ReadCoverSettings();
    Faces.SetAllScreens(s.Screens);
    Faces.SetColorDepth(FitScreen());
    App().ProcessMessages();
    const std::string systemWallpaper = ReadSystemWallpaper();
    menuBusyFlag_ = 0;
    App().ProcessMessages();

    PS0.Checked = s.Auto;
    PS1.Enabled = PS0.Checked;
    PS1.Checked = s.Ue;
    Faces.Load(s, systemWallpaper);
    P1.Checked = s.Mue;
    P2.Checked = !P1.Checked;
    Pointer.SetEnabled(s.HidePointer);
    Icons.Locate(ReadShellFolders(), ReadProductString("Group"));

    hotKey_.emplace(ReadStoredHotKey());
    const std::optional<HotKeyChord> hotKey = hotKey_->Register(Handle());

    App().ProcessMessages();
    tray_ =
        std::make_unique<TrayIcon>(Handle(), App().Icon(), SjisLeft(HotKeyTip("真っ黒すみかげ", hotKey), 63));
    tray_->AddTrayIcon();

    App().ProcessMessages();
    App().HideTaskbarButton();

    App().ProcessMessages();
    Timer1.SetEnabled(true);
}

int TOBSCURIO32VANTE::FitScreen() {
    // Real pixels, whoever calls.
    ui::DpiAwarenessScope realPixels(ui::DpiAwarenessScope::PerMonitor);
    // Bounds only: shown or hidden, topmost or at the bottom, the cover stays as it was placed.
    screen_ = Faces.Screen();
    const ScreenRect& area = screen_.Area;
    SetBounds(area.Left, area.Top, area.Width(), area.Height());
    ui::WindowDC dc = ui::WindowDC::Of(Handle());
    return GetDeviceCaps(dc.Get(), BITSPIXEL);
}

void TOBSCURIO32VANTE::Timer1Timer(ui::Component*) {
    ui::DpiAwarenessScope asCreated(CreatorDpi());
    Timer1.SetEnabled(false);
    // The start-up placement is chosen even when the stored face is unknown: the next face follows it.
    const bool autoStart = PS0.Checked;
    if (autoStart) {
        P2.Checked = !PS1.Checked;
        App().ProcessMessages();
    }
    if (ui::MenuItem* item = FaceItem())
        item->OnClick(autoStart ? static_cast<ui::Component*>(item) : &Timer1);
    // Told once the start-up face is where it goes: the box stays above a cover on top.
    if (std::string notice = hotKey_ ? hotKey_->TakeNotice() : ""; !notice.empty()) Warn(notice);
}

ui::MenuItem* TOBSCURIO32VANTE::FaceItem() {
    ui::MenuItem* items[] = {&PKURO, &PCapChan, &PKABE};
    const int face = Faces.Face();
    return face >= 0 && face <= 2 ? items[face] : nullptr;
}

void TOBSCURIO32VANTE::HotKeyToggle() {
    // Held off as tray clicks are, while a menu or a command's box is up.
    if (menuBusyFlag_ || trayHandling_ || ClosingGuard) return;
    // A press that comes while the last one is still handled is taken after it, not inside it, or the two
    // would meet half-way.
    ++hotKeyPresses_;
    if (hotKeyBusy_) return;
    hotKeyBusy_ = true;
    ui::ScopeGuard done([this] { hotKeyBusy_ = false; });
    for (; hotKeyPresses_ > 0; --hotKeyPresses_) {
        if (Visible())
            P3Click(&P3);
        else if (ui::MenuItem* item = FaceItem())
            item->Click();
    }
}

void TOBSCURIO32VANTE::Warn(const std::string& text) {
    Boxes.Beep(0xFFFFFFFF);
    Boxes.TellTimed(text, 0);
}

void TOBSCURIO32VANTE::PKUROClick(ui::Component* sender) { Faces.ShowBlack(sender == &PKURO); }

void TOBSCURIO32VANTE::PCapChanClick(ui::Component* sender) { Faces.ShowCapture(sender == &PCapChan); }

void TOBSCURIO32VANTE::PKABEClick(ui::Component* sender) {
    FaceCommand([&] { Faces.ShowWallpaper(sender == &PKABE); });
}

void TOBSCURIO32VANTE::PGETClick(ui::Component*) { Faces.Grab(); }

void TOBSCURIO32VANTE::PHAKIClick(ui::Component*) { Faces.Discard(); }

void TOBSCURIO32VANTE::PKBLoadClick(ui::Component*) {
    FaceCommand([&] {
        if (Faces.UseSystemWallpaper()) Faces.ShowWallpaper(true);
    });
}

void TOBSCURIO32VANTE::PBmpLoadClick(ui::Component*) {
    FaceCommand([&] { Faces.LoadBmpFile(Visible() ? Handle() : nullptr); });
}

void TOBSCURIO32VANTE::PKG0Click(ui::Component* sender) {
    FaceCommand([&] { Faces.ChoosePosition(*static_cast<ui::MenuItem*>(sender)); });
}

void TOBSCURIO32VANTE::PLHARIGAMIClick(ui::Component*) {
    try {
        Faces.PasteAsWallpaper();
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
    }
}

void TOBSCURIO32VANTE::PL0Click(ui::Component* sender) {
    Placement.PreferTop();
    App().ProcessMessages();
    if (sender == &PL0)
        PKUROClick(&PKURO);
    else if (sender == &PL1)
        PCapChanClick(&PCapChan);
    else if (sender == &PL2)
        PKABEClick(&PKABE);
}

void TOBSCURIO32VANTE::P1Click(ui::Component*) { Placement.OnTop(); }

void TOBSCURIO32VANTE::P2Click(ui::Component*) { Placement.AtBottom(); }

void TOBSCURIO32VANTE::P3Click(ui::Component*) { Placement.Restore(); }

void TOBSCURIO32VANTE::PS0Click(ui::Component* sender) {
    auto* item = static_cast<ui::MenuItem*>(sender);
    item->Checked = !item->Checked;
    if (item == &PS0) PS1.Enabled = PS0.Checked;
}

void TOBSCURIO32VANTE::PXClick(ui::Component*) { Close(); }

void TOBSCURIO32VANTE::FormMouseDown(ui::Component*, ui::MouseButton button, int x, int y) {
    Placement.KeepDown();
    if (button == ui::MouseButton::Right && InRestoreCorner(screen_, x, y)) Placement.Restore();
}

void TOBSCURIO32VANTE::MICON0Click(ui::Component*) {
    // Never stored: the files say whether the icons are there, each time the submenu opens.
    MDESK_SET.Visible = !Icons.OnDesktop();
    MDESK_DEL.Visible = !MDESK_SET.Visible;
    MICON_SET.Visible = !Icons.InStartup();
    MICON_DEL.Visible = !MICON_SET.Visible;
}

void TOBSCURIO32VANTE::MICON_SETClick(ui::Component* sender) {
    menuBusyFlag_ = -1;
    ui::ScopeGuard idle([this] { menuBusyFlag_ = 0; });
    try {
        Icons.Startup(sender == &MICON_SET);
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
    }
}

void TOBSCURIO32VANTE::MDESK_SETClick(ui::Component* sender) {
    auto busy = Boxes.Busy();
    menuBusyFlag_ = -1;
    ui::ScopeGuard idle([this] { menuBusyFlag_ = 0; });
    try {
        Icons.Desktop(sender == &MDESK_SET);
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
    }
}

void TOBSCURIO32VANTE::MHELP_MOKUJIClick(ui::Component*) { Help.Contents(Handle()); }

void TOBSCURIO32VANTE::MHELP_KEYWORDClick(ui::Component*) { Help.Keywords(Handle()); }

void TOBSCURIO32VANTE::MHELP_VERCUTClick(ui::Component*) {
    {
        menuBusyFlag_ = 1;
        ui::ScopeGuard free([&] { menuBusyFlag_ = 0; });
        // A failed write goes to the standard error report, which the dispatch shows.
        (void)Help.ResetVersion();
    }
    Repaint();
}

void TOBSCURIO32VANTE::MQ_AClick(ui::Component*) {
    {
        menuBusyFlag_ = 1;
        ui::ScopeGuard free([&] { menuBusyFlag_ = 0; });
        Help.Contact();
    }
    Repaint();
}

void TOBSCURIO32VANTE::MAboutClick(ui::Component*) {
    menuBusyFlag_ = 1;
    ui::ScopeGuard free([&] { menuBusyFlag_ = 0; });
    try {
        Help.About(AboutBoxDlg1);
    } catch (const ui::Error& e) {
        MKBoxDlg1.MsgOK(e.what());
    }
}

void TOBSCURIO32VANTE::PopupMenu1Popup(ui::Component*) {
    App().ProcessMessages();
    menuBusyFlag_ = 0;
}

void TOBSCURIO32VANTE::TrayNotify(LPARAM mouseMessage) {
    if (menuBusyFlag_ || trayHandling_) return;
    ui::MenuItem* chosen = nullptr;
    {
        trayHandling_ = true;
        ui::ScopeGuard reset([this] { trayHandling_ = false; });
        App().ProcessMessages();
        POINT pt{};
        GetCursorPos(&pt);
        ui::PopupMenu* menu = mouseMessage == WM_LBUTTONDOWN   ? &PopupMenu2
                              : mouseMessage == WM_RBUTTONDOWN ? &PopupMenu1
                                                               : nullptr;
        if (!menu) return;
        menuBusyFlag_ = -1;
        App().ProcessMessages();
        // The hidden application window owns the menu, so opening it never raises a bottom cover.
        chosen = menu->Track(pt.x, pt.y, App().Handle());
    }
    // The command runs after the callback has finished, as it would from a posted menu command.
    if (chosen) chosen->Click();
}

bool TOBSCURIO32VANTE::FormCloseQuery() {
    ui::DpiAwarenessScope asCreated(CreatorDpi());
    App().ProcessMessages();
    if (ClosingGuard != 0) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    ClosingGuard = 1;
    App().ProcessMessages();
    try {
        if (tray_) tray_->RemoveTrayIcon();
        if (hotKey_) hotKey_->Release();
        App().ProcessMessages();
        tray_.reset();
        CoverSettings s;
        s.Auto = PS0.Checked;
        s.Ue = PS1.Checked;
        s.Mue = P1.Checked;
        Faces.Save(s);
        WriteCoverSettings(s);
        if (const std::optional<std::string> hotKey = hotKey_ ? hotKey_->Written() : std::nullopt)
            WriteHotKey(*hotKey);
    } catch (const std::exception& e) {
        // Told while the guard still refuses another close; the program closes all the same, with whatever
        // was written before the failure.
        Warn(std::string("設定の保存に失敗しました・・・\n") + e.what());
        ClosingGuard = 0;
    }
    return true;
}

bool TOBSCURIO32VANTE::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The system hands the cover its messages in real pixels. Its commands go back to the awareness it was
    // created in, so that the menus and boxes they open are made and placed like the other forms; the screen
    // reads they need are in real pixels of themselves.
    if (Pointer.OnMessage(msg, lParam, result)) return true;
    switch (msg) {
        case WM_TRAY_NOTIFY: {
            ui::DpiAwarenessScope asCreated(CreatorDpi());
            TrayNotify(lParam);
            result = 0;
            return true;
        }
        case WM_SECOND_START: {
            ui::DpiAwarenessScope asCreated(CreatorDpi());
            // The forwarded arguments are read but not acted upon; the sender waits for the box.
            char text[258] = {};
            if (wParam) GlobalGetAtomNameA(static_cast<ATOM>(wParam), text, sizeof text);
            MKBoxDlg1.MsgOKTimer(std::string(ProductLongTitle) + "\nは、既に常駐しています☆☆☆", 0);
            result = 0;
            return true;
        }
        case WM_HOTKEY:
            if (wParam == CoverHotKey::kId && hotKey_) {
                ui::DpiAwarenessScope asCreated(CreatorDpi());
                HotKeyToggle();
            }
            result = 0;
            return true;
        case WM_DISPLAYCHANGE:
            // The display's size, depth or monitors changed: the cover and its face follow.
            Faces.ScreenChanged(FitScreen());
            Image1.Invalidate();
            result = 0;
            return true;
        default: return false;
    }
}

}  // namespace obsc32
