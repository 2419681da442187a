// A list box whose rows, all ItemHeight high, the owner draws.
#pragma once
#include "ui/list_box.hpp"
#include "ui/owner_draw.hpp"

namespace ui {

class OwnerDrawListBox : public ListBox {
public:
    OwnerDrawListBox(Form* parent, const char* name, int itemHeight);

    DrawItemEvent OnDrawItem;

protected:
    DWORD ControlStyle() const override { return ListBox::ControlStyle() | LBS_OWNERDRAWFIXED; }
    bool ParentMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
};

}  // namespace ui
