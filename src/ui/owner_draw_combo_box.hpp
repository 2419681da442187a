// A drop-down list whose rows, all ItemHeight high, the owner draws; each row keeps a number of the owner's
// beside its text. No edit: OnChange tells of a picked row only.
#pragma once
#include "ui/combo_box.hpp"
#include "ui/owner_draw.hpp"

namespace ui {

class OwnerDrawComboBox : public ComboBox {
public:
    OwnerDrawComboBox(Form* parent, const char* name, int itemHeight);

    // Design values, read when the window is made. The control's Height includes the dropped list.
    int ItemHeight;

    // The index of the new last row, or -1.
    int Add(const std::string& text, LPARAM data = 0);
    LPARAM ItemData(int index) const;
    // A new text for a row; its data, and the selection, stay.
    void SetItem(int index, const std::string& text);

    DrawItemEvent OnDrawItem;

protected:
    DWORD ControlStyle() const override;
    // The rows are drawn in the form's font by the owner; a font of its own would only size them anew.
    bool TakesFormFont() const override { return false; }
    void Created() override;
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
