// The hidden window that owns the cover. An owned window gets no taskbar button on any shell (Wine's
// taskbar lists every visible unowned window, tool windows included); it stays hidden, so it has none either.
#pragma once
#include <windows.h>

#include "ui/window.hpp"

namespace obsc32 {

class CoverOwner : public ui::Window {
public:
    CoverOwner() = default;
    ~CoverOwner() override;

    // Made when the cover is first shown, not at start: a hidden cover, the usual one, needs no owner, and a
    // window less is a start-up quicker. Owns the cover from then on.
    void Own(HWND cover);

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace obsc32
