// Base of every window the program creates: it owns its HWND and gets its messages in OnMessage.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }

    // The object behind a window this program created, or nullptr.
    static Window* FromHandle(HWND wnd);

protected:
    struct CreateParams {
        const char* ClassName = nullptr;
        std::string Caption;
        DWORD Style = 0;
        DWORD ExStyle = 0;
        int X = 0, Y = 0, Width = 0, Height = 0;
        HWND Parent = nullptr;
        UINT ClassStyle = 0;
        HICON Icon = nullptr;
        HCURSOR Cursor = nullptr;
        // A class of the platform's (an edit, a tooltip): its messages do not come to OnMessage.
        bool PlatformClass = false;
    };
    void CreateHandle(const CreateParams& params);
    void DestroyHandle();

    // True when handled; `result` is then returned. Unhandled messages go to DefWindowProcA.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The window is gone (WM_NCDESTROY); Handle() is already null.
    virtual void OnHandleDestroyed() {}

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
};

}  // namespace ui
