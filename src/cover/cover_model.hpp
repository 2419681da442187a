// What the cover is, apart from its window: the face chosen, on top or at the bottom, shown or hidden, the
// start-up options, and the gates that hold a tray click or the global key off while a menu, a command's
// box or the close has the person's attention. It decides what each tray click, key press, the start-up
// tick and each menu command does, and has its window (CoverView) do it. The menus show it when they open.
#pragma once
#include "cover/cover_view.hpp"
#include "settings/setting_values.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

class CoverModel {
public:
    explicit CoverModel(CoverView& view) : view_(view) {}
    CoverModel(const CoverModel&) = delete;
    CoverModel& operator=(const CoverModel&) = delete;

    // The stored state, at creation: the face may be any stored number, only 0 to 2 show anything.
    void Load(const CoverSettings& stored);
    // The values it keeps ("AUTO", "UE", "mode", "MUE").
    void Save(CoverSettings& s) const;

    int Face() const { return face_; }
    // Whether a face command has run since the start: until then no face is checked.
    bool FaceChosen() const { return faceChosen_; }
    bool Bottom() const { return bottom_; }
    bool Shown() const { return shown_; }
    bool AutoStart() const { return autoStart_; }
    bool StartOnTop() const { return startOnTop_; }
    // From a tray click until its menu is up, and while a command holds the person's attention.
    bool MenuBusy() const { return menuOpening_ || holds_ > 0; }
    // While a tray callback runs.
    bool TrayHandling() const { return trayHandling_; }

    // A face command: the face put up, then, with `place`, the cover shown where the placement says.
    void ChooseFace(int face, bool place);
    // The window put the face up itself (the capture just let go): it is the face chosen all the same.
    void FacePrepared(int face, bool place);
    // The short menu's faces: on top, and on top from now on.
    void ShortMenuFace(int face);
    void PlaceOnTop();
    void PlaceAtBottom();
    // Hidden; the face and the placement stay for the next time.
    void Restore();
    // A mouse button went down on the cover; `restore` when it was the right one in the restore corner.
    void Clicked(bool restore);
    void ToggleAutoStart() { autoStart_ = !autoStart_; }
    void ToggleStartOnTop() { startOnTop_ = !startOnTop_; }

    // The start-up tick: the face chosen last is put up, and shown when the start-up option says so.
    void StartUp();
    // The global key: the face chosen last where the placement says, or the cover taken away.
    void KeyPressed();
    void TrayClicked(TrayButton button);
    // A shown cover on top takes the top back from another program's window; never over the program's own
    // boxes, menus and dialogs, which hold the person's attention.
    void KeepTop();
    // A tray menu is up: tray clicks are taken again (the menu itself holds them off).
    void MenuUp();
    // A command that shows a box or a dialog holds tray clicks and the key off for as long as this lives.
    [[nodiscard]] auto HoldForCommand() {
        ++holds_;
        return ui::ScopeGuard([this] { --holds_; });
    }
    // False when a close is under way already; the close goes on to its end either way.
    bool BeginClose();
    // The close failed to save: another one may be tried.
    void CloseFailed() { closing_ = false; }

private:
    static bool IsFace(int face) { return face >= 0 && face <= 2; }
    // A menu, a command's box, the tray callback, the close or any modal loop has the person's attention.
    bool AttentionHeld() const;
    void Place();

    CoverView& view_;
    int face_ = 0;
    bool faceChosen_ = false;
    bool bottom_ = false;
    bool shown_ = false;
    bool autoStart_ = false;
    bool startOnTop_ = true;
    bool menuOpening_ = false;
    int holds_ = 0;
    bool trayHandling_ = false;
    bool closing_ = false;
    // Key presses not handled yet, and whether one is being handled.
    int presses_ = 0;
    bool keyBusy_ = false;
};

}  // namespace obsc32
