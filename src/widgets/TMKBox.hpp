// The message box window: icon, copyable text, OK or Yes/No, and an optional countdown.
#pragma once
#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/label.hpp"
#include "ui/memo.hpp"
#include "ui/timer.hpp"
#include "widgets/TColorBtn.hpp"

namespace obsc32 {

// The countdown ran out; replaced by the caller's Default before any answer leaves the box.
inline constexpr int kTimedOut = 11;

class TMKBox final : public ui::Form {
public:
    TMKBox();
    // The window goes while the whole box is still here to hear it go.
    ~TMKBox() override { DestroyHandle(); }

    ui::Label Msg{this, "Msg"};
    ui::Memo MemoMsg{this, "MemoMsg"};
    ui::Image Image_Box{this, "Image_Box"};
    ui::Image Image_MK{this, "Image_MK"};
    ui::Image Image_YN{this, "Image_YN"};
    TColorBtn Btn_OK{this, "Btn_OK", "ＯＫ"};
    TColorBtn Btn_Yes{this, "Btn_Yes", "はい"};
    TColorBtn Btn_No{this, "Btn_No", "いいえ"};
    TColorBtn Btn_TM_STOP{this, "Btn_TM_STOP", "一時停止"};
    TColorBtn Btn_TM_OPEN{this, "Btn_TM_OPEN", "ｶｳﾝﾄ再開"};
    ui::Label Label_TM{this, "Label_TM"};
    ui::Label TMCountS{this, "TMCountS"};
    ui::Label Label_Select{this, "Label_Select"};
    ui::Timer Timer1{this, "Timer1", 1000, false};
    ui::Timer Timer_Paint{this, "Timer_Paint", 200, false};

    // The icon drawn into Image_Box: Image_MK (information) or Image_YN (question).
    ui::Image* IconSource = &Image_MK;

    void Timer1Timer(ui::Component* sender);
    void Timer_PaintTimer(ui::Component* sender);
    void Btn_OKClick(ui::Component* sender);
    void Btn_YesClick(ui::Component* sender);
    void Btn_NoClick(ui::Component* sender);
    void Btn_TM_STOPClick(ui::Component* sender);
    void Btn_TM_OPENClick(ui::Component* sender);
    // The main window's colours, and the bar's colour that stands out against them.
    void TakeMainWindowColours();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    int count_ = 0;
    bool countLoaded_ = false;
    bool tickBusy_ = false;
};

}  // namespace obsc32
