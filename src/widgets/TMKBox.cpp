#include "widgets/TMKBox.hpp"

#include "shell/decimal.hpp"
#include "ui/application.hpp"
#include "ui/handles.hpp"
#include "ui/wide.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

namespace {
ui::Bitmap LoadBoxBitmap(const char* name) {
    return ui::Bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::Wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}
}  // namespace

TMKBox::TMKBox() : ui::Form(nullptr, "MKBox", "TMKBox") {
    Border = ui::BorderStyle::Dialog;
    StayOnTop = true;
    FontName = "System";
    FontHeight = -13;
    FontCharset = SHIFTJIS_CHARSET;

    Msg.Hide();
    MemoMsg.SetBounds(64, 16, 100, 40);
    MemoMsg.Hint = "右クリックで、コピーできます☆";
    Image_Box.SetBounds(16, 16, 32, 32);
    Image_MK.SetBounds(16, 16, 32, 32);
    Image_MK.Hide();
    Image_YN.SetBounds(16, 16, 32, 32);
    Image_YN.Hide();

    TColorBtn* buttons[] = {&Btn_OK, &Btn_Yes, &Btn_No, &Btn_TM_STOP, &Btn_TM_OPEN};
    int tab = 0;
    for (TColorBtn* b : buttons) {
        b->SetBounds(0, 0, 89, 33);
        b->TabOrder = tab++;
        if (b != &Btn_OK) b->Hide();
    }
    Btn_OK.SetDefault(true);
    Btn_OK.SetBevelWidth(2);
    Btn_Yes.SetDefault(true);
    Btn_Yes.SetBevelWidth(2);
    Btn_No.Cancel = true;

    Label_TM.Alignment = ui::Alignment::Right;
    Label_TM.Hide();
    TMCountS.Hide();
    Label_Select.AutoSize = false;
    Label_Select.SetBounds(0, 0, 89, 3);
    Label_Select.SetColor(RGB(255, 0, 0));
    Label_Select.Hint = "タイムアウト、デフォルト値";
    Label_Select.Hide();

    Btn_OK.OnClick = [this](ui::Component* s) { Btn_OKClick(s); };
    Btn_Yes.OnClick = [this](ui::Component* s) { Btn_YesClick(s); };
    Btn_No.OnClick = [this](ui::Component* s) { Btn_NoClick(s); };
    Btn_TM_STOP.OnClick = [this](ui::Component* s) { Btn_TM_STOPClick(s); };
    Btn_TM_OPEN.OnClick = [this](ui::Component* s) { Btn_TM_OPENClick(s); };
    Timer1.OnTimer = [this](ui::Component* s) { Timer1Timer(s); };
    Timer_Paint.OnTimer = [this](ui::Component* s) { Timer_PaintTimer(s); };
}

void TMKBox::FormCreate() {
    Image_MK.SetPicture(LoadBoxBitmap("BOX_INFO"));
    Image_YN.SetPicture(LoadBoxBitmap("BOX_QUESTION"));
    IconSource = &Image_MK;
    countLoaded_ = false;
}

void TMKBox::TakeMainWindowColours() {
    FollowMainWindowColours(*this);
    COLORREF bar = Color() == RGB(255, 0, 0) ? RGB(0, 0, 255) : RGB(255, 0, 0);
    if (Label_Select.Color() != bar || Label_Select.ParentColor()) Label_Select.SetColor(bar);
}

bool TMKBox::FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_PAINT) {
        TakeMainWindowColours();
        Timer_Paint.SetEnabled(true);
    }
    return false;
}

void TMKBox::FormShow() {
    Timer_PaintTimer(this);
    if (HandleAllocated()) SetForegroundWindow(Handle());
}

void TMKBox::Timer_PaintTimer(ui::Component*) {
    Timer_Paint.SetEnabled(false);
    HBITMAP source = IconSource->Picture();
    if (!source) return;
    // The icon's black surround takes the box colour.
    ui::WindowDC screen = ui::WindowDC::Of(nullptr);
    ui::Bitmap canvas(CreateCompatibleBitmap(screen.Get(), 32, 32));
    ui::MemoryDC dst(CreateCompatibleDC(screen.Get()));
    ui::MemoryDC src(CreateCompatibleDC(screen.Get()));
    {
        ui::SelectObjectScope d(dst.Get(), canvas.Get());
        ui::SelectObjectScope s(src.Get(), source);
        RECT r{0, 0, 32, 32};
        FillRect(dst.Get(), &r, BrushOf(Color()));
        TransparentBlt(dst.Get(), 0, 0, 32, 32, src.Get(), 0, 0, 32, 32, RGB(0, 0, 0));
    }
    Image_Box.SetPicture(std::move(canvas));
}

void TMKBox::Timer1Timer(ui::Component*) {
    if (tickBusy_) return;
    tickBusy_ = true;
    ui::Application::Instance().ProcessMessages();
    if (!countLoaded_) {
        count_ = StrictDecimal(TMCountS.Caption()).value_or(0);
        countLoaded_ = true;
    }
    --count_;
    Label_TM.SetCaption(std::to_string(count_) + "秒");
    if (count_ < 1) ModalResult = kTimedOut;
    tickBusy_ = false;
}

void TMKBox::Btn_OKClick(ui::Component*) { ModalResult = IDOK; }
void TMKBox::Btn_YesClick(ui::Component*) { ModalResult = IDYES; }
void TMKBox::Btn_NoClick(ui::Component*) { ModalResult = IDNO; }

void TMKBox::Btn_TM_STOPClick(ui::Component*) {
    Btn_TM_STOP.Hide();
    Btn_TM_STOP.Repaint();
    Timer1.SetEnabled(false);
}

void TMKBox::Btn_TM_OPENClick(ui::Component*) {
    Btn_TM_STOP.Show();
    Btn_TM_STOP.Repaint();
    Timer1.SetEnabled(true);
}

}  // namespace obsc32
