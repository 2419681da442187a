// An editable drop-down (the platform's combo box, taken over as a class of ours): an edit and a list of
// rows to pick from, kept sorted or in the order they came, as asked at any time.
#pragma once
#include <string>

#include "ui/control.hpp"

namespace ui {

class ComboBox : public Control {
public:
    ComboBox(Form* parent, const char* name);

    // On: the rows there are get sorted, and new ones go where SortAsListed would put them. Off: the
    // rows stay where they are and new ones go last.
    bool Sorted() const { return sorted_; }
    void SetSorted(bool sorted);

    // The rows live in the window: before it exists there are none. The control's Height includes the
    // dropped list.
    // The index the row got, or -1.
    int Add(const std::string& text);
    int Count() const;
    std::string Item(int index) const;
    // The first row of exactly this text (letter case counts), or -1.
    int IndexOf(const std::string& text) const;
    void Delete(int index);
    // No rows and no text.
    void Clear();
    // -1 when no row is selected.
    int ItemIndex() const;
    // The selected row's text becomes the edit's; no OnChange, as a program's own choice.
    void SetItemIndex(int index);
    // The edit's text once the window exists; the design value before.
    std::string Text() const { return WindowText(); }
    // No OnChange, as the platform tells only of the user's changes.
    void SetText(const std::string& text) { SetCaption(text); }
    bool DroppedDown() const;

    // The user typed in the edit or picked a row; Text() is already the new text.
    NotifyEvent OnChange;

    // Enter and Esc close the dropped list rather than press the form's buttons.
    bool WantsKey(UINT key) const override;

protected:
    const char* ControlClassName() const override { return "TComboBox"; }
    const char* SuperclassName() const override { return "COMBOBOX"; }
    DWORD ControlStyle() const override;
    bool ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void SortRows();
    bool sorted_ = false;
};

}  // namespace ui
