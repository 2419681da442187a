// The hourglass for the length of a scope; the cursor shown before comes back however the scope is left.
#pragma once
#include <windows.h>

namespace ui {

class [[nodiscard]] BusyCursor {
public:
    BusyCursor() : previous_(SetCursor(LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
    ~BusyCursor() { SetCursor(previous_); }

private:
    HCURSOR previous_;
};

}  // namespace ui
