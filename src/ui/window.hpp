// Base of every window the program creates: it owns its HWND and gets its messages in OnMessage.
#pragma once
#include <windows.h>

#include <string>

namespace ui {

class Form;

class Window {
public:
    Window() = default;
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;
    // A window still alive here is detached first: its last messages never reach an object whose
    // derived parts are already gone.
    virtual ~Window();

    HWND Handle() const { return hwnd_; }
    bool HandleAllocated() const { return hwnd_ != nullptr; }
    // Destroys the window while the object is whole, so it still sees WM_DESTROY and OnHandleDestroyed.
    // Owners call it before they delete the object.
    void DestroyHandle();

    // Shown above every window that is not topmost, in one restacking.
    void ShowTopmost();
    // Put beneath every other window without being activated; `show` shows it there.
    void SendToBottom(bool show = false);
    // Paints what is invalid now, children included, ahead of whatever the queue holds.
    void PaintNow();
    void BringToForeground();

    // The object behind a window this program created, or nullptr.
    static Window* FromHandle(HWND wnd);
    // The form this window is, or nullptr (the program keeps no run-time type information).
    virtual Form* AsForm() { return nullptr; }

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
        // A platform class (a list box, a combo box) whose behaviour the window takes over: its messages
        // come to OnMessage first, and what that leaves goes to the platform class's own procedure.
        const char* Superclass = nullptr;
        // A child window's identifier; owner-drawn controls name themselves by it in WM_MEASUREITEM.
        int Id = 0;
    };
    // False when the class could not be registered or the window not created; GetLastError tells why.
    [[nodiscard]] bool CreateHandle(const CreateParams& params);
    // Detaches the object, then destroys the window: the object sees none of its last messages.
    void DetachHandle();
    // A platform-class window went with its parent, and no WM_NCDESTROY came here to say so.
    void ForgetHandle() { hwnd_ = nullptr; }
    // While muted, the window's messages get the system's default handling instead of OnMessage.
    void Mute(bool on) { muted_ += on ? 1 : -1; }

    // True when handled; `result` is then returned. Unhandled messages go to DefWindowProcW.
    virtual bool OnMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) = 0;
    // The window is gone (WM_NCDESTROY); Handle() is already null.
    virtual void OnHandleDestroyed() {}

private:
    static LRESULT CALLBACK WndProc(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam);
    HWND hwnd_ = nullptr;
    WNDPROC baseProc_ = nullptr;
    bool platformClass_ = false;
    int muted_ = 0;
};

}  // namespace ui
