// The hidden window that owns the cover. An owned window gets no taskbar button on any shell (Wine's
// taskbar lists every visible unowned window, tool windows included); it stays hidden, so it has none either.
#pragma once
#include <windows.h>

#include "ui/window.hpp"

namespace obsc32 {

class CoverOwner : public ui::Window {
public:
    CoverOwner();
    ~CoverOwner() override;

protected:
    bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) override { return false; }
};

}  // namespace obsc32
