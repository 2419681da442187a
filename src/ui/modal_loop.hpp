// The nested message loop of a modal form: the thread's other windows are disabled while it runs and
// enabled again after, and the window that was active before gets the activation back.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace ui {

class ModalLoop {
public:
    // Counts a modal loop the system runs for the program (a dialog, a menu, a system box) while it lives.
    class Scope {
    public:
        Scope() { ++depth_; }
        ~Scope() { --depth_; }
        Scope(const Scope&) = delete;
        Scope& operator=(const Scope&) = delete;
    };
    // Whether any of the program's modal loops runs: its forms', and the system's it has started.
    static bool Running() { return depth_ > 0; }

    // Disables the thread's visible, enabled windows but `modal`.
    explicit ModalLoop(HWND modal);

    // Dispatches messages, keys through the forms' own handling first, until `done` holds. False when the
    // program is ending: its quit is posted again for the outer loop.
    bool Run(const std::function<bool()>& done);
    void EnableOthers();
    void Reactivate();

private:
    static inline int depth_ = 0;
    static BOOL CALLBACK DisableOne(HWND wnd, LPARAM loop);

    Scope counted_;
    HWND active_;
    HWND modal_;
    std::vector<HWND> disabled_;
};

}  // namespace ui
