// The process's application object: title, hidden owner window, main form and message loops.
#pragma once
#include <windows.h>

#include <exception>
#include <memory>
#include <string>
#include <vector>

#include "ui/startup_trace.hpp"
#include "ui/window.hpp"

namespace ui {

class Form;

class Application {
public:
    static Application& Instance();

    const std::string& Title() const { return title_; }
    void SetTitle(const std::string& title);

    // Hidden window that owns every form, so a form gets a taskbar button only when it asks for one.
    HWND Handle();
    // Hides the application window, so the program has no taskbar button (nothing to do before it exists).
    void HideTaskbarButton();
    // The program icon (resource "MAINICON"), or the system's default.
    HICON Icon() const;

    Form* MainForm() const { return mainForm_; }
    // The first form created becomes the main form; closing it ends the message loop. A form whose
    // window could not be created comes back without a handle: the caller decides what that means.
    template <typename T, typename... Args>
    T& CreateForm(Args&&... args) {
        auto form = std::make_unique<T>(std::forward<Args>(args)...);
        T& ref = *form;
        TraceStep("form constructed");
        AdoptForm(std::move(form));
        (void)ref.Create();
        return ref;
    }
    void SetMainForm(Form* form) { mainForm_ = form; }

    // Whether Run() shows the main form before entering the loop.
    bool ShowMainForm = true;

    // Lets the messages already waiting be handled, then returns.
    void ProcessMessages();
    void Run();
    bool Terminated() const { return terminated_; }
    // The hourglass over every form while some long command runs (counted: commands may nest).
    void BeginWait() { ++waiting_; }
    void EndWait() { --waiting_; }
    bool Waiting() const { return waiting_ > 0; }
    void Terminate();

    // The standard error report: the platform's plain box with a stop icon and the application title.
    void HandleException(const std::exception& e) noexcept;
    void ShowErrorReport(const std::string& text) noexcept;
    // Runs what the system called back (a window's message, a timer's tick): an exception crossing back
    // into the system would end the process, so it goes to the standard error report. False when one did.
    template <typename Call>
    bool Guard(Call&& call) noexcept {
        try {
            call();
            return true;
        } catch (const std::exception& e) {
            HandleException(e);
        } catch (...) {
            ShowErrorReport("Unknown error");
        }
        return false;
    }

    // Destroys every form, each window while its object is whole (tests reuse the process).
    void Reset();

private:
    Application() = default;
    void AdoptForm(std::unique_ptr<Form> form);
    bool HandleOne(MSG& msg);

    class AppWindow : public Window {
    public:
        [[nodiscard]] bool Create(const std::string& title);
        bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
    };

    std::string title_;
    AppWindow appWindow_;
    Form* mainForm_ = nullptr;
    std::vector<std::unique_ptr<Form>> forms_;
    bool terminated_ = false;
    int waiting_ = 0;
};

}  // namespace ui
