#include "ui/check_box.hpp"

namespace ui {

CheckBox::CheckBox(Form* parent, const char* name, const char* caption) : Control(parent, name) {
    TabStop = true;
    SetCaption(caption);
}

bool CheckBox::Checked() const {
    if (!HandleAllocated()) return checked_;
    return SendMessageW(Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void CheckBox::SetChecked(bool checked) {
    if (checked == Checked()) return;
    checked_ = checked;
    if (HandleAllocated()) SendMessageW(Handle(), BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
    if (OnClick) OnClick(this);
}

void CheckBox::Created() {
    if (checked_) SendMessageW(Handle(), BM_SETCHECK, BST_CHECKED, 0);
}

bool CheckBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) != BN_CLICKED) return false;
            checked_ = Checked();
            if (OnClick) OnClick(this);
            return true;
        case WM_CTLCOLORSTATIC:
        case WM_CTLCOLORBTN: result = AnswerColors(wParam); return true;
        default: return false;
    }
}

}  // namespace ui
