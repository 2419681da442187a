#include "ui/combo_box.hpp"

#include <algorithm>
#include <utility>
#include <vector>

#include "ui/list_box.hpp"
#include "ui/wide.hpp"

namespace ui {

ComboBox::ComboBox(Form* parent, const char* name) : Control(parent, name) { TabStop = true; }

DWORD ComboBox::ControlStyle() const {
    return Control::ControlStyle() | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL;
}

void ComboBox::SetSorted(bool sorted) {
    if (sorted == sorted_) return;
    sorted_ = sorted;
    if (sorted_) SortRows();
}

// The platform's CBS_SORT is fixed when the window is made, so the rows are put in order here.
void ComboBox::SortRows() {
    const int n = Count();
    if (n < 2) return;
    std::vector<std::string> rows;
    std::vector<std::pair<std::string, int>> keyed;
    for (int i = 0; i < n; ++i) {
        rows.push_back(Item(i));
        keyed.emplace_back(ListedSortKey(rows.back()), i);
    }
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    const int selected = ItemIndex();
    const std::string text = Text();
    SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
    for (int i = n - 1; i >= 0; --i) SendMessageW(Handle(), CB_DELETESTRING, i, 0);
    for (const auto& k : keyed)
        SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(Wide(rows[static_cast<size_t>(k.second)]).c_str()));
    for (int i = 0; i < n; ++i)
        if (keyed[static_cast<size_t>(i)].second == selected) SendMessageW(Handle(), CB_SETCURSEL, i, 0);
    // The user may have typed since picking the row.
    if (Text() != text) SetWindowTextW(Handle(), Wide(text).c_str());
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

int ComboBox::Add(const std::string& text) {
    if (!HandleAllocated()) return -1;
    int at = -1;
    if (sorted_) {
        // After the rows that sort the same, as the platform's sorted lists do.
        const std::string key = ListedSortKey(text);
        int low = 0, high = Count();
        while (low < high) {
            int mid = low + (high - low) / 2;
            if (key < ListedSortKey(Item(mid)))
                high = mid;
            else
                low = mid + 1;
        }
        at = low < Count() ? low : -1;
    }
    LRESULT i = SendMessageW(Handle(), CB_INSERTSTRING, static_cast<WPARAM>(at),
                             reinterpret_cast<LPARAM>(Wide(text).c_str()));
    return i < 0 ? -1 : static_cast<int>(i);
}

int ComboBox::Count() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCOUNT, 0, 0)) : 0;
}

std::string ComboBox::Item(int index) const {
    if (!HandleAllocated()) return {};
    LRESULT n = SendMessageW(Handle(), CB_GETLBTEXTLEN, index, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(Handle(), CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return Narrow(text.data(), n < 0 ? 0 : static_cast<size_t>(n));
}

// CB_FINDSTRINGEXACT ignores letter case.
int ComboBox::IndexOf(const std::string& text) const {
    const int n = Count();
    for (int i = 0; i < n; ++i)
        if (Item(i) == text) return i;
    return -1;
}

void ComboBox::Delete(int index) {
    if (HandleAllocated()) SendMessageW(Handle(), CB_DELETESTRING, index, 0);
}

void ComboBox::Clear() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), CB_RESETCONTENT, 0, 0);
    SetWindowTextW(Handle(), L"");
}

int ComboBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), CB_GETCURSEL, 0, 0)) : -1;
}

void ComboBox::SetItemIndex(int index) {
    if (HandleAllocated()) SendMessageW(Handle(), CB_SETCURSEL, index, 0);
}

bool ComboBox::DroppedDown() const {
    return HandleAllocated() && SendMessageW(Handle(), CB_GETDROPPEDSTATE, 0, 0);
}

bool ComboBox::WantsKey(UINT key) const {
    return key == WM_CHAR || ((key == VK_RETURN || key == VK_ESCAPE) && DroppedDown());
}

bool ComboBox::ControlMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    // The dropped list is a window of the desktop's, which the form could not trace back to us.
    if (msg != WM_CTLCOLORLISTBOX) return false;
    result = AnswerColors(wParam);
    return true;
}

bool ComboBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT& result) {
    switch (msg) {
        case WM_COMMAND:
            if (HIWORD(wParam) == CBN_SELCHANGE) {
                // The platform puts the picked row into the edit only after telling of it.
                int i = ItemIndex();
                if (i >= 0) SetWindowTextW(Handle(), Wide(Item(i)).c_str());
            }
            if ((HIWORD(wParam) == CBN_SELCHANGE || HIWORD(wParam) == CBN_EDITCHANGE) && OnChange)
                OnChange(this);
            return false;
        // The edit asks through the combo box, which names the edit.
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORSTATIC: result = AnswerColors(wParam); return true;
        default: return false;
    }
}

}  // namespace ui
