#include "widgets/TMKBoxDlg.hpp"

#include <memory>

#include "ui/application.hpp"
#include "ui/gdi.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TMKBox.hpp"
#include "widgets/mkbox_layout.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

int TMKBoxDlg::MsgBox(MsgKind kind, const std::string& text) { return Run(kind, false, text, 0); }

int TMKBoxDlg::MsgBoxTimer(MsgKind kind, const std::string& text, int def) {
    return Run(kind, true, text, def);
}

int TMKBoxDlg::Run(MsgKind kind, bool countdown, const std::string& text, int def) {
    int slot = 0;
    while (slot < 10 && B[slot]) ++slot;
    if (slot == 10) return 0;
    B[slot] = true;
    ui::ScopeGuard release([&] { B[slot] = false; });
    Slot& s = slots_[slot];
    s.Countdown = countdown && Timer;
    s.CountText = countdown ? std::to_string(TimerCount).substr(0, 10) : "0";
    return ShowSlot(kind, slot, text, def);
}

namespace {
void Apply(ui::Control& c, const ui::Rect& r) { c.SetBounds(r.Left, r.Top, r.Width, r.Height); }

std::string WithCarriageReturns(const std::string& text) {
    std::string out;
    out.reserve(text.size() + text.size() / 8);
    for (char ch : text) {
        if (ch == '\n') out += '\r';
        out += ch;
    }
    return out;
}

void ApplyLayout(TMKBox& box, const MKBoxLayout& l) {
    Apply(box.MemoMsg, l.Memo);
    Apply(box.Image_Box, l.Icon);
    Apply(box.Btn_OK, l.Ok);
    Apply(box.Btn_Yes, l.Yes);
    Apply(box.Btn_No, l.No);
    Apply(box.Btn_TM_STOP, l.Stop);
    Apply(box.Btn_TM_OPEN, l.Open);
    Apply(box.Label_TM, l.Count);
    Apply(box.Label_Select, l.Select);
    box.Btn_OK.SetVisible(l.OkVisible);
    box.Btn_Yes.SetVisible(l.YesNoVisible);
    box.Btn_No.SetVisible(l.YesNoVisible);
    box.Btn_TM_STOP.SetVisible(l.CountdownVisible);
    box.Btn_TM_OPEN.SetVisible(l.CountdownVisible);
    box.Label_TM.SetVisible(l.CountdownVisible);
    box.Label_Select.SetVisible(l.SelectVisible);
}
}  // namespace

int TMKBoxDlg::ShowSlot(MsgKind kind, int slot, const std::string& text, int def) {
    auto& app = ui::Application::Instance();
    Slot& s = slots_[slot];
    auto box = std::make_unique<TMKBox>();
    ui::Form* main = app.MainForm();
    if (main) box->ShowHint = main->ShowHint;
    if (!box->Create()) throw ui::Error("メッセージボックスを作成できません・・・");
    s.Box = box.get();
    // However the box ends, it goes and the main window is painted again.
    ui::ScopeGuard destroy([&] {
        s.Box = nullptr;
        box.reset();
        RepaintMainWindow();
    });

    if (kind == MsgKind::YesNo) box->IconSource = &box->Image_YN;
    box->Msg.SetCaption(text);
    box->Label_TM.SetCaption(s.CountText + "秒");

    box->MemoMsg.SetText("");
    MKBoxLayoutInput in;
    in.Kind = kind;
    in.Countdown = s.Countdown;
    in.Default = def;
    in.TextWidth = box->Msg.Width();
    in.TextHeight = box->Msg.Height();
    in.FontHeight = box->FontHeight;
    RECT client;
    GetClientRect(box->Handle(), &client);
    ui::Rect outer = ui::WindowRect(box->Handle());
    in.FrameWidth = outer.Width - client.right;
    in.FrameHeight = outer.Height - client.bottom;
    in.CountWidth = box->Label_TM.Width();
    in.CountHeight = box->Label_TM.Height();
    MKBoxLayout l = LayoutMKBox(in);
    ApplyLayout(*box, l);
    box->MemoMsg.SetText(WithCarriageReturns(text));

    ui::Rect place = PlaceOverMainWindow(SourceHandle, l.Width, l.Height);
    box->SetBounds(place.Left, place.Top, place.Width, place.Height);

    box->SetCaption(Title.empty() ? app.Title() : Title);
    box->TMCountS.SetCaption(s.CountText);
    box->Timer1.SetEnabled(s.Countdown);
    box->TakeMainWindowColours();

    int answer = box->ShowModal();
    if (answer == kTimedOut) answer = def;
    box->Hide();
    box->Repaint();
    return answer;
}

}  // namespace obsc32
