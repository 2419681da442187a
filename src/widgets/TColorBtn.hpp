// The push button of every window: a raised panel in its parent's colours, sinking while pressed.
#pragma once
#include "ui/control.hpp"

namespace obsc32 {

class TColorBtn : public ui::Control {
public:
    TColorBtn(ui::Form* parent, const char* name, const char* caption = "");

    bool Cancel = false;
    bool Default() const { return default_; }
    void SetDefault(bool value);
    int BevelWidth() const { return bevelWidth_; }
    void SetBevelWidth(int width);
    bool ActiveDefault() const { return activeDefault_; }
    bool Down() const { return down_; }

    ui::NotifyEvent OnClick;
    ui::MouseEvent OnMouseDown, OnMouseUp;
    ui::MouseMoveEvent OnMouseMove;
    ui::KeyEvent OnKeyDown, OnKeyUp;
    void Click();

    bool DialogKey(UINT vk) override;
    bool DialogChar(char ch) override;
    void FocusChanged(ui::Control* focused) override;
    bool IsPushButton() const override { return true; }

protected:
    bool PaintsItself() const override { return true; }
    void Paint(HDC dc) override;
    const char* ControlClassName() const override { return "TColorBtn"; }
    bool ControlMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void MouseDown(ui::MouseButton button, int x, int y);
    void MouseMove(int x, int y);
    void MouseUp(ui::MouseButton button, int x, int y);
    void KeyDown(WORD key);
    void KeyUp(WORD key);
    void PressLook(bool takeFocus);
    void ReleaseLook();

    bool default_ = false;
    bool activeDefault_ = false;
    bool mouseTracking_ = false;
    bool leftWhilePressed_ = false;
    bool down_ = false;
    bool lowered_ = false;
    int bevelWidth_ = 1;
    // What a press saved, to restore it on release.
    COLORREF savedColor_ = 0, savedFontColor_ = 0;
    bool savedParentColor_ = true, savedParentFont_ = true;
};

}  // namespace obsc32
