// The cover under load and faults: ten second starts at once, a thousand face switches and menu openings
// with what the process holds read from outside it before and after, and a forced end.
#include <cstdio>
#include <set>

#include "common/bmp_files.hpp"
#include "common/holdings.hpp"
#include "common/text.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

// What a process holds, read from outside it.
struct Holdings {
    std::string windows;  // the classes of its windows, top-level ones and their children
    int gdiObjects = 0;
    SIZE_T privateBytes = 0;
};

Holdings HoldingsOf(const Program& program) {
    Holdings h;
    for (HWND w : WindowsOf(program.Pid(), nullptr)) {
        h.windows += " " + ClassOf(w);
        for (HWND child : ChildrenOf(w)) h.windows += " " + ClassOf(child);
    }
    h.gdiObjects = GdiObjectCount(program.Handle());
    h.privateBytes = MemoryOf(program.Handle()).privateBytes;
    return h;
}

class CoverLoad : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        registry::SetString("Version", "12");
    }
    void TearDown() override {
        CoverTest::TearDown();
        DeleteFileW(testing_common::W(kPicture).c_str());
    }

    // Opens a tray menu as the shell reports a click, and leaves it with keys posted to the menu: its loop
    // reads the keys of its whole thread, and no pointer or focus is needed, so rounds take milliseconds.
    // `downs` 0 closes it with Escape, otherwise chooses the item that many down.
    bool UseMenu(UINT mouseMessage, int downs) {
        if (!PostMessageA(cover_, kTrayMessage, 0, mouseMessage)) return false;
        HWND menu = WaitForOneMenu();
        if (!menu) return false;
        for (int i = 0; i < downs; ++i) PostMessageA(menu, WM_KEYDOWN, VK_DOWN, 0);
        PostMessageA(menu, WM_KEYDOWN, downs ? VK_RETURN : VK_ESCAPE, 0);
        return WaitUntil([&] { return Menus().empty(); });
    }

    const std::string kPicture = "C:\\windows\\obsc32load.bmp";
};

TEST_F(CoverLoad, TenSecondStartsAtOnceEachGetOneNoticeAndAllEndWhileTheCoverKeepsAnswering) {
    ASSERT_NO_FATAL_FAILURE(StartCover());
    std::vector<std::unique_ptr<Program>> seconds;
    for (int i = 0; i < 10; ++i) seconds.push_back(std::make_unique<Program>("start" + std::to_string(i)));
    auto running = [&] {
        int n = 0;
        for (auto& s : seconds) n += s->Running();
        return n;
    };
    // Left to count down: they come nested, each new one disabling the ones before it, and all run out.
    std::set<HWND> notices;
    size_t mostAtOnce = 0;
    bool answering = true;
    EXPECT_TRUE(WaitUntil(
        [&] {
            std::vector<HWND> shown = WindowsOf(program_->Pid(), kBoxClass, true);
            mostAtOnce = std::max(mostAtOnce, shown.size());
            for (HWND box : shown) {
                if (!notices.insert(box).second) continue;
                std::vector<HWND> memo = ChildrenOf(box, "Edit");
                EXPECT_TRUE(!memo.empty() &&
                            TextOf(memo.front()).find("既に常駐しています") != std::string::npos);
            }
            for (auto& s : seconds)
                EXPECT_TRUE(s->VisibleWindows().empty()) << "a second start showed a window";
            answering = answering && Answers(cover_);
            return running() == 0 && WindowsOf(program_->Pid(), kBoxClass, true).empty();
        },
        60000))
        << running() << " second starts still running";
    EXPECT_TRUE(answering) << "the cover stopped answering while its notices showed";
    EXPECT_EQ(notices.size(), 10u) << "notices seen, " << mostAtOnce << " at most at once";
    for (auto& s : seconds) EXPECT_EQ(s->ExitCode(), 0u);
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{cover_});
    EXPECT_TRUE(Answers(cover_));
    HWND menu = OpenMenu(WM_RBUTTONDOWN);
    EXPECT_NE(menu, nullptr) << "the tray menu did not open afterwards";
    if (menu) {
        EXPECT_TRUE(CloseMenuWithEscape());
    }
}

TEST_F(CoverLoad, AThousandFaceSwitchesAndMenuOpeningsHoldNoMoreWindowsGdiObjectsOrMemory) {
    constexpr COLORREF kRed = RGB(255, 0, 0), kBlack = RGB(0, 0, 0);
    ASSERT_TRUE(SaveBmp24(kPicture, 8, 8, [&](int, int) { return kRed; }));
    registry::SetString("BMPFile", kPicture);
    registry::SetString("Kabe", "0");
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // The menus open here, clear of the screen's centre, where the faces are read.
    input::PlaceCursor({650, 40});
    // The capture is taken once, of the bare desktop, and kept: each face then has a colour of its own.
    const COLORREF desktop = ScreenPixel(512, 384);
    ASSERT_NE(desktop, kRed);
    ASSERT_NE(desktop, kBlack);
    struct Face {
        int downs;
        COLORREF color;
    };
    const Face faces[] = {{2, desktop}, {1, kBlack}, {3, kRed}};  // capture, black, wallpaper
    // Each switch is seen on the screen before the next, so no command runs inside another's.
    auto switchFaces = [&](int rounds) {
        for (int i = 0; i < rounds; ++i) {
            const Face& face = faces[i % 3];
            if (!UseMenu(WM_RBUTTONDOWN, face.downs)) return i;
            if (!WaitUntil([&] { return IsWindowVisible(cover_) && ScreenPixel(512, 384) == face.color; }))
                return i;
        }
        return rounds;
    };
    auto openMenus = [&](int rounds) {
        for (int i = 0; i < rounds; ++i)
            if (!UseMenu(i % 2 ? WM_LBUTTONDOWN : WM_RBUTTONDOWN, 0)) return i;
        return rounds;
    };
    const int kRounds = 1000;
    ASSERT_EQ(switchFaces(30), 30);
    ASSERT_EQ(openMenus(30), 30);
    // Measured at rest: a closed menu's window goes a moment after the menu is gone from the screen.
    auto atRest = [&] {
        WaitUntil([&] { return WindowsOf(program_->Pid(), kMenuClass).empty(); }, 3000);
        return HoldingsOf(*program_);
    };
    const Holdings before = atRest();
    ASSERT_GT(before.gdiObjects, 0) << "the GDI handle table cannot be read";
    ASSERT_GT(before.privateBytes, 0u);

    const DWORD start = GetTickCount();
    EXPECT_EQ(switchFaces(kRounds), kRounds) << "a face switch did not show";
    const DWORD switched = GetTickCount();
    EXPECT_EQ(openMenus(kRounds), kRounds) << "a menu did not open or close";
    const DWORD opened = GetTickCount();
    const Holdings after = atRest();
    std::printf("%d face switches in %lu ms, %d menu openings in %lu ms; ", kRounds, switched - start,
                kRounds, opened - switched);
    std::printf("before:%s, %d GDI objects, %lu KB; after:%s, %d, %lu KB\n", before.windows.c_str(),
                before.gdiObjects, static_cast<unsigned long>(before.privateBytes / 1024),
                after.windows.c_str(), after.gdiObjects,
                static_cast<unsigned long>(after.privateBytes / 1024));
    EXPECT_EQ(after.windows, before.windows);
    // A little room for what the system caches on the program's behalf; a leak per round is far more.
    EXPECT_LE(after.gdiObjects, before.gdiObjects + 8);
    EXPECT_LE(after.privateBytes, before.privateBytes + 64 * 1024);
    EXPECT_TRUE(Answers(cover_));
}

TEST_F(CoverLoad, ACoverEndedByForceLeavesTheStoredSettingsAndTheNextStartWorks) {
    for (const auto& [name, value] : {std::pair<const char*, const char*>{"mode", "0"},
                                      {"ICHI", "4"},
                                      {"UE", "1"},
                                      {"MUE", "0"},
                                      {"BMPFile", "C:\\pictures\\mine.bmp"},
                                      {"Kabe", "0"},
                                      {"AUTO", "0"}})
        registry::SetString(name, value);
    ASSERT_NO_FATAL_FAILURE(StartCover());
    // Busy as a person leaves it: the black face shown, then the short menu open.
    ASSERT_TRUE(UseMenu(WM_RBUTTONDOWN, 1));
    ASSERT_TRUE(WaitUntil([&] { return IsWindowVisible(cover_); }));
    const auto stored = registry::ReadAll();
    ASSERT_GE(stored.size(), 8u);
    PostMessageA(cover_, kTrayMessage, 0, WM_LBUTTONDOWN);
    ASSERT_NE(WaitForOneMenu(), nullptr);

    program_->Kill();
    ASSERT_FALSE(program_->Running());
    EXPECT_EQ(registry::ReadAll(), stored);

    ASSERT_NO_FATAL_FAILURE(StartCover());
    EXPECT_EQ(WindowsOf(0, kCoverClass), std::vector<HWND>{cover_});
    EXPECT_FALSE(IsWindowVisible(cover_));
    EXPECT_EQ(registry::ReadAll(), stored);
}

}  // namespace
}  // namespace e2e
