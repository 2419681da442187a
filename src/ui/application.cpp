#include "ui/application.hpp"

#include "ui/form.hpp"
#include "ui/modal_loop.hpp"
#include "ui/wide.hpp"

namespace ui {

Application& Application::Instance() {
    static Application app;
    return app;
}

bool Application::AppWindow::Create(const std::string& title) {
    CreateParams p;
    p.ClassName = "TApplication";
    p.Caption = title;
    p.Style = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
    p.Icon = Application::Instance().Icon();
    return CreateHandle(p);
}

void Application::SetTitle(const std::string& title) {
    title_ = title;
    if (appWindow_.HandleAllocated()) SetWindowTextW(appWindow_.Handle(), Wide(title_).c_str());
}

// Null when the window cannot be created; the forms are then owned by nothing.
HWND Application::Handle() {
    if (!appWindow_.HandleAllocated() && !appWindow_.Create(title_)) return nullptr;
    return appWindow_.Handle();
}

void Application::HideTaskbarButton() {
    if (appWindow_.HandleAllocated()) ShowWindow(appWindow_.Handle(), SW_HIDE);
}

HICON Application::Icon() const {
    HICON icon = LoadIconW(GetModuleHandleW(nullptr), L"MAINICON");
    return icon ? icon : LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION));
}

void Application::AdoptForm(std::unique_ptr<Form> form) {
    if (!mainForm_) mainForm_ = form.get();
    forms_.push_back(std::move(form));
}

bool Application::HandleOne(MSG& msg) {
    if (msg.message == WM_QUIT) {
        terminated_ = true;
        return false;
    }
    if (Form::PreTranslateKey(msg)) return true;
    TranslateMessage(&msg);
    DispatchMessageW(&msg);
    return true;
}

void Application::ProcessMessages() {
    MSG msg;
    while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (!HandleOne(msg)) break;
    }
}

void Application::Run() {
    if (ShowMainForm && mainForm_ && mainForm_->HandleAllocated()) mainForm_->Show();
    MSG msg;
    TraceStep("message loop");
    while (!terminated_) {
        BOOL r = GetMessageW(&msg, nullptr, 0, 0);
        if (r == -1) break;
        if (r == 0) {
            terminated_ = true;
            break;
        }
        HandleOne(msg);
    }
}

void Application::Terminate() {
    if (!terminated_) PostQuitMessage(0);
}

void Application::HandleException(const std::exception& e) noexcept { ShowErrorReport(e.what()); }

void Application::ShowErrorReport(const std::string& text) noexcept {
    HWND owner = mainForm_ && mainForm_->Visible() ? mainForm_->Handle() : nullptr;
    ModalLoop::Scope modal;
    MessageBoxW(owner, Wide(text).c_str(), Wide(title_).c_str(), MB_OK | MB_ICONSTOP);
}

void Application::Reset() {
    for (auto form = forms_.rbegin(); form != forms_.rend(); ++form) (*form)->DestroyHandle();
    forms_.clear();
    mainForm_ = nullptr;
    terminated_ = false;
    ShowMainForm = true;
    // A quit posted by a closed main form must not end the next test's loop.
    MSG msg;
    while (PeekMessageW(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {}
}

}  // namespace ui
