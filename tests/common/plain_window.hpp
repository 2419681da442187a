// A plain window of the test's or benchmark's own, painted in one colour: something known on the screen
// for the program's windows to cover, or to lie under them.
#pragma once
#include <windows.h>

namespace testing_common {

class PlainWindow {
public:
    // Created hidden, a popup with the extended style given.
    PlainWindow(const RECT& bounds, COLORREF colour, DWORD exStyle = 0);
    ~PlainWindow();
    PlainWindow(const PlainWindow&) = delete;
    PlainWindow& operator=(const PlainWindow&) = delete;

    HWND Handle() const { return wnd_; }
    // Shown and painted, in the foreground if `activate`.
    void Show(bool activate = true);
    void Hide();
    void SetColour(COLORREF colour);

private:
    static LRESULT CALLBACK Proc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND wnd_ = nullptr;
    COLORREF colour_;
};

}  // namespace testing_common
