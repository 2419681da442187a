#include "ui/form.hpp"

#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "ui/application.hpp"
#include "ui/image.hpp"
#include "ui/timer.hpp"
#include "widgets/TColorBtn.hpp"
#include "wine/fixture.hpp"

using testing_wine::ScreenPixel;
using testing_wine::WaitUntil;

namespace {

class TestForm : public ui::Form {
public:
    explicit TestForm(const char* className = "TTestForm") : ui::Form(nullptr, "TestForm", className) {
        SetCaption("テスト");
    }
    int creates = 0;
    bool allowClose = true;
    bool throwInCreate = false;

protected:
    void FormCreate() override {
        ++creates;
        if (throwInCreate) throw ui::Error("作成に失敗");
    }
    bool FormCloseQuery() override { return allowClose; }
};

// When a posted probe arrives: whether the window or its button still waits for its paint.
class ProbedForm : public TestForm {
public:
    obsc32::TColorBtn Button{this, "Button", "左"};
    bool waiting = true;

protected:
    bool FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) override {
        if (msg != WM_APP) return false;
        waiting = GetUpdateRect(Handle(), nullptr, FALSE) || GetUpdateRect(Button.Handle(), nullptr, FALSE);
        ModalResult = 6;
        return true;
    }
};

}  // namespace

TEST(Form, CaptionIsTheWindowTextAndCloseAsksFirst) {
    TestForm f;
    ASSERT_TRUE(f.Create());
    EXPECT_EQ(f.creates, 1);
    EXPECT_EQ(testing_common::TextOf(f.Handle()), "テスト");
    // A Unicode window holding the caption in UTF-16, whatever the system's code page.
    EXPECT_TRUE(IsWindowUnicode(f.Handle()));
    wchar_t wide[8] = {};
    GetWindowTextW(f.Handle(), wide, 8);
    EXPECT_EQ(std::wstring(wide), L"\u30c6\u30b9\u30c8");
    EXPECT_FALSE(f.Visible());
    f.Show();
    EXPECT_TRUE(f.Visible());
    // Not the main form: an allowed close hides it.
    f.allowClose = false;
    SendMessageA(f.Handle(), WM_CLOSE, 0, 0);
    EXPECT_TRUE(f.Visible());
    f.allowClose = true;
    SendMessageA(f.Handle(), WM_CLOSE, 0, 0);
    EXPECT_FALSE(f.Visible());
    EXPECT_TRUE(f.HandleAllocated());
}

TEST(Form, FailuresAreReportedAsValuesOrToTheUser) {
    // A class the system refuses (its name is longer than any atom) leaves no window and says so.
    const std::string tooLong(300, 'T');
    TestForm refused(tooLong.c_str());
    EXPECT_FALSE(refused.Create());
    EXPECT_FALSE(refused.HandleAllocated());
    EXPECT_EQ(refused.creates, 0);

    // A failing create handler goes to the standard error report, and the window stays.
    TestForm f;
    f.throwInCreate = true;
    testing_wine::BoxWatcher answerer(testing_common::kPlatformBox);
    EXPECT_TRUE(f.Create());
    EXPECT_TRUE(WaitUntil([&] { return answerer.Count() == 1; }));
    EXPECT_EQ(answerer.Texts(), std::vector<std::string>{"作成に失敗"});
    EXPECT_TRUE(IsWindow(f.Handle()));
}

TEST(Form, ShowModalDisablesTheOthersUntilAResultIsSet) {
    TestForm owner, dialog;
    ASSERT_TRUE(owner.Create());
    owner.Show();
    ASSERT_TRUE(dialog.Create());
    ui::Timer timer(nullptr, "T", 100, true);
    bool ownerDisabledDuring = false, dialogVisibleDuring = false;
    timer.OnTimer = [&](ui::Component*) {
        timer.SetEnabled(false);
        ownerDisabledDuring = !IsWindowEnabled(owner.Handle());
        dialogVisibleDuring = dialog.Visible();
        dialog.ModalResult = 6;
    };
    EXPECT_EQ(dialog.ShowModal(), 6);
    EXPECT_TRUE(ownerDisabledDuring);
    EXPECT_TRUE(dialogVisibleDuring);
    EXPECT_TRUE(IsWindowEnabled(owner.Handle()));
    EXPECT_FALSE(dialog.Visible());

    // The close box ends the loop with 2.
    timer.OnTimer = [&](ui::Component*) {
        timer.SetEnabled(false);
        PostMessageA(dialog.Handle(), WM_CLOSE, 0, 0);
    };
    timer.SetEnabled(true);
    EXPECT_EQ(dialog.ShowModal(), 2);
    EXPECT_TRUE(dialog.HandleAllocated());
}

// A message already waiting is the first the loop takes, ahead of any paint: the window appears whole.
TEST(Form, ShowModalPaintsTheWindowAndItsControlsBeforeItsLoop) {
    ProbedForm dialog;
    dialog.Button.SetBounds(10, 10, 60, 30);
    ASSERT_TRUE(dialog.Create());
    PostMessageA(dialog.Handle(), WM_APP, 0, 0);
    EXPECT_EQ(dialog.ShowModal(), 6);
    EXPECT_FALSE(dialog.waiting);
}

TEST(Form, TheMainFormsCloseEndsTheLoop) {
    auto& app = ui::Application::Instance();
    TestForm& f = app.CreateForm<TestForm>();
    ASSERT_EQ(app.MainForm(), &f);
    app.ShowMainForm = false;
    PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
    app.Run();
    EXPECT_TRUE(app.Terminated());
    EXPECT_FALSE(f.HandleAllocated());
    app.Reset();
}

TEST(Form, AControlGoingLeavesItsFormWorking) {
    TestForm f;
    obsc32::TColorBtn first(&f, "First", "1");
    first.SetBounds(10, 10, 75, 25);
    auto second = std::make_unique<obsc32::TColorBtn>(&f, "Second", "2");
    second->SetBounds(100, 10, 75, 25);
    second->TabOrder = 1;
    ASSERT_TRUE(f.Create());
    f.Show();
    HWND secondWnd = second->Handle();
    second->SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return f.ActiveControl() == second.get(); }));

    second.reset();
    EXPECT_FALSE(IsWindow(secondWnd));
    EXPECT_EQ(f.Controls(), std::vector<ui::Control*>{&first});
    EXPECT_EQ(f.ActiveControl(), nullptr);
    // Tab and the default marking only meet the control that is left.
    f.SelectNext(true);
    EXPECT_TRUE(WaitUntil([&] { return first.Focused() && f.ActiveControl() == &first; }));
    first.SetDefault(true);
    EXPECT_EQ(first.BevelWidth(), 2);
}

TEST(Image, EmptyPictureShowsTheParentColourAndAPictureItsPixels) {
    TestForm f;
    f.Border = ui::BorderStyle::None;
    f.SetBounds(0, 0, 200, 100);
    f.SetColor(RGB(0, 0, 255));
    ui::Image img(&f, "Img");
    img.Align = ui::Align::Client;
    ASSERT_TRUE(f.Create());
    SetWindowPos(f.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(50, 50) == RGB(0, 0, 255); }));

    // A 10 x 10 red picture at the top-left corner, the rest still the parent's colour.
    HDC screen = GetDC(nullptr);
    ui::Bitmap bmp(CreateCompatibleBitmap(screen, 10, 10));
    ReleaseDC(nullptr, screen);
    {
        ui::MemoryDC dc(CreateCompatibleDC(nullptr));
        ui::SelectObjectScope sel(dc.Get(), bmp.Get());
        RECT r{0, 0, 10, 10};
        ui::Brush red(CreateSolidBrush(RGB(255, 0, 0)));
        FillRect(dc.Get(), &r, red.Get());
    }
    img.SetPicture(std::move(bmp));
    EXPECT_EQ(img.PictureSize().cx, 10);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(5, 5) == RGB(255, 0, 0); }));
    EXPECT_EQ(ScreenPixel(50, 50), RGB(0, 0, 255));
    img.Stretch = true;
    InvalidateRect(img.Handle(), nullptr, TRUE);
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(150, 80) == RGB(255, 0, 0); }));
    img.ClearPicture();
    EXPECT_TRUE(WaitUntil([] { return ScreenPixel(5, 5) == RGB(0, 0, 255); }));
    EXPECT_EQ(img.PictureSize().cx, 0);
}
