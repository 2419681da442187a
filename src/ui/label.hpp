// A text label painted in its colours; with AutoSize it takes the size of its text.
#pragma once
#include "ui/control.hpp"

namespace ui {

enum class Alignment { Left, Right, Center };

class Label : public Control {
public:
    Label(Form* parent, const char* name, const char* caption = "");

    bool AutoSize = true;
    ui::Alignment Alignment = Alignment::Left;
    // The letter after "&" is underlined, as on a button.
    bool ShowAccelChar = true;

    void SetCaption(const std::string& caption) override;
    // The size the caption takes in the form's font (an empty caption measures as one blank).
    SIZE TextExtent() const;
    void AdjustSize();
    // Clicks go to what lies beneath, as with a label that has no window.
    bool TransparentToMouse() const override { return true; }

protected:
    const char* ControlClassName() const override { return "TLabel"; }
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc) override;
    // A caption given before the form had its font is measured again in that font.
    void Created() override { AdjustSize(); }

private:
    UINT DrawFlags() const;
};

}  // namespace ui
