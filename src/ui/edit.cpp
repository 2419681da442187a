#include "ui/edit.hpp"

namespace ui {

Edit::Edit(Form* parent, const char* name) : Control(parent, name) { TabStop = true; }

void Edit::SelectAll() {
    if (HandleAllocated()) SendMessageW(Handle(), EM_SETSEL, 0, -1);
}

bool Edit::ParentMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == EN_CHANGE && OnChange) OnChange(this);
            return false;
        // A read-only or disabled edit asks as a static text does.
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: result = AnswerColors(wParam); return true;
        default: return false;
    }
}

}  // namespace ui
