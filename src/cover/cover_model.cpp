#include "cover/cover_model.hpp"

namespace obsc32 {

void CoverModel::Load(const CoverSettings& stored) {
    face_ = stored.Mode;
    bottom_ = !stored.Mue;
    autoStart_ = stored.Auto;
    startOnTop_ = stored.Ue;
}

void CoverModel::Save(CoverSettings& s) const {
    s.Auto = autoStart_;
    s.Ue = startOnTop_;
    s.Mode = face_;
    s.Mue = !bottom_;
}

void CoverModel::ChooseFace(int face, bool place) {
    const int before = face_;
    const bool chosenBefore = faceChosen_;
    face_ = face;
    faceChosen_ = true;
    if (view_.PrepareFace(face)) return FacePrepared(face, place);
    // A capture that could not be taken put nothing up: the face stays the one shown. A wallpaper that
    // could not be read stays chosen, so the next key press tells why again.
    if (face == 1) {
        face_ = before;
        faceChosen_ = chosenBefore;
    }
}

void CoverModel::FacePrepared(int face, bool place) {
    face_ = face;
    faceChosen_ = true;
    view_.LetMessagesRun();
    if (place) Place();
}

void CoverModel::ShortMenuFace(int face) {
    bottom_ = false;
    view_.LetMessagesRun();
    ChooseFace(face, true);
}

void CoverModel::Place() {
    view_.LetMessagesRun();
    if (bottom_)
        PlaceAtBottom();
    else
        PlaceOnTop();
}

void CoverModel::PlaceOnTop() {
    shown_ = true;
    bottom_ = false;
    view_.ShowOnTop();
}

void CoverModel::PlaceAtBottom() {
    shown_ = true;
    bottom_ = true;
    view_.ShowAtBottom();
    view_.LetMessagesRun();
    // A command handled meanwhile (the top placement, a restore) has the last word.
    if (bottom_ && shown_) view_.SinkBack();
}

void CoverModel::Restore() {
    view_.HideCover();
    shown_ = false;
}

void CoverModel::Clicked(bool restore) {
    // A click activates a bottom cover and so raises it: it goes back down.
    if (bottom_) view_.SinkBack();
    if (restore) Restore();
}

void CoverModel::StartUp() {
    // The start-up placement is chosen even when the stored face is unknown: the next face follows it.
    if (autoStart_) {
        bottom_ = !startOnTop_;
        view_.LetMessagesRun();
    }
    if (IsFace(face_)) ChooseFace(face_, autoStart_);
}

bool CoverModel::AttentionHeld() const {
    return MenuBusy() || trayHandling_ || closing_ || view_.ModalLoopRuns();
}

void CoverModel::KeyPressed() {
    // Held off as tray clicks are, while the close runs and while any box, dialog or menu is up: dropped,
    // not kept for later, or it would show the cover over the box or come back once it closes.
    if (AttentionHeld()) return;
    // A press that comes while the last one is still handled is taken after it, not inside it, or the two
    // would meet half-way.
    ++presses_;
    if (keyBusy_) return;
    keyBusy_ = true;
    ui::ScopeGuard done([this] {
        keyBusy_ = false;
        presses_ = 0;
    });
    for (; presses_ > 0; --presses_) {
        if (shown_)
            Restore();
        else if (IsFace(face_))
            ChooseFace(face_, true);
    }
}

void CoverModel::TrayClicked(TrayButton button) {
    if (MenuBusy() || trayHandling_) return;
    std::function<void()> chosen;
    {
        trayHandling_ = true;
        ui::ScopeGuard reset([this] { trayHandling_ = false; });
        view_.LetMessagesRun();
        if (button == TrayButton::Other) return;
        menuOpening_ = true;
        view_.LetMessagesRun();
        chosen = view_.OpenMenu(button == TrayButton::Left ? CoverMenu::Short : CoverMenu::Full);
    }
    // The command runs after the callback has finished, as it would from a posted menu command.
    if (chosen) chosen();
}

void CoverModel::KeepTop() {
    if (shown_ && !bottom_ && !AttentionHeld() && view_.TopLost()) view_.RetakeTop();
}

void CoverModel::MenuUp() {
    view_.LetMessagesRun();
    menuOpening_ = false;
}

bool CoverModel::BeginClose() {
    if (closing_) return false;
    closing_ = true;
    return true;
}

}  // namespace obsc32
