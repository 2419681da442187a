#include "ui/owner_draw_list_box.hpp"

namespace ui {

OwnerDrawListBox::OwnerDrawListBox(Form* parent, const char* name, int itemHeight) : ListBox(parent, name) {
    ItemHeight = itemHeight;
}

bool OwnerDrawListBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    return OwnerDrawMessage(*this, ItemHeight, OnDrawItem, msg, lParam, result) ||
           ListBox::ParentMessage(msg, wParam, lParam, result);
}

}  // namespace ui
