// What the cover's model has its window do. The model decides; the window shows.
#pragma once
#include <functional>

namespace obsc32 {

// The tray menus: the full one (right button) and the short one (left button).
enum class CoverMenu { Full, Short };
enum class TrayButton { Left, Right, Other };

class CoverView {
public:
    CoverView() = default;
    CoverView(const CoverView&) = delete;
    CoverView& operator=(const CoverView&) = delete;

    // Shown above every window, painted at once and brought to the foreground.
    virtual void ShowOnTop() = 0;
    // Shown beneath every window, not activated.
    virtual void ShowAtBottom() = 0;
    // A shown cover put back beneath every window.
    virtual void SinkBack() = 0;
    virtual void HideCover() = 0;
    // Puts up a face (0 black, 1 the capture, taken first when none is held, 2 the wallpaper) without
    // showing the cover; false when it could not, which the window has told.
    virtual bool PrepareFace(int face) = 0;
    // Shows a tray menu until it closes; the command chosen, to be run once the tray callback is over.
    virtual std::function<void()> OpenMenu(CoverMenu menu) = 0;
    // Lets waiting window messages be handled between steps.
    virtual void LetMessagesRun() = 0;
    // Whether a box, a dialog or a menu of the program runs its modal loop.
    virtual bool ModalLoopRuns() const = 0;
    // Whether a window of another program stands over the shown cover, and the cover put back over it
    // without taking the focus.
    virtual bool TopLost() const = 0;
    virtual void RetakeTop() = 0;

protected:
    ~CoverView() = default;
};

}  // namespace obsc32
