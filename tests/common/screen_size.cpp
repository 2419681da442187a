#include "common/screen_size.hpp"

namespace testing_common {

ScopedScreenSize::ScopedScreenSize(int w, int h)
    : oldW_(GetSystemMetrics(SM_CXSCREEN)), oldH_(GetSystemMetrics(SM_CYSCREEN)) {
    changed_ = Set(w, h);
}

ScopedScreenSize::~ScopedScreenSize() { Set(oldW_, oldH_); }

bool ScopedScreenSize::Set(int w, int h) {
    // Wine's virtual desktop takes any of the modes it lists up to the X screen's size and resizes its window;
    // every top-level window is sent WM_DISPLAYCHANGE before the call returns.
    DEVMODEA mode{};
    mode.dmSize = sizeof mode;
    mode.dmPelsWidth = static_cast<DWORD>(w);
    mode.dmPelsHeight = static_cast<DWORD>(h);
    mode.dmFields = DM_PELSWIDTH | DM_PELSHEIGHT;
    return ChangeDisplaySettingsExA(nullptr, &mode, nullptr, CDS_FULLSCREEN, nullptr) ==
               DISP_CHANGE_SUCCESSFUL &&
           GetSystemMetrics(SM_CXSCREEN) == w && GetSystemMetrics(SM_CYSCREEN) == h;
}

}  // namespace testing_common
