#include "ui/owner_draw_list_box.hpp"

namespace ui {

OwnerDrawListBox::OwnerDrawListBox(Form* parent, std::string name, int itemHeight)
    : ListBox(parent, std::move(name)) {
    ItemHeight = itemHeight;
}

bool OwnerDrawListBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight);
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            DrawOwnerItem(*this, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam), OnDrawItem);
            result = TRUE;
            return true;
        default: return ListBox::ParentMessage(msg, wParam, lParam, result);
    }
}

}  // namespace ui
