// The cover: a borderless, screen-sized window that hides the screen, driven from the tray.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "cover/cover_menus.hpp"
#include "cover/cover_model.hpp"
#include "cover/cover_owner.hpp"
#include "cover/cover_placement.hpp"
#include "cover/cover_reach.hpp"
#include "cover/cover_view.hpp"
#include "cover/face_commands.hpp"
#include "cover/help_commands.hpp"
#include "cover/icon_commands.hpp"
#include "cover/pointer_hider.hpp"
#include "cover/screen_follow.hpp"
#include "cover/top_keeper.hpp"
#include "cover/tray_icon.hpp"
#include "settings/run_context.hpp"
#include "ui/application.hpp"
#include "ui/dde.hpp"
#include "ui/form.hpp"
#include "ui/handles.hpp"
#include "ui/image.hpp"
#include "ui/modal_loop.hpp"
#include "ui/open_dialog.hpp"
#include "ui/timer.hpp"
#include "widgets/TAboutBoxDlg.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/box_prompter.hpp"

namespace obsc32 {

inline constexpr UINT WM_SECOND_START = WM_USER + 1;
inline constexpr const char* kCoverClassName = "TOBSCURIO32VANTE";

// The model decides what the cover does; the window shows it, and its menus show the model when they open.
class TOBSCURIO32VANTE : public ui::Form, private CoverView {
    // Declared first: destroyed after the cover's window.
    CoverOwner owner_;
    const RunContext run_;

public:
    explicit TOBSCURIO32VANTE(const RunContext& run);
    ~TOBSCURIO32VANTE() override;

    ui::Image Image1{this, "Image1"};
    ui::Timer Timer1{this, "Timer1", 300, false};
    TMKBoxDlg MKBoxDlg1{this, "MKBoxDlg1"};
    TAboutBoxDlg AboutBoxDlg1{this, "AboutBoxDlg1"};
    ui::OpenDialog OpenDialog1{this, "OpenDialog1"};
    ui::DdeClientConv DdeClientConv2{this, "DdeClientConv2"};

    CoverMenus Menus{this};

    // What the cover is, and the commands the menus run.
    CoverModel Model{*this};
    BoxPrompter Boxes{MKBoxDlg1};
    CoverPlacement Placement{*this, owner_};
    FaceCommands Faces{run_, Image1, Boxes, OpenDialog1};
    IconCommands Icons{run_, Boxes, DdeClientConv2};
    HelpCommands Help{run_, Boxes};
    PointerHider Pointer{*this};
    CoverReach Reach{Boxes};
    TopKeeper Keeper{this, [this] { Model.KeepTop(); }};
    ScreenFollow Follow{*this, Faces, Image1, Model};

    // Handlers: the faces chosen from the menus are shown where the placement says.
    void Timer1Timer(ui::Component* sender);
    void PKUROClick(ui::Component*) { Model.ChooseFace(0, true); }
    void PCapChanClick(ui::Component*) { Model.ChooseFace(1, true); }
    void PKABEClick(ui::Component*) { Model.ChooseFace(2, true); }
    // The short menu's three, each by its face's number.
    void PL0Click(ui::Component* sender) { Model.ShortMenuFace(sender->Tag); }
    void P1Click(ui::Component*) { Model.PlaceOnTop(); }
    void P2Click(ui::Component*) { Model.PlaceAtBottom(); }
    void P3Click(ui::Component*) { Model.Restore(); }
    // The seven positions, each by its number.
    void PKG0Click(ui::Component* sender) {
        Faces.ChoosePosition(static_cast<WallpaperPosition>(sender->Tag));
        Model.ChooseFace(2, true);
    }
    void PGETClick(ui::Component*) {
        Faces.Regrab();
        Model.ChooseFace(1, true);
    }
    void PHAKIClick(ui::Component*) {
        Faces.Discard();
        Model.FacePrepared(1, true);
    }
    void PKBLoadClick(ui::Component*) {
        if (Faces.UseSystemWallpaper()) Model.ChooseFace(2, true);
    }
    void PBmpLoadClick(ui::Component* sender);
    void PLHARIGAMIClick(ui::Component* sender);
    // Both start-up options.
    void PS0Click(ui::Component* sender) {
        sender == &Menus.PS1 ? Model.ToggleStartOnTop() : Model.ToggleAutoStart();
    }
    void PXClick(ui::Component*) { Close(); }
    void FormMouseDown(ui::Component*, ui::MouseButton button, int x, int y) {
        Model.Clicked(button == ui::MouseButton::Right && InRestoreCorner(Follow.Screen(), x, y));
    }
    // Both menus: what the cover is, shown as the menu opens.
    void PopupMenu1Popup(ui::Component*) {
        Model.MenuUp();
        Menus.ShowState(Model, Faces);
    }
    // Never stored: the files say whether the icons are there, each time the submenu opens.
    void MICON0Click(ui::Component*) { Menus.ShowIcons(Icons.OnDesktop(), Icons.InStartup()); }
    void MICON_SETClick(ui::Component* sender);
    void MDESK_SETClick(ui::Component* sender);
    void MHELP_MOKUJIClick(ui::Component*) { Help.Contents(Handle()); }
    void MHELP_KEYWORDClick(ui::Component*) { Help.Keywords(Handle()); }
    void MHELP_VERCUTClick(ui::Component* sender);
    void MQ_AClick(ui::Component* sender);
    void MAboutClick(ui::Component* sender);

protected:
    void FormCreate() override;
    bool FormCloseQuery() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    // What the model has the window do.
    void ShowOnTop() override {
        Placement.ShowOnTop();
        Keeper.Start();
    }
    void ShowAtBottom() override {
        Keeper.Stop();
        Placement.ShowAtBottom();
    }
    void SinkBack() override { Placement.SinkBack(); }
    void HideCover() override {
        Keeper.Stop();
        Placement.Hide();
    }
    bool ModalLoopRuns() const override { return ui::ModalLoop::Running(); }
    bool TopLost() const override { return Placement.TopLost(); }
    void RetakeTop() override { Placement.RetakeTop(); }
    bool PrepareFace(int face) override {
        return Boxes.Run(Failure::Warning, [&] { return Faces.Prepare(face); });
    }
    std::function<void()> OpenMenu(CoverMenu menu) override {
        // The hidden application window owns the menu, so opening it never raises a bottom cover.
        ui::MenuItem* chosen = Menus.Track(menu, ui::Application::Instance().Handle());
        return chosen ? std::function<void()>([chosen] { chosen->Click(); }) : nullptr;
    }
    void LetMessagesRun() override { Boxes.LetMessagesRun(); }

    // The icon taken out and the settings written, as the program ends; the failure's text, "" when none.
    std::string WriteAtEnd();
    // The session ends once WM_ENDSESSION returns.
    void EndSession();
};

}  // namespace obsc32
