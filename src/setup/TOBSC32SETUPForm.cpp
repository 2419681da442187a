#include "setup/TOBSC32SETUPForm.hpp"

#include "settings/product.hpp"
#include "ui/application.hpp"

namespace obsc32 {

std::string VersionText(int version) {
    return " V" + std::to_string(version / 10) + "." + std::to_string(version % 10);
}

TOBSC32SETUPForm::TOBSC32SETUPForm() : ui::Form(nullptr, "OBSC32SETUPForm", kSetupClassName) {
    SetCaption("インスツール");
    ShowInTaskbar = true;
    StayOnTop = true;
    Border = ui::BorderStyle::Dialog;
    // Client area 456 x 171, centred on the screen.
    RECT r{0, 0, 456, 171};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    int w = r.right - r.left, h = r.bottom - r.top;
    SetBounds((GetSystemMetrics(SM_CXSCREEN) - w) / 2, (GetSystemMetrics(SM_CYSCREEN) - h) / 2, w, h);
}

void TOBSC32SETUPForm::FormCreate() {
    auto& app = ui::Application::Instance();
    std::string base = std::string(ProductTitle) + VersionText(ProgramVersion);
    if (StartMode != StartModes::Normal) {
        app.ShowMainForm = false;
        SetCaption(base + " 削除");
        app.SetTitle(Caption());
        // The uninstall stages are not built yet: the hidden window closes itself.
        PostMessageA(Handle(), WM_CLOSE, 0, 0);
        return;
    }
    SetCaption(base + " 登録");
    app.SetTitle(Caption());
}

}  // namespace obsc32
