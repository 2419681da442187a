// Bases of the end-to-end tests: a ready desktop, a clean registry, the mouse out of the way.
#pragma once
#include <memory>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "e2e/driver.hpp"

namespace e2e {

// A point on the bare desktop, away from the tray and from where the tests open menus and windows.
inline constexpr POINT kRestPoint{700, 600};
// Where the person's pointer is when they click the tray icon; the menus open there.
inline constexpr POINT kClickPoint{300, 150};
// Clear of every menu opened at kClickPoint, and of their submenus.
inline constexpr POINT kOffMenuPoint{900, 100};

class E2eTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(PrepareDesktop(), "");
        registry::DeleteMakerKey();
        input::PlaceCursor(kRestPoint);
        trayBefore_ = SettledTrayAreaPixels();
        ASSERT_FALSE(trayBefore_.empty()) << "the tray did not settle";
    }
    void TearDown() override { registry::DeleteMakerKey(); }

    // The cover's creation ends with its icon in the tray; only then does it take commands as it should.
    HWND WaitForReadyCover(const Program& program) {
        HWND cover = program.WaitForWindow(kCoverClass);
        if (!cover || !WaitUntil([&] { return TrayAreaPixels() != trayBefore_; })) return nullptr;
        return cover;
    }
    bool TrayLooksAsBefore() const { return TrayAreaPixels() == trayBefore_; }

    std::vector<COLORREF> trayBefore_;
};

// A running cover, driven through its tray menus.
class CoverTest : public E2eTest {
protected:
    void TearDown() override {
        program_.reset();
        E2eTest::TearDown();
    }

    // Starts the program on the registry as the test has set it, which must make it a cover.
    void StartCover(const std::string& exe = {}) {
        program_ = exe.empty() ? std::make_unique<Program>() : Program::At(exe);
        cover_ = WaitForReadyCover(*program_);
        ASSERT_NE(cover_, nullptr) << "the cover did not get ready";
        // The start-up timer (300 ms) runs a face command that lets pending messages be processed, which
        // would take keystrokes meant for an open menu; the menus are driven once it has run, which the
        // full menu shows with the check mark of the face it chose, "vaz".
        ASSERT_TRUE(WaitUntil([&] { return FullMenuShowsFirstFaceChecked(); })) << "no face was chosen";
    }

    bool FullMenuShowsFirstFaceChecked() {
        HWND menu = OpenMenu(WM_RBUTTONDOWN);
        if (!menu) return false;
        RECT r = RectOf(menu);
        // The check column of the first item, left of its text.
        const RECT check{r.left + 2, r.top + 2, r.left + 18, r.top + 20};
        bool checked = WaitUntil([&] { return AnyDarkPixel(check); }, 300);
        CancelMenus();
        return checked;
    }

    void CancelMenus() const { testing_common::CancelMenus(program_->Pid()); }
    std::vector<HWND> Menus() const { return VisibleMenus(program_->Pid()); }
    HWND WaitForOneMenu() const { return testing_common::WaitForOneMenu(program_->Pid()); }

    HWND OpenMenu(UINT mouseMessage) const {
        PostTrayEvent(cover_, mouseMessage, kClickPoint);
        return WaitForOneMenu();
    }

    HWND OpenMenuForKeys(UINT mouseMessage) const {
        HWND menu = OpenMenu(mouseMessage);
        return menu && WaitForMenuMode(menu) ? menu : nullptr;
    }

    // An item of a submenu of the full menu, with the keyboard: `fromEnd` items up from the end of the full
    // menu (separators do not count), then the submenu, which opens on its first item, and `downs` down.
    void ChooseInSubmenu(int fromEnd, int downs) {
        ASSERT_NE(OpenMenuForKeys(WM_RBUTTONDOWN), nullptr) << "the menu did not open";
        input::MoveTo(kOffMenuPoint);
        for (int i = 0; i < fromEnd; ++i) input::Key(VK_UP);
        input::Key(VK_RIGHT);
        ASSERT_TRUE(WaitUntil([&] { return Menus().size() == 2; })) << "the submenu did not open";
        for (int i = 0; i < downs; ++i) input::Key(VK_DOWN);
        input::Key(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return Menus().empty(); })) << "the menu did not close";
    }

    // Menu keys move over items only, skipping separators; nothing is selected when a menu opens. The
    // pointer goes off the menu first, as any pointer movement over it would change the selection.
    void ChooseWithKeys(UINT mouseMessage, const std::vector<WORD>& keys) {
        ASSERT_NE(OpenMenuForKeys(mouseMessage), nullptr) << "the menu did not open";
        input::MoveTo(kOffMenuPoint);
        for (WORD vk : keys) input::Key(vk);
        input::Key(VK_RETURN);
        ASSERT_TRUE(WaitUntil([&] { return Menus().empty(); })) << "the menu did not close";
    }
    void ChooseWithKeys(UINT mouseMessage, WORD vk, int presses) {
        ChooseWithKeys(mouseMessage, std::vector<WORD>(presses, vk));
    }

    bool ShownAtTheBottom() const {
        HWND taskbar = FindWindowW(testing_common::W("Shell_TrayWnd").c_str(), nullptr);
        return IsWindowVisible(cover_) && !IsTopmost(cover_) && VisibleWindowsBelow(cover_).empty() &&
               IsAbove(taskbar, cover_);
    }
    bool ShownOnTop() const { return IsWindowVisible(cover_) && IsTopmost(cover_); }

    bool CloseMenuWithEscape() const {
        input::Key(VK_ESCAPE);
        return WaitUntil([&] { return Menus().empty(); });
    }

    std::unique_ptr<Program> program_;
    HWND cover_ = nullptr;
};

}  // namespace e2e
