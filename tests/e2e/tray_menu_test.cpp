// The tray icon's menus, opened the way the shell reports mouse events over the icon.
#include <algorithm>

#include "e2e/fixture.hpp"

namespace e2e {
namespace {

class TrayMenus : public CoverTest {
protected:
    void SetUp() override {
        CoverTest::SetUp();
        registry::SetString("Version", "12");
        ASSERT_NO_FATAL_FAILURE(StartCover());
    }
};

TEST_F(TrayMenus, RightButtonOpensTheFullMenuAndLeftButtonTheShortOneAtThePointer) {
    HWND full = OpenMenu(WM_RBUTTONDOWN);
    ASSERT_NE(full, nullptr) << "no menu on a right button press";
    RECT fullRect = RectOf(full);
    EXPECT_EQ(fullRect.left, kClickPoint.x);
    EXPECT_EQ(fullRect.top, kClickPoint.y);
    ASSERT_TRUE(CloseMenuWithEscape()) << "escape did not close the full menu";

    HWND shortMenu = OpenMenu(WM_LBUTTONDOWN);
    ASSERT_NE(shortMenu, nullptr) << "no menu on a left button press";
    RECT shortRect = RectOf(shortMenu);
    EXPECT_EQ(shortRect.left, kClickPoint.x);
    EXPECT_EQ(shortRect.top, kClickPoint.y);
    ASSERT_TRUE(CloseMenuWithEscape()) << "escape did not close the short menu";

    // 27 entries (10 of them separators) against 7 (2 separators).
    const int fullHeight = fullRect.bottom - fullRect.top, shortHeight = shortRect.bottom - shortRect.top;
    EXPECT_GT(fullHeight, 3 * shortHeight)
        << "full menu " << fullHeight << " px high, short menu " << shortHeight;
    // Leaving a menu runs nothing.
    EXPECT_FALSE(IsWindowVisible(cover_));
    EXPECT_TRUE(program_->Running());
}

}  // namespace
}  // namespace e2e
