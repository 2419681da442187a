// The global key pressed as a person presses it: the face chosen last where the placement says, and away.
#include "common/bmp_files.hpp"
#include "common/text.hpp"
#include "e2e/fixture.hpp"

namespace e2e {
namespace {

constexpr COLORREF kBlack = RGB(0, 0, 0), kGreen = RGB(0, 160, 0), kRed = RGB(255, 0, 0);
constexpr RECT kRedBounds{100, 100, 400, 300};

void PressTheKey() { input::KeyChord({VK_CONTROL, VK_MENU}, 'B'); }

class HotKey : public CoverTest {
protected:
    bool Shows(bool top, COLORREF colour, POINT at = {250, 200}) {
        return WaitUntilSteady([&] { return (top ? ShownOnTop() : ShownAtTheBottom()); }, 300) &&
               WaitUntil([&] { return ScreenPixel(at.x, at.y) == colour; });
    }
    // Taken away by the key, and shown by it again with the face chosen last, on top.
    bool HidesAndShowsAgain(COLORREF colour) {
        PressTheKey();
        if (!WaitUntilSteady([&] { return !IsWindowVisible(cover_); }, 100)) return false;
        PressTheKey();
        return Shows(true, colour);
    }
};

TEST_F(HotKey, ShowsEachFaceChosenLastWhereThePlacementSaysOnceWhenHeldAndTakesItAway) {
    const std::string bmp = Program::ScratchFolder() + "green.bmp";
    CreateDirectoryW(testing_common::W(Program::ScratchFolder()).c_str(), nullptr);
    ASSERT_TRUE(SaveBmp24(bmp, 16, 16, [](int, int) { return kGreen; }));
    for (auto [name, value] : {std::pair<const char*, std::string>{"Version", "12"},
                               {"MUE", "0"},
                               {"Kabe", "0"},
                               {"BMPFile", bmp}})
        registry::SetString(name, value);
    ASSERT_NO_FATAL_FAILURE(StartCover());

    // At the bottom, as stored; held down, the key repeats, and the cover stays.
    for (int vk : {VK_CONTROL, VK_MENU, int('B')}) input::KeyDown(static_cast<WORD>(vk));
    EXPECT_TRUE(Shows(false, kBlack, {800, 100})) << "black, at the bottom";
    input::KeyDown('B');
    EXPECT_TRUE(HoldsFor([&] { return ShownAtTheBottom(); }, 500)) << "the held key took it away";
    for (int vk : {int('B'), VK_MENU, VK_CONTROL}) input::KeyUp(static_cast<WORD>(vk));

    // The short menu's wallpaper, then its capture, put it on top.
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_DOWN, 3));
    ASSERT_TRUE(Shows(true, kGreen));
    EXPECT_TRUE(HidesAndShowsAgain(kGreen)) << "the wallpaper";
    PlainWindow red(kRedBounds, kRed);
    red.Show();
    ASSERT_NO_FATAL_FAILURE(ChooseWithKeys(WM_LBUTTONDOWN, VK_DOWN, 2));
    ASSERT_TRUE(Shows(true, kRed));
    // Gone from the screen, the window is still in the capture.
    red.Hide();
    EXPECT_TRUE(HidesAndShowsAgain(kRed)) << "the capture";
    DeleteFileW(testing_common::W(bmp).c_str());
}

// A bad or empty value is decided by the parser (HotKeyText.*); what the cover does with a key it cannot
// have is shown here, with the default key held first by another program: this one.
TEST_F(HotKey, ATakenKeyIsToldOnceTheCoverRunsOnWithoutItAndTheValueIsKept) {
    registry::SetString("Version", "12");
    struct Held {
        bool on = RegisterHotKey(nullptr, 1, MOD_CONTROL | MOD_ALT, 'B') != 0;
        ~Held() { UnregisterHotKey(nullptr, 1); }
    } held;
    ASSERT_TRUE(held.on) << "the test could not take the key";
    program_ = std::make_unique<Program>();
    cover_ = WaitForReadyCover(*program_);
    ASSERT_NE(cover_, nullptr);
    HWND box = WaitForBox(program_->Pid(), [](const std::string& text) {
        return text.rfind("ホットキー「Ctrl+Alt+B」は、ほかのソフトが使っています・・・", 0) == 0;
    });
    ASSERT_NE(box, nullptr) << "no notice";
    EXPECT_NE(BoxText(box).find("説明書の「ホットキー」"), std::string::npos) << BoxText(box);
    ASSERT_TRUE(ClickBoxButton(box, "ＯＫ"));
    ASSERT_TRUE(WaitUntil([&] { return FullMenuShowsFirstFaceChecked(); }));
    PressTheKey();
    EXPECT_TRUE(HoldsFor(
        [&] { return !IsWindowVisible(cover_) && !VisibleWindowOf(kBoxClass, program_->Pid()); }, 500));
    // Closed as the system closes a window: the program ends as a program should.
    PostMessageA(cover_, WM_CLOSE, 0, 0);
    ASSERT_TRUE(program_->WaitForExit());
    EXPECT_EQ(program_->ExitCode(), 0u);
    EXPECT_EQ(registry::ReadAll()["HotKey"], registry::Sz("Ctrl+Alt+B"));
}

}  // namespace
}  // namespace e2e
