// The setup window as a new user first sees it: colours, the proposed folder, the group list, and the two
// colour options.
#include <windows.h>
// After windows.h, which it needs.
#include <commctrl.h>

#include <algorithm>
#include <atomic>

#include <gtest/gtest.h>

#include "settings/product.hpp"
#include "setup/setup_values.hpp"
#include "ui/application.hpp"
#include "ui/gdi.hpp"
#include "wine/dde_server.hpp"
#include "wine/setup_fixture.hpp"

using namespace testing_wine;
using Rows = std::vector<std::string>;

namespace {
constexpr COLORREF kGreen = RGB(0, 128, 0);

bool Checked(const ui::CheckBox& box) { return SendMessageA(box.Handle(), BM_GETCHECK, 0, 0) == BST_CHECKED; }

// A point of the window's face that no control covers, and one inside the folder field, on screen.
POINT FacePoint(const obsc32::TOBSC32SETUPForm& f) {
    POINT p{340, 75};
    ClientToScreen(f.Handle(), &p);
    return p;
}
POINT FieldPoint(const obsc32::TOBSC32SETUPForm& f) {
    POINT p{280, 45};
    ClientToScreen(f.Handle(), &p);
    return p;
}
COLORREF Shown(POINT p) { return ScreenPixel(p.x, p.y); }

Rows ComboRows(const ui::ComboBox& c) {
    Rows rows;
    for (int i = 0; i < c.Count(); ++i) rows.push_back(c.Item(i));
    return rows;
}

class SetupWindow : public SetupFixture {};
}  // namespace

TEST_F(SetupWindow, FirstComesUpGreenProposingTheDefaultFolderAndTheMakersGroup) {
    auto& f = Create();
    EXPECT_EQ(testing_common::TextOf(f.Handle()), "真っ黒すみかげ V1.2 登録");
    EXPECT_EQ(ui::Application::Instance().Title(), "真っ黒すみかげ V1.2 登録");
    EXPECT_EQ(testing_common::TextOf(f.Label1.Handle()), "OBSC32.EXEを置くフォルダーの設定：");
    EXPECT_EQ(testing_common::TextOf(f.Label2.Handle()), "OBSC32.EXEを登録するグループの選択：");
    EXPECT_EQ(testing_common::TextOf(f.Edit1.Handle()), run_.WindowsFolder.substr(0, 3) + "VERADO32\\OBSC32");
    EXPECT_TRUE(Checked(f.VANTE_COLOR));
    EXPECT_FALSE(Checked(f.CheckBoxBkColor));
    EXPECT_TRUE(WaitUntil([&] { return Shown(FacePoint(f)) == kGreen && Shown(FieldPoint(f)) == kGreen; }))
        << std::hex << Shown(FacePoint(f)) << " " << Shown(FieldPoint(f));

    // Wine's Program Manager answered: its groups, then the maker's group last and chosen.
    Rows rows = ComboRows(f.ComboBox1);
    ASSERT_FALSE(rows.empty());
    EXPECT_EQ(rows.back(), "VANTE SOFT32");
    EXPECT_EQ(testing_common::TextOf(f.ComboBox1.Handle()), "VANTE SOFT32");

    // "設定" lies over "設定中", which shows only while an install hides it.
    RECT top, under;
    GetWindowRect(f.Button3.Handle(), &top);
    GetWindowRect(f.Button5.Handle(), &under);
    EXPECT_TRUE(EqualRect(&top, &under));
    HWND below = f.Button3.Handle();
    while (below && below != f.Button5.Handle()) below = GetWindow(below, GW_HWNDNEXT);
    EXPECT_EQ(below, f.Button5.Handle()) << "設定中 lies above 設定";
}

TEST_F(SetupWindow, TheColourOptionsExcludeEachOther) {
    auto& f = Create();
    ASSERT_TRUE(ClickAt(f.CheckBoxBkColor.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Checked(f.CheckBoxBkColor); }));
    EXPECT_FALSE(Checked(f.VANTE_COLOR));
    EXPECT_TRUE(WaitUntil([&] {
        return Shown(FacePoint(f)) == GetSysColor(COLOR_BTNFACE) &&
               Shown(FieldPoint(f)) == GetSysColor(COLOR_WINDOW);
    })) << std::hex
        << Shown(FacePoint(f)) << " " << Shown(FieldPoint(f));

    ASSERT_TRUE(ClickAt(f.VANTE_COLOR.Handle()));
    ASSERT_TRUE(WaitUntil([&] { return Checked(f.VANTE_COLOR); }));
    EXPECT_FALSE(Checked(f.CheckBoxBkColor));
    EXPECT_TRUE(WaitUntil([&] { return Shown(FacePoint(f)) == kGreen && Shown(FieldPoint(f)) == kGreen; }))
        << std::hex << Shown(FacePoint(f)) << " " << Shown(FieldPoint(f));
}

TEST_F(SetupWindow, StoredValuesAreProposedAndTheDefaultsButtonRestoresTheFolder) {
    SetProductValue("EXEPATH", "D:\\Tools");
    SetProductValue("BackColor", "1");
    SetProductValue("VANTE_COLOR", "0");
    auto& f = Create();
    EXPECT_TRUE(Checked(f.CheckBoxBkColor));
    EXPECT_FALSE(Checked(f.VANTE_COLOR));
    EXPECT_TRUE(WaitUntil([&] { return Shown(FieldPoint(f)) == GetSysColor(COLOR_WINDOW); }));
    EXPECT_EQ(testing_common::TextOf(f.Edit1.Handle()), "D:\\Tools");
    f.Edit1.SetText("C:\\elsewhere");
    ASSERT_TRUE(ClickAt(f.Button4.Handle()));
    EXPECT_TRUE(WaitUntil([&] { return testing_common::TextOf(f.Edit1.Handle()) == "D:\\Tools"; }));
    EXPECT_EQ(GetFocus(), f.Edit1.Handle());
}

TEST_F(SetupWindow, TheGroupListIsSortedWithTheMakersGroupsLast) {
    struct Case {
        std::string reply, stored;
        Rows rows;
        std::string chosen;
    };
    const Case cases[] = {
        {"Main\r\nAccessories\r\nVANTE SOFT32\r\nGames\r\n",
         "",
         {"Accessories", "Games", "Main", "VANTE SOFT32"},
         "VANTE SOFT32"},
        {"Main\r\nAccessories\r\nVANTE SOFT32\r\nGames\r\n",
         "Games",
         {"Accessories", "Games", "Main", "VANTE SOFT32"},
         "Games"},
        {"\r\nZeta\r\nVANTE SOFT\r\nアクセサリ\r\nalpha\r\n",
         "Gone",
         {"alpha", "Zeta", "アクセサリ", "VANTE SOFT", "VANTE SOFT32"},
         "VANTE SOFT32"},
    };
    ASSERT_NE(QuietDesktop(), nullptr);
    for (const Case& c : cases) {
        DeleteProductKeys();
        if (!c.stored.empty()) SetProductValue("Group", c.stored);
        TestDdeServer progman("PROGMAN", "PROGMAN", true, c.reply + std::string(1, '\0'));
        ASSERT_TRUE(progman.Serving());
        Rows rows;
        std::string chosen;
        RunOnQuietDesktop([&] {
            obsc32::TOBSC32SETUPForm f(run_);
            f.OwnedByApplication = false;
            if (!f.Create()) return;
            rows = ComboRows(f.ComboBox1);
            chosen = testing_common::TextOf(f.ComboBox1.Handle());
        });
        EXPECT_EQ(rows, c.rows) << c.reply;
        EXPECT_EQ(chosen, c.chosen) << c.reply;
    }
}

namespace {
BOOL CALLBACK FindTooltip(HWND wnd, LPARAM found) {
    char cls[32] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (pid == GetCurrentProcessId() && lstrcmpA(cls, "tooltips_class32") == 0) {
        *reinterpret_cast<HWND*>(found) = wnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

TEST_F(SetupWindow, OnlyTheFieldsShowHintsAndEscCancelsWithItsMessage) {
    auto& f = Create();
    HWND tooltip = nullptr;
    const ui::Rect field = ui::WindowRect(f.Edit1.Handle());
    ASSERT_TRUE(input::MoveTo({field.Left + field.Width / 2, field.Top + field.Height / 2}));
    ASSERT_TRUE(WaitUntil([&] {
        EnumWindows(FindTooltip, reinterpret_cast<LPARAM>(&tooltip));
        return tooltip != nullptr;
    }));
    std::vector<HWND> tools;
    TOOLINFOA info{};
    info.cbSize = TTTOOLINFOA_V1_SIZE;
    for (int i = 0; SendMessageA(tooltip, TTM_ENUMTOOLSA, i, reinterpret_cast<LPARAM>(&info)); ++i)
        tools.push_back(reinterpret_cast<HWND>(info.uId));
    EXPECT_EQ(tools.size(), 3u) << "the two fields and the combo box's edit";
    EXPECT_NE(std::find(tools.begin(), tools.end(), f.Edit1.Handle()), tools.end());
    EXPECT_NE(std::find(tools.begin(), tools.end(), f.ComboBox1.Handle()), tools.end());
    // Over the combo box's text its edit has the pointer.
    const ui::Rect text = ui::WindowRect(GetWindow(f.ComboBox1.Handle(), GW_CHILD));
    ASSERT_TRUE(input::MoveTo({text.Left + text.Width / 2, text.Top + text.Height / 2}));
    EXPECT_TRUE(WaitUntil([&] {
        return IsWindowVisible(tooltip) && testing_common::TextOf(tooltip) == "登録グループ名を選びます";
    })) << testing_common::TextOf(tooltip);

    SetForegroundWindow(f.Handle());
    f.Edit1.SetFocus();
    BoxWatcher boxes;
    input::Key(VK_ESCAPE);
    EXPECT_TRUE(WaitUntil([&] { return !f.HandleAllocated(); })) << "the window stayed";
    EXPECT_EQ(boxes.Texts(), std::vector<std::string>{obsc32::kCancelText});
    EXPECT_EQ(ProductValueNames(), std::vector<std::string>{});
}

TEST_F(SetupWindow, ARefusedInstallIsToldAndLeavesTheWindowReady) {
    auto& f = Create();
    f.ComboBox1.SetText("");
    BoxWatcher boxes;
    f.Button3Click(&f.Button3);
    EXPECT_EQ(boxes.Texts(), Rows{obsc32::kNoGroupText});
    EXPECT_TRUE(IsWindowVisible(f.Handle()));
    EXPECT_TRUE(IsWindowVisible(f.Button3.Handle()));
    EXPECT_EQ(ProductValueNames(), Rows{});
}

TEST_F(SetupWindow, HandsItsCaptionAndColoursToStageTwoSystemColoursByTheirIndex) {
    auto& f = Create();
    const obsc32::HandedLook green = f.Look();
    EXPECT_EQ(green.Title, "真っ黒すみかげ V1.2 登録");
    EXPECT_EQ(green.Color, "32768");
    EXPECT_EQ(green.FontColor, "16777215");
    f.VANTE_COLOR.SetChecked(false);
    const obsc32::HandedLook system = f.Look();
    EXPECT_EQ(system.Color, "-2147483633");
    EXPECT_EQ(system.FontColor, "-2147483640");
}

TEST_F(SetupWindow, CancelEscAndTheCloseBoxWaitWhileAnInstallRuns) {
    auto& f = Create();
    f.Edit1.SetText(std::string(kSetupRoot) + "\\inst");
    f.ComboBox1.SetText("OBSC32 試験");
    // Waiting when the install starts, and so handled between its steps.
    testing_common::input::PostClick(f.Button2.Handle());
    PostMessageA(f.Edit1.Handle(), WM_KEYDOWN, VK_ESCAPE, 0);
    PostMessageA(f.Handle(), WM_CLOSE, 0, 0);
    HWND wnd = f.Handle();
    BoxWatcher boxes(testing_common::kProgramBox, [](const std::string& text) {
        return text.find(obsc32::kMakeFolderQuestion) != std::string::npos ? "はい" : "";
    });
    f.Button3Click(&f.Button3);
    EXPECT_EQ(ReadProductValue("Version"), "12");
    const Rows texts = boxes.Texts();
    ASSERT_EQ(texts.size(), 2u);
    EXPECT_NE(texts[1].find("登録完了です。"), std::string::npos) << texts[1];
    // Closed by the install's end, not before.
    EXPECT_FALSE(IsWindow(wnd));
    RemoveTree(testing_common::ShellFolder("Programs") + "\\OBSC32 試験");
    CloseGroupWindows();
}

TEST_F(SetupWindow, AClickSentInOneInputOnSetStartsTheInstallWithSetInProgressInItsPlace) {
    auto& f = Create();
    EXPECT_FALSE(IsWindowVisible(f.Button5.Handle())) << "設定中 shows under 設定";
    const std::string folder = std::string(kSetupRoot) + "\\new";
    f.Edit1.SetText(folder);
    std::atomic<bool> swapped = false;
    BoxWatcher boxes(testing_common::kProgramBox, [&](const std::string&) {
        swapped = !IsWindowVisible(f.Button3.Handle()) && IsWindowVisible(f.Button5.Handle());
        return "いいえ";
    });
    const POINT at = testing_common::CenterOf(f.Button3.Handle());
    ASSERT_TRUE(input::MoveTo(at));
    input::ClickInOne(at);
    EXPECT_TRUE(WaitUntil([&] { return boxes.Count() == 1 && IsWindowVisible(f.Button3.Handle()); }));
    EXPECT_EQ(boxes.Texts(), Rows{folder + "\r\n" + obsc32::kMakeFolderQuestion});
    EXPECT_TRUE(swapped) << "設定中 not in 設定's place while it ran";
    EXPECT_FALSE(IsWindowVisible(f.Button5.Handle())) << "設定中 stays under 設定";
}
