#include "ui/owner_draw_combo_box.hpp"

namespace ui {

OwnerDrawComboBox::OwnerDrawComboBox(Form* parent, std::string name, int itemHeight)
    : Control(parent, std::move(name)), ItemHeight(itemHeight) {
    TabStop = true;
}

DWORD OwnerDrawComboBox::ControlStyle() const {
    return Control::ControlStyle() | WS_VSCROLL | CBS_DROPDOWNLIST | CBS_OWNERDRAWFIXED | CBS_HASSTRINGS;
}

void OwnerDrawComboBox::Created() {
    // The font the form gives it after creation would otherwise size the rows.
    SendMessageA(Handle(), CB_SETITEMHEIGHT, static_cast<WPARAM>(-1), ItemHeight);
    SendMessageA(Handle(), CB_SETITEMHEIGHT, 0, ItemHeight);
}

void OwnerDrawComboBox::Clear() {
    if (HandleAllocated()) SendMessageA(Handle(), CB_RESETCONTENT, 0, 0);
}

int OwnerDrawComboBox::Add(const std::string& text, LPARAM data) {
    if (!HandleAllocated()) return -1;
    LRESULT i = SendMessageA(Handle(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    if (i < 0) return -1;
    SendMessageA(Handle(), CB_SETITEMDATA, i, data);
    return static_cast<int>(i);
}

int OwnerDrawComboBox::Count() const {
    return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::string OwnerDrawComboBox::Item(int index) const {
    if (!HandleAllocated()) return {};
    LRESULT n = SendMessageA(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (n <= 0) return {};
    std::string text(static_cast<size_t>(n) + 1, '\0');
    n = SendMessageA(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(n < 0 ? 0 : static_cast<size_t>(n));
    return text;
}

LPARAM OwnerDrawComboBox::ItemData(int index) const {
    if (!HandleAllocated()) return 0;
    LRESULT d = SendMessageA(Handle(), CB_GETITEMDATA, index, 0);
    return d == CB_ERR ? 0 : d;
}

void OwnerDrawComboBox::SetItem(int index, const std::string& text) {
    if (!HandleAllocated() || index < 0 || index >= Count()) return;
    LPARAM data = ItemData(index);
    bool selected = ItemIndex() == index;
    SendMessageA(Handle(), CB_DELETESTRING, index, 0);
    SendMessageA(Handle(), CB_INSERTSTRING, index, reinterpret_cast<LPARAM>(text.c_str()));
    SendMessageA(Handle(), CB_SETITEMDATA, index, data);
    if (selected) SetItemIndex(index);
}

int OwnerDrawComboBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageA(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void OwnerDrawComboBox::SetItemIndex(int index) {
    if (HandleAllocated()) SendMessageA(Handle(), CB_SETCURSEL, index, 0);
}

bool OwnerDrawComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageA(Handle(), CB_GETDROPPEDSTATE, 0, 0);
}

bool OwnerDrawComboBox::WantsKey(UINT key) const {
    return key == WM_CHAR || ((key == VK_RETURN || key == VK_ESCAPE) && DroppedDown());
}

bool OwnerDrawComboBox::ControlMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    // The dropped list asks the combo box, not the form, for its colours.
    if (msg != WM_CTLCOLORLISTBOX) return false;
    HDC dc = reinterpret_cast<HDC>(wParam);
    SetTextColor(dc, FontColor());
    SetBkColor(dc, Color());
    result = reinterpret_cast<LRESULT>(Parent->BrushOf(Color()));
    return true;
}

bool OwnerDrawComboBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    switch (msg) {
        case WM_MEASUREITEM:
            reinterpret_cast<MEASUREITEMSTRUCT*>(lParam)->itemHeight = static_cast<UINT>(ItemHeight);
            result = TRUE;
            return true;
        case WM_DRAWITEM:
            DrawOwnerItem(*this, *reinterpret_cast<DRAWITEMSTRUCT*>(lParam), OnDrawItem);
            result = TRUE;
            return true;
        case WM_COMMAND:
            if (HIWORD(wParam) == CBN_SELCHANGE && OnChange) OnChange(this);
            return false;
        default: return false;
    }
}

}  // namespace ui
