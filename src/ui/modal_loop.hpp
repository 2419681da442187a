// The nested message loop of a modal form: the thread's other windows are disabled while it runs and
// enabled again after, and the window that was active before gets the activation back.
#pragma once
#include <windows.h>

#include <functional>
#include <vector>

namespace ui {

class ModalLoop {
public:
    // Disables the thread's visible, enabled windows but `modal`.
    explicit ModalLoop(HWND modal);

    // Dispatches messages, keys through the forms' own handling first, until `done` holds. False when the
    // program is ending: its quit is posted again for the outer loop.
    bool Run(const std::function<bool()>& done);
    void EnableOthers();
    void Reactivate();

private:
    static BOOL CALLBACK DisableOne(HWND wnd, LPARAM loop);

    HWND active_;
    HWND modal_;
    std::vector<HWND> disabled_;
};

}  // namespace ui
