// Windows destroyed while they are alive: no fault anywhere, and no message for an object already going.
#include <algorithm>
#include <atomic>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"
#include "ui/application.hpp"
#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/label.hpp"
#include "ui/memo.hpp"
#include "ui/timer.hpp"
#include "widgets/TColorBtn.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "wine/fixture.hpp"
#include "wine/recording_prompter.hpp"

using namespace testing_wine;

namespace {

std::atomic<int> accessViolations{0};

LONG CALLBACK CountAccessViolations(EXCEPTION_POINTERS* e) {
    if (e->ExceptionRecord->ExceptionCode == EXCEPTION_ACCESS_VIOLATION) ++accessViolations;
    return EXCEPTION_CONTINUE_SEARCH;
}

// What reached the object, kept outside it since the object goes; "~" marks where its destructor began.
using Log = std::vector<std::string>;

std::string NameOf(UINT msg) {
    switch (msg) {
        case WM_NCCREATE: return "WM_NCCREATE";
        case WM_CREATE: return "WM_CREATE";
        case WM_DESTROY: return "WM_DESTROY";
        case WM_NCDESTROY: return "WM_NCDESTROY";
        default: return std::to_string(msg);
    }
}

// A form with a control of every kind, hints over a window and over an area, and timers ticking, paused
// and never started.
class EveryKindForm : public ui::Form {
public:
    explicit EveryKindForm(Log* log = nullptr) : ui::Form(nullptr, "EveryKind", "TEveryKindForm"), log_(log) {
        SetBounds(100, 100, 300, 200);
        Button.SetBounds(10, 10, 75, 25);
        Label.SetBounds(10, 50, 100, 20);
        Image.SetBounds(120, 50, 32, 32);
        Memo.SetBounds(10, 100, 200, 60);
        Memo.TabStop = true;
        ShowHint = true;
        Button.Hint = "ボタン";
        Label.Hint = "ラベル";
        Paused.SetEnabled(true);
        Paused.SetEnabled(false);
        Ticking.OnTimer = [this](ui::Component*) { ++ticks; };
    }
    ~EveryKindForm() override {
        if (log_) log_->push_back("~");
    }

    obsc32::TColorBtn Button{this, "Button", "&OK"};
    ui::Label Label{this, "Label", "ラベル"};
    ui::Image Image{this, "Image"};
    ui::Memo Memo{this, "Memo"};
    ui::Timer Ticking{this, "Ticking", 10, true};
    ui::Timer Paused{this, "Paused", 10, false};
    ui::Timer NeverStarted{this, "NeverStarted", 10, false};
    int ticks = 0;

protected:
    bool FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (log_) log_->push_back(NameOf(msg));
        return false;
    }

private:
    Log* log_;
};

class Teardown : public ::testing::Test {
protected:
    void SetUp() override {
        accessViolations = 0;
        handler_ = AddVectoredExceptionHandler(1, CountAccessViolations);
    }
    void TearDown() override {
        RemoveVectoredExceptionHandler(handler_);
        ui::Application::Instance().Reset();
        DeleteProductKeys();
    }
    void* handler_ = nullptr;
};

// The messages a window's procedure was called with, as the system reports them.
std::vector<UINT>* hooked;
LRESULT CALLBACK RecordSent(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    char cls[32] = {};
    GetClassNameA(m->hwnd, cls, sizeof cls);
    if (code == HC_ACTION && std::string(cls) == "TEveryKindForm") hooked->push_back(m->message);
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class Recording {
public:
    explicit Recording(std::vector<UINT>& into) {
        hooked = &into;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, RecordSent, nullptr, GetCurrentThreadId());
    }
    ~Recording() { UnhookWindowsHookEx(hook_); }

private:
    HHOOK hook_;
};

bool Has(const std::vector<UINT>& v, UINT msg) { return std::find(v.begin(), v.end(), msg) != v.end(); }

}  // namespace

TEST_F(Teardown, LiveWindowsOfEveryKindGoWithoutAFault) {
    {
        // Destroyed with its window up, a timer ticking and the focus on a control.
        EveryKindForm form;
        ASSERT_TRUE(form.Create());
        form.Show();
        form.Memo.SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return form.ticks > 2; }));
    }
    EXPECT_EQ(accessViolations, 0) << "a form going with its window";

    {
        ui::Timer ticking(nullptr, "Ticking", 10, true), paused(nullptr, "Paused", 10, true),
            never(nullptr, "Never", 10, false);
        int ticks = 0;
        ticking.OnTimer = [&](ui::Component*) { ++ticks; };
        paused.SetEnabled(false);
        ASSERT_TRUE(WaitUntil([&] { return ticks > 2; }));
    }
    EXPECT_EQ(accessViolations, 0) << "timers of their own";

    auto& app = ui::Application::Instance();
    EveryKindForm& owned = app.CreateForm<EveryKindForm>();
    owned.Show();
    owned.Button.SetFocus();
    app.Reset();
    EXPECT_EQ(accessViolations, 0) << "forms the application owns";

    {
        // Boxes answered by their close box, and one by its timeout with its timer still set.
        obsc32::TMKBoxDlg dlg(nullptr, "MKBoxDlg1");
        dlg.TimerCount = 1;
        BoxWatcher closer;
        EXPECT_EQ(dlg.MsgOK("閉じる"), 2);
        EXPECT_EQ(dlg.MsgYesNoTimer("閉じる", 6), 2);
    }
    {
        obsc32::TMKBoxDlg dlg(nullptr, "MKBoxDlg1");
        dlg.TimerCount = 1;
        EXPECT_EQ(dlg.MsgOKTimer("時間切れ", 1), 1);
    }
    EXPECT_EQ(accessViolations, 0) << "message boxes";

    DeleteProductKeys();
    SetProductValue("Version", "12");
    obsc32::TOBSCURIO32VANTE& cover =
        app.CreateForm<obsc32::TOBSCURIO32VANTE>(TestRun(obsc32::ProgramPath()));
    ASSERT_TRUE(IsWindow(cover.Handle()));
    app.Reset();
    EXPECT_EQ(FindWindowW(testing_common::W(obsc32::kCoverClassName).c_str(), nullptr), nullptr);
    EXPECT_EQ(accessViolations, 0) << "the cover";
}

TEST_F(Teardown, TheObjectSeesItsWindowsWholeLifeAndNothingOnceItGoes) {
    std::vector<UINT> sent;
    Log seen;
    {
        Recording recording(sent);
        auto& app = ui::Application::Instance();
        EveryKindForm& form = app.CreateForm<EveryKindForm>(&seen);
        HWND wnd = form.Handle();
        form.Show();
        form.Button.SetFocus();
        app.Reset();
        EXPECT_FALSE(IsWindow(wnd));
    }
    ASSERT_FALSE(sent.empty());
    // Every message the window got reached the object, from the first one to the last.
    Log expected;
    for (UINT m : sent)
        if (m != WM_NCDESTROY) expected.push_back(NameOf(m));
    expected.push_back("~");
    EXPECT_EQ(seen, expected);
    EXPECT_TRUE(Has(sent, WM_NCCREATE) && Has(sent, WM_CREATE) && Has(sent, WM_DESTROY) &&
                Has(sent, WM_NCDESTROY));

    // Destroyed by its own destructor: the window goes, and the object hears nothing once that has begun.
    sent.clear();
    seen.clear();
    HWND wnd = nullptr;
    {
        Recording recording(sent);
        EveryKindForm form(&seen);
        ASSERT_TRUE(form.Create());
        wnd = form.Handle();
        form.Show();
        form.Memo.SetFocus();
        ASSERT_TRUE(WaitUntil([&] { return GetFocus() == form.Memo.Handle(); }));
        sent.clear();
        seen.clear();
    }
    EXPECT_FALSE(IsWindow(wnd));
    EXPECT_TRUE(Has(sent, WM_DESTROY) && Has(sent, WM_NCDESTROY));
    EXPECT_EQ(seen, Log{"~"});
    EXPECT_EQ(accessViolations, 0);
}
