// A drop-down list (the platform's combo box, taken over as a class of ours) whose rows, all ItemHeight
// high, the owner draws; each row keeps a number of the owner's beside its text.
#pragma once
#include "ui/control.hpp"
#include "ui/owner_draw.hpp"

namespace ui {

class OwnerDrawComboBox : public Control {
public:
    OwnerDrawComboBox(Form* parent, std::string name, int itemHeight);

    // Design values, read when the window is made. The control's Height includes the dropped list.
    int ItemHeight;

    void Clear();
    // The index of the new last row, or -1.
    int Add(const std::string& text, LPARAM data = 0);
    int Count() const;
    std::string Item(int index) const;
    LPARAM ItemData(int index) const;
    // A new text for a row; its data, and the selection, stay.
    void SetItem(int index, const std::string& text);
    // -1 when no row is selected.
    int ItemIndex() const;
    // Selects without telling OnChange, as a program's own choice.
    void SetItemIndex(int index);
    bool DroppedDown() const;

    // The user selected a row.
    NotifyEvent OnChange;
    DrawItemEvent OnDrawItem;

    // Enter and Esc close the dropped list rather than press the form's buttons.
    bool WantsKey(UINT key) const override;

protected:
    const char* ControlClassName() const override { return "TComboBox"; }
    const char* SuperclassName() const override { return "COMBOBOX"; }
    DWORD ControlStyle() const override;
    void Created() override;
    bool ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
