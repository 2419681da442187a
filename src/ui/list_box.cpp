#include "ui/list_box.hpp"

#include <algorithm>
#include <utility>

#include "ui/wide.hpp"

namespace ui {

std::string ListedSortKey(const std::string& text) {
    // A sort key, compared byte by byte, orders as CompareString does with the same flags, at a fraction
    // of the cost of comparing the texts themselves again and again.
    const DWORD flags = LCMAP_SORTKEY | NORM_IGNORECASE;
    // A sort key is bytes, counted in bytes, whichever form of the call makes it.
    const std::wstring wide = Wide(text);
    const int n = static_cast<int>(wide.size());
    int size = LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), n, nullptr, 0);
    std::string key(size > 0 ? static_cast<size_t>(size) : 0, '\0');
    if (size > 0)
        LCMapStringW(LOCALE_USER_DEFAULT, flags, wide.c_str(), n, reinterpret_cast<LPWSTR>(key.data()), size);
    return key;
}

void SortAsListed(std::vector<std::string>& texts) {
    std::vector<std::pair<std::string, std::string>> keyed;
    keyed.reserve(texts.size());
    for (std::string& t : texts) keyed.emplace_back(ListedSortKey(t), std::move(t));
    std::stable_sort(keyed.begin(), keyed.end(),
                     [](const auto& a, const auto& b) { return a.first < b.first; });
    for (size_t i = 0; i < keyed.size(); ++i) texts[i] = std::move(keyed[i].second);
}

DWORD ListBox::ControlStyle() const {
    return Control::ControlStyle() | WS_VSCROLL | LBS_NOTIFY | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT |
           (Sorted ? LBS_SORT : 0);
}

void ListBox::Created() {
    if (ItemHeight > 0) SendMessageW(Handle(), LB_SETITEMHEIGHT, 0, ItemHeight);
}

void ListBox::Clear() {
    if (HandleAllocated()) SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
}

int ListBox::Add(const std::string& text) {
    if (!HandleAllocated()) return -1;
    LRESULT i = SendMessageW(Handle(), LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(text).c_str()));
    return i < 0 ? -1 : static_cast<int>(i);
}

void ListBox::SetItems(std::vector<std::string> rows) {
    if (!HandleAllocated()) return;
    if (Sorted) SortAsListed(rows);
    // A text never has more UTF-16 units than bytes.
    size_t bytes = 0;
    for (const std::string& r : rows) bytes += (r.size() + 1) * sizeof(wchar_t);
    BeginUpdate();
    SendMessageW(Handle(), LB_RESETCONTENT, 0, 0);
    SendMessageW(Handle(), LB_INITSTORAGE, rows.size(), bytes);
    // In order already: rows inserted at the end spare a sorted list its search for each one's place.
    for (const std::string& r : rows)
        SendMessageW(Handle(), LB_INSERTSTRING, static_cast<WPARAM>(-1),
                     reinterpret_cast<LPARAM>(Wide(r).c_str()));
    EndUpdate();
}

int ListBox::Count() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LB_GETCOUNT, 0, 0)) : 0;
}

std::string ListBox::Item(int index) const {
    if (!HandleAllocated()) return {};
    LRESULT n = SendMessageW(Handle(), LB_GETTEXTLEN, index, 0);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    n = SendMessageW(Handle(), LB_GETTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    return Narrow(text.data(), n < 0 ? 0 : static_cast<size_t>(n));
}

int ListBox::ItemIndex() const {
    return HandleAllocated() ? static_cast<int>(SendMessageW(Handle(), LB_GETCURSEL, 0, 0)) : -1;
}

void ListBox::SetItemIndex(int index) {
    if (HandleAllocated()) SendMessageW(Handle(), LB_SETCURSEL, index, 0);
}

void ListBox::BeginUpdate() {
    if (HandleAllocated()) SendMessageW(Handle(), WM_SETREDRAW, FALSE, 0);
}

void ListBox::EndUpdate() {
    if (!HandleAllocated()) return;
    SendMessageW(Handle(), WM_SETREDRAW, TRUE, 0);
    Invalidate();
}

bool ListBox::ParentMessage(UINT msg, WPARAM wParam, LPARAM, LRESULT&) {
    // The platform's own selection (LB_SETCURSEL) sends no notice: this is always the user's.
    if (msg == WM_COMMAND && HIWORD(wParam) == LBN_SELCHANGE && OnClick) OnClick(this);
    return false;
}

}  // namespace ui
