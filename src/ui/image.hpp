// An image control: shows one bitmap it owns or shares, or an icon, stretched, centred or at its top-left
// corner.
#pragma once
#include <memory>

#include "ui/control.hpp"
#include "ui/gdi.hpp"
#include "ui/handles.hpp"

namespace ui {

class Image : public Control {
public:
    using Control::Control;

    bool Stretch = false;
    bool Center = false;

    // Takes the bitmap; an empty one shows the parent's colour.
    void SetPicture(Bitmap picture);
    // Shares a bitmap its owner keeps too, so a screen-sized one is not copied to be shown.
    void SetPicture(std::shared_ptr<const Bitmap> picture);
    // The picture becomes 0 x 0: the parent's colour shows through.
    void ClearPicture() { SetPicture(Bitmap()); }
    HBITMAP Picture() const { return picture_ ? picture_->Get() : nullptr; }
    // Shows an icon someone else owns, at its own size, instead of a picture.
    void SetIcon(HICON icon);
    SIZE PictureSize() const { return BitmapSize(Picture()); }

    MouseEvent OnMouseDown;

protected:
    const char* ControlClassName() const override { return "TImage"; }
    bool ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

    bool PaintsItself() const override { return true; }
    bool NeedsWindowWhileHidden() const override { return false; }
    void Paint(HDC dc) override;

private:
    std::shared_ptr<const Bitmap> picture_;
    HICON icon_ = nullptr;
};

}  // namespace ui
