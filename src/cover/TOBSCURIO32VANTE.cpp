#include "cover/TOBSCURIO32VANTE.hpp"

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "ui/application.hpp"
#include "ui/dpi_awareness.hpp"

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

    for (ui::MenuItem* item : Menus.P_KABE0.Items) item->OnClick = [this](ui::Component* s) { PKG0Click(s); };
    Menus.PKURO.OnClick = [this](ui::Component* s) { PKUROClick(s); };
    Menus.PCapChan.OnClick = [this](ui::Component* s) { PCapChanClick(s); };
    Menus.PKABE.OnClick = [this](ui::Component* s) { PKABEClick(s); };
    Menus.P1.OnClick = [this](ui::Component* s) { P1Click(s); };
    Menus.P2.OnClick = [this](ui::Component* s) { P2Click(s); };
    Menus.P3.OnClick = [this](ui::Component* s) { P3Click(s); };
    Menus.PS0.OnClick = [this](ui::Component* s) { PS0Click(s); };
    Menus.PS1.OnClick = Menus.PS0.OnClick;
    Menus.PX.OnClick = [this](ui::Component* s) { PXClick(s); };
    Menus.PGET.OnClick = [this](ui::Component* s) { PGETClick(s); };
    Menus.PHAKI.OnClick = [this](ui::Component* s) { PHAKIClick(s); };
    Menus.PKBLoad.OnClick = [this](ui::Component* s) { PKBLoadClick(s); };
    Menus.PBmpLoad.OnClick = [this](ui::Component* s) { PBmpLoadClick(s); };
    Menus.PLHARIGAMI.OnClick = [this](ui::Component* s) { PLHARIGAMIClick(s); };
    Menus.PL0.OnClick = [this](ui::Component* s) { PL0Click(s); };
    Menus.PL1.OnClick = Menus.PL2.OnClick = Menus.PL0.OnClick;
    Menus.PopupMenu1.OnPopup = [this](ui::Component* s) { PopupMenu1Popup(s); };
    Menus.PopupMenu2.OnPopup = Menus.PopupMenu1.OnPopup;
    Menus.MICON0.OnClick = [this](ui::Component* s) { MICON0Click(s); };
    Menus.MICON_SET.OnClick = [this](ui::Component* s) { MICON_SETClick(s); };
    Menus.MICON_DEL.OnClick = Menus.MICON_SET.OnClick;
    Menus.MDESK_SET.OnClick = [this](ui::Component* s) { MDESK_SETClick(s); };
    Menus.MDESK_DEL.OnClick = Menus.MDESK_SET.OnClick;
    Menus.MHELP_MOKUJI.OnClick = [this](ui::Component* s) { MHELP_MOKUJIClick(s); };
    Menus.MHELP_KEYWORD.OnClick = [this](ui::Component* s) { MHELP_KEYWORDClick(s); };
    Menus.MHELP_VERCUT.OnClick = [this](ui::Component* s) { MHELP_VERCUTClick(s); };
    Menus.MQ_A.OnClick = [this](ui::Component* s) { MQ_AClick(s); };
    Menus.MAbout.OnClick = [this](ui::Component* s) { MAboutClick(s); };
}

TOBSCURIO32VANTE::~TOBSCURIO32VANTE() {
    // Gone before its owner is, while every member its messages reach still lives.
    DestroyHandle();
}

void TOBSCURIO32VANTE::FormCreate() {
    // Read first: which monitors the cover takes is one of them.
    CoverSettings s = ReadCoverSettings();
    Faces.SetScreens(ParseScreens(s.Screens));
    Follow.Begin();
    LetMessagesRun();
    const std::string systemWallpaper = ReadSystemWallpaper();
    LetMessagesRun();

    Model.Load(s);
    Faces.Load(s, systemWallpaper);
    Pointer.SetEnabled(s.HidePointer);
    Icons.Locate(ReadShellFolders(), ReadProductString("Group"));

    Reach.Start(Handle(), App().Icon());

    LetMessagesRun();
    App().HideTaskbarButton();

    LetMessagesRun();
    Timer1.SetEnabled(true);
}

void TOBSCURIO32VANTE::Timer1Timer(ui::Component*) {
    ui::DpiAwarenessScope asCreated(CreatorDpi());
    Timer1.SetEnabled(false);
    Model.StartUp();
    // Off the road to the first window.
    Follow.ListenToSession();
    // Told once the start-up face is where it goes: the box stays above a cover on top.
    if (const std::string notice = Reach.TakeNotice(); !notice.empty()) Boxes.Warn(notice);
}

void TOBSCURIO32VANTE::PBmpLoadClick(ui::Component*) {
    Boxes.Run(Failure::Warning, [&] {
        Faces.PickBmpFile(Visible() ? Handle() : nullptr);
        Model.ChooseFace(2, true);
    });
}

void TOBSCURIO32VANTE::PLHARIGAMIClick(ui::Component*) {
    Boxes.Run(Failure::Box, [&] {
        Faces.PasteAsWallpaper();
        // The new desktop wallpaper shows.
        Model.Restore();
    });
}

void TOBSCURIO32VANTE::MICON_SETClick(ui::Component* sender) {
    auto hold = Model.HoldForCommand();
    Boxes.Run(Failure::Box, [&] { Icons.Startup(sender == &Menus.MICON_SET); });
}

void TOBSCURIO32VANTE::MDESK_SETClick(ui::Component* sender) {
    auto busy = Boxes.Busy();
    auto hold = Model.HoldForCommand();
    Boxes.Run(Failure::Box, [&] { Icons.Desktop(sender == &Menus.MDESK_SET); });
}

void TOBSCURIO32VANTE::MHELP_VERCUTClick(ui::Component*) {
    // Reported once the command has let the tray go.
    Boxes.Run(Failure::Report, [&] {
        auto hold = Model.HoldForCommand();
        (void)Help.ResetVersion();
    });
    Repaint();
}

void TOBSCURIO32VANTE::MQ_AClick(ui::Component*) {
    {
        auto hold = Model.HoldForCommand();
        Help.Contact();
    }
    Repaint();
}

void TOBSCURIO32VANTE::MAboutClick(ui::Component*) {
    auto hold = Model.HoldForCommand();
    Boxes.Run(Failure::Box, [&] { Help.About(AboutBoxDlg1); });
}

bool TOBSCURIO32VANTE::FormCloseQuery() {
    ui::DpiAwarenessScope asCreated(CreatorDpi());
    LetMessagesRun();
    if (!Model.BeginClose()) {
        MessageBeep(MB_ICONEXCLAMATION);
        return false;
    }
    LetMessagesRun();
    if (const std::string failure = WriteAtEnd(); !failure.empty()) {
        // Told while the close still refuses another; the program closes all the same, with whatever was
        // written before the failure.
        Boxes.Warn("設定の保存に失敗しました・・・\n" + failure);
        Model.CloseFailed();
    }
    return true;
}

void TOBSCURIO32VANTE::EndSession() {
    // What the close writes, written now; a failure goes untold, as no one is left to answer a box.
    if (Model.BeginClose()) (void)WriteAtEnd();
}

std::string TOBSCURIO32VANTE::WriteAtEnd() {
    try {
        Reach.Stop();
        CoverSettings s;
        Model.Save(s);
        Faces.Save(s);
        WriteCoverSettings(s);
        if (const std::optional<std::string> key = Reach.KeyWritten()) WriteHotKey(*key);
        return {};
    } catch (const std::exception& e) {
        return e.what();
    }
}

bool TOBSCURIO32VANTE::FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    // The system hands the cover its messages in real pixels. Its commands go back to the awareness it was
    // created in, so that the menus and boxes they open are made and placed like the other forms; the screen
    // reads they need are in real pixels of themselves.
    if (Pointer.OnMessage(msg, lParam, result) || Follow.OnMessage(msg, wParam, result)) return true;
    switch (msg) {
        case WM_TRAY_NOTIFY: {
            ui::DpiAwarenessScope asCreated(CreatorDpi());
            Model.TrayClicked(ButtonOf(lParam));
            break;
        }
        case WM_SECOND_START: {
            ui::DpiAwarenessScope asCreated(CreatorDpi());
            Help.AlreadyRunning(static_cast<ATOM>(wParam));
            break;
        }
        case WM_HOTKEY:
            if (Reach.IsKey(wParam)) {
                ui::DpiAwarenessScope asCreated(CreatorDpi());
                Model.KeyPressed();
            }
            break;
        case WM_QUERYENDSESSION:
            // Answered at once, whatever box or menu is up: nothing the cover holds is lost at the end.
            result = TRUE;
            return true;
        case WM_ENDSESSION:
            if (wParam) EndSession();
            break;
        default:
            if (!Reach.IsShellRestart(msg)) return false;
            Reach.ShellRestarted();
    }
    result = 0;
    return true;
}

}  // namespace obsc32
