#include "ui/owner_draw_combo_box.hpp"

#include "ui/wide.hpp"

namespace ui {

OwnerDrawComboBox::OwnerDrawComboBox(Form* parent, const char* name, int itemHeight)
    : ComboBox(parent, name), ItemHeight(itemHeight) {}

DWORD OwnerDrawComboBox::ControlStyle() const {
    return Control::ControlStyle() | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void OwnerDrawComboBox::Created() {
    // The rows take their height from the owner when made; the selection field would be sized by the
    // system's font instead.
    SendMessageW(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight);
}

int OwnerDrawComboBox::Add(const std::string& text, LPARAM data) {
    const int i = ComboBox::Add(text);
    if (i >= 0) SendMessageW(Handle(), CB_SETITEMDATA, i, data);
    return i;
}

LPARAM OwnerDrawComboBox::ItemData(int index) const {
    if (!HandleAllocated()) return 0;
    LRESULT d = SendMessageW(Handle(), CB_GETITEMDATA, index, 0);
    return d == CB_ERR ? 0 : d;
}

void OwnerDrawComboBox::SetItem(int index, const std::string& text) {
    if (!HandleAllocated() || index < 0 || index >= Count()) return;
    LPARAM data = ItemData(index);
    bool selected = ItemIndex() == index;
    SendMessageW(Handle(), CB_DELETESTRING, index, 0);
    SendMessageW(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    SendMessageW(Handle(), CB_SETITEMDATA, index, data);
    if (selected) SetItemIndex(index);
}

bool OwnerDrawComboBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (OwnerDrawMessage(*this, ItemHeight, OnDrawItem, msg, lParam, result)) return true;
    // No edit to put the picked row in: only the news of it.
    if (msg == WM_COMMAND) {
        if (HIWORD(wParam) == CBN_SELCHANGE && OnChange) OnChange(this);
        return false;
    }
    return ComboBox::ParentMessage(msg, wParam, lParam, result);
}

}  // namespace ui
