// The hourglass for the length of a scope; the cursor shown before comes back however the scope is left.
#pragma once
#include <windows.h>

#include "ui/application.hpp"

namespace ui {

class [[nodiscard]] BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_WAIT)))) {
        Application::Instance().BeginWait();
    }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() {
        Application::Instance().EndWait();
        SetCursor(previous_);
    }

private:
    HCURSOR previous_;
};

}  // namespace ui
