// A list box (the platform's, taken over as a class of ours): rows of text, one of them selected.
#pragma once
#include <string>
#include <vector>

#include "ui/control.hpp"

namespace ui {

// Sorts texts into the order a sorted list box keeps its rows: the user's collation, letter case ignored.
void SortAsListed(std::vector<std::string>& texts);
// A text's place in that order: keys compared byte by byte order their texts as SortAsListed does.
std::string ListedSortKey(const std::string& text);

class ListBox : public Control {
public:
    using Control::Control;

    // Design values, read when the window is made.
    bool Sorted = false;
    int ItemHeight = 0;  // 0: the font's

    void Clear();
    // The index the row got (sorting decides it), or -1.
    int Add(const std::string& text);
    // Every row at once, sorted first in a sorted list: far quicker than one Add a row for long lists.
    void SetItems(std::vector<std::string> rows);
    int Count() const;
    std::string Item(int index) const;
    // -1 when no row is selected.
    int ItemIndex() const;
    // Selects without telling OnClick, as a program's own choice.
    void SetItemIndex(int index);
    // While many rows go in, the list is not painted; EndUpdate paints it once.
    void BeginUpdate();
    void EndUpdate();

    // The user selected a row, with the mouse or the keys.
    NotifyEvent OnClick;

    bool WantsKey(UINT key) const override { return key == WM_CHAR; }

protected:
    const char* ControlClassName() const override { return "TListBox"; }
    const char* SuperclassName() const override { return "LISTBOX"; }
    DWORD ControlStyle() const override;
    DWORD ControlExStyle() const override { return WS_EX_CLIENTEDGE; }
    void Created() override;
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
