// The input controls on a real form: typing, picking, ticking, their colours on the screen, their hints.
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "ui/check_box.hpp"
#include "ui/combo_box.hpp"
#include "ui/edit.hpp"
#include "ui/form.hpp"
#include "ui/gdi.hpp"
#include "wine/fixture.hpp"

using namespace testing_wine;

namespace {

const COLORREF kGreen = RGB(0, 128, 0);
const COLORREF kNavy = RGB(0, 0, 128);
const COLORREF kYellow = RGB(255, 255, 0);

class InputsForm : public ui::Form {
public:
    InputsForm() : ui::Form(nullptr, "Inputs", "TInputsTestForm") {
        Border = ui::BorderStyle::None;
        ShowHint = true;
        SetBounds(200, 200, 360, 200);
        SetColor(kGreen);
        Name.SetBounds(10, 10, 200, 24);
        Group.SetBounds(10, 44, 200, 150);
        Box.SetBounds(10, 80, 200, 20);
        Quiet.SetBounds(10, 110, 200, 20);
        Name.Hint = "名前";
        Group.Hint = "グループ";
        Quiet.Hint = "出さないヒント";
        Quiet.ShowHint = false;
        Quiet.SetChecked(true);
        Name.OnChange = [this](ui::Component* s) { changes.push_back(s == &Name ? Name.Text() : "?"); };
        Group.OnChange = [this](ui::Component* s) { changes.push_back(s == &Group ? Group.Text() : "?"); };
        Box.OnClick = [this](ui::Component* s) { clicks += s == &Box ? 1 : 100; };
    }
    ui::Edit Name{this, "Name"};
    ui::ComboBox Group{this, "Group"};
    ui::CheckBox Box{this, "Box", "MMM"};
    ui::CheckBox Quiet{this, "Quiet", "MMM"};
    std::vector<std::string> changes;
    int clicks = 0;
};

using testing_common::TextOf;

std::vector<std::string> Rows(HWND combo) {
    std::vector<std::string> rows;
    const int n = static_cast<int>(SendMessageA(combo, CB_GETCOUNT, 0, 0));
    for (int i = 0; i < n; ++i) {
        wchar_t text[256] = {};
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text));
        rows.push_back(testing_common::U(text));
    }
    return rows;
}

// A point near the right end of a window, clear of any short text at its left.
COLORREF Background(HWND wnd) {
    const RECT r = testing_common::RectOf(wnd);
    return ScreenPixel(r.right - 6, (r.top + r.bottom) / 2);
}

HWND ComboEdit(const ui::ComboBox& combo) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(combo.Handle(), &info);
    return info.hwndItem;
}

int CountOf(HWND wnd, COLORREF color) {
    std::vector<COLORREF> px = ScreenPixels(testing_common::RectOf(wnd));
    return static_cast<int>(std::count(px.begin(), px.end(), color));
}

// The form's tooltip is a window of its own that the form owns.
HWND TipOf(HWND form) {
    for (HWND w : testing_common::WindowsOf(GetCurrentProcessId(), TOOLTIPS_CLASSA))
        if (GetWindow(w, GW_OWNER) == form) return w;
    return nullptr;
}

class Inputs : public ::testing::Test {
protected:
    void SetUp() override {
        // The pointer waits away from where the form appears.
        ASSERT_TRUE(input::MoveTo({100, 100}));
        form_ = std::make_unique<InputsForm>();
        ASSERT_TRUE(form_->Create());
        SetWindowPos(form_->Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_SHOWWINDOW);
        SetForegroundWindow(form_->Handle());
        ASSERT_TRUE(WaitUntil([&] { return GetForegroundWindow() == form_->Handle(); }));
    }
    void TearDown() override { form_.reset(); }
    std::unique_ptr<InputsForm> form_;
};

}  // namespace

TEST_F(Inputs, EditTakesTypedKeysAndTabMovesOnThroughTheComboBox) {
    InputsForm& f = *form_;
    LONG style = GetWindowLongA(f.Name.Handle(), GWL_STYLE);
    EXPECT_TRUE(style & ES_AUTOHSCROLL);
    EXPECT_TRUE(style & WS_TABSTOP);
    EXPECT_TRUE(GetWindowLongA(f.Name.Handle(), GWL_EXSTYLE) & WS_EX_CLIENTEDGE);

    f.Name.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == f.Name.Handle(); }));
    input::Key('1');
    input::Key('2');
    ASSERT_TRUE(WaitUntil([&] { return TextOf(f.Name.Handle()) == "12"; }));
    EXPECT_EQ(f.Name.Text(), "12");
    EXPECT_EQ(f.changes, (std::vector<std::string>{"1", "12"}));
    f.Name.SelectAll();
    DWORD from = 0, to = 0;
    SendMessageA(f.Name.Handle(), EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, 2u);

    // The focus in the combo box's edit is the combo box's: Tab goes on to the box after it.
    input::Key(VK_TAB);
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == ComboEdit(f.Group); }));
    EXPECT_EQ(f.FocusedControl(), &f.Group);
    EXPECT_TRUE(f.Group.Focused());
    input::Key(VK_TAB);
    EXPECT_TRUE(WaitUntil([&] { return GetFocus() == f.Box.Handle(); }));
}

TEST_F(Inputs, ComboBoxSortsWhileAskedAndFindsAndPicksRows) {
    ui::ComboBox& g = form_->Group;
    g.SetSorted(true);
    EXPECT_EQ(g.Add("Main"), 0);
    EXPECT_EQ(g.Add("Accessories"), 0);
    EXPECT_EQ(g.Add("Games"), 1);
    g.SetSorted(false);
    EXPECT_EQ(g.Add("VANTE SOFT32"), 3);
    EXPECT_EQ(g.Add("beta"), 4);
    EXPECT_EQ(Rows(g.Handle()),
              (std::vector<std::string>{"Accessories", "Games", "Main", "VANTE SOFT32", "beta"}));

    // Sorting again puts the rows in order, letter case ignored, and the selection goes with its row.
    g.SetItemIndex(4);
    g.SetSorted(true);
    EXPECT_EQ(Rows(g.Handle()),
              (std::vector<std::string>{"Accessories", "beta", "Games", "Main", "VANTE SOFT32"}));
    EXPECT_EQ(SendMessageA(g.Handle(), CB_GETCURSEL, 0, 0), 1);
    EXPECT_EQ(TextOf(g.Handle()), "beta");

    EXPECT_EQ(g.IndexOf("main"), -1);
    EXPECT_EQ(g.IndexOf("Main"), 3);
    g.Delete(g.IndexOf("Main"));
    EXPECT_EQ(Rows(g.Handle()), (std::vector<std::string>{"Accessories", "beta", "Games", "VANTE SOFT32"}));
    g.SetItemIndex(2);
    EXPECT_EQ(TextOf(g.Handle()), "Games");
    EXPECT_EQ(g.Text(), "Games");
    EXPECT_TRUE(form_->changes.empty());

    // The user's changes: a row picked with the keys, then typing.
    g.SetFocus();
    ASSERT_TRUE(WaitUntil([&] { return GetFocus() == ComboEdit(g); }));
    input::Key(VK_DOWN);
    ASSERT_TRUE(WaitUntil([&] { return form_->changes.size() == 1; }));
    EXPECT_EQ(form_->changes[0], "VANTE SOFT32");
    g.SetText("");
    EXPECT_EQ(TextOf(g.Handle()), "");
    input::Key('7');
    ASSERT_TRUE(WaitUntil([&] { return form_->changes.size() == 2; }));
    EXPECT_EQ(form_->changes[1], "7");

    g.Clear();
    EXPECT_EQ(SendMessageA(g.Handle(), CB_GETCOUNT, 0, 0), 0);
    EXPECT_EQ(TextOf(g.Handle()), "");
}

TEST_F(Inputs, CheckBoxClicksOnEveryChangeOfStateAndOnlyThen) {
    InputsForm& f = *form_;
    EXPECT_EQ(SendMessageA(f.Quiet.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_EQ(TextOf(f.Box.Handle()), "MMM");
    f.Box.SetChecked(true);
    EXPECT_EQ(f.clicks, 1);
    EXPECT_EQ(SendMessageA(f.Box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    f.Box.SetChecked(true);
    EXPECT_EQ(f.clicks, 1);
    f.Box.SetChecked(false);
    EXPECT_EQ(f.clicks, 2);
    EXPECT_EQ(SendMessageA(f.Box.Handle(), BM_GETCHECK, 0, 0), BST_UNCHECKED);

    ASSERT_TRUE(ClickAt(f.Box.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return f.clicks == 3; }));
    EXPECT_EQ(SendMessageA(f.Box.Handle(), BM_GETCHECK, 0, 0), BST_CHECKED);
    EXPECT_TRUE(f.Box.Checked());
    // The state the user left is the one a set compares with.
    f.Box.SetChecked(true);
    EXPECT_EQ(f.clicks, 3);
}

TEST_F(Inputs, ColoursFollowTheFormUntilAControlHasItsOwn) {
    InputsForm& f = *form_;
    f.Name.SetText("MMM");
    HWND comboEdit = ComboEdit(f.Group);
    EXPECT_TRUE(WaitUntil([&] {
        return Background(f.Name.Handle()) == kGreen && Background(comboEdit) == kGreen &&
               Background(f.Box.Handle()) == kGreen;
    }));

    // The dropped list too, a window of the desktop's that asks the combo box.
    f.Group.Add("MMM");
    SendMessageA(f.Group.Handle(), CB_SHOWDROPDOWN, TRUE, 0);
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    GetComboBoxInfo(f.Group.Handle(), &info);
    EXPECT_TRUE(
        WaitUntil([&] { return IsWindowVisible(info.hwndList) && Background(info.hwndList) == kGreen; }));
    SendMessageA(f.Group.Handle(), CB_SHOWDROPDOWN, FALSE, 0);

    f.Name.SetColor(GetSysColor(COLOR_WINDOW));
    EXPECT_TRUE(WaitUntil([&] { return Background(f.Name.Handle()) == GetSysColor(COLOR_WINDOW); }));
    EXPECT_EQ(Background(comboEdit), kGreen);

    // The form's new colours reach the controls that take them, and only those.
    f.SetColor(kNavy);
    EXPECT_TRUE(
        WaitUntil([&] { return Background(comboEdit) == kNavy && Background(f.Box.Handle()) == kNavy; }));
    EXPECT_EQ(Background(f.Name.Handle()), GetSysColor(COLOR_WINDOW));
    EXPECT_EQ(CountOf(f.Box.Handle(), kYellow), 0);
    f.SetFontColor(kYellow);
    EXPECT_TRUE(WaitUntil(
        [&] { return CountOf(f.Box.Handle(), kYellow) > 5 && CountOf(f.Name.Handle(), kYellow) > 5; }));
}

// The tooltip is made when the pointer first comes over the form.
TEST_F(Inputs, OnlyControlsThatShowTheirHintGetATool) {
    HWND tip = nullptr;
    auto findTip = [&] { return (tip = TipOf(form_->Handle())) != nullptr; };
    PumpMessages();
    EXPECT_FALSE(findTip());
    const ui::Rect name = ui::WindowRect(form_->Name.Handle());
    ASSERT_TRUE(input::MoveTo({name.Left + name.Width / 2, name.Top + name.Height / 2}));
    ASSERT_TRUE(WaitUntil(findTip));
    const int n = static_cast<int>(SendMessageA(tip, TTM_GETTOOLCOUNT, 0, 0));
    std::vector<HWND> tools;
    for (int i = 0; i < n; ++i) {
        TOOLINFOA ti{};
        ti.cbSize = TTTOOLINFOA_V1_SIZE;
        if (SendMessageA(tip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&ti)))
            tools.push_back(reinterpret_cast<HWND>(ti.uId));
    }
    std::sort(tools.begin(), tools.end());
    // The combo box's edit takes the pointer over its text, so it carries the combo box's hint.
    std::vector<HWND> expected{form_->Name.Handle(), form_->Group.Handle(),
                               GetWindow(form_->Group.Handle(), GW_CHILD)};
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(tools, expected);
}
