#include <gtest/gtest.h>

#include "app/startup.hpp"
#include "common/text.hpp"
#include "cover/TOBSCURIO32VANTE.hpp"

namespace {
// What a running cover of an older copy reads from the hand-over: the atom's text in its code page.
std::string handedText;
bool handed = false;

LRESULT CALLBACK OlderCover(HWND wnd, UINT msg, WPARAM wParam, LPARAM lParam) {
    if (msg != obsc32::WM_SECOND_START) return DefWindowProcA(wnd, msg, wParam, lParam);
    handed = true;
    char text[258] = {};
    const UINT n = GlobalGetAtomNameA(static_cast<ATOM>(wParam), text, sizeof text);
    handedText.assign(text, n);
    return 0;
}
}  // namespace

TEST(HandOver, AnOlderCopyReadsTheSecondStartsArgumentsAsTheSameShiftJisBytes) {
    WNDCLASSA wc{};
    wc.lpfnWndProc = OlderCover;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = obsc32::kCoverClassName;
    ASSERT_TRUE(RegisterClassA(&wc));
    HWND cover = CreateWindowExA(0, obsc32::kCoverClassName, "", WS_POPUP, 0, 0, 1, 1, nullptr, nullptr,
                                 wc.hInstance, nullptr);
    ASSERT_TRUE(cover);
    // ソ and 表 end in the byte of '\\'.
    EXPECT_TRUE(obsc32::ForwardToRunningCover({"/x", "C:\\真っ黒\\ソ表.bmp"}, [] {}));
    EXPECT_TRUE(handed);
    EXPECT_EQ(handedText, testing_common::InCodePage("/x?C:\\真っ黒\\ソ表.bmp", 932));
    DestroyWindow(cover);
    UnregisterClassA(obsc32::kCoverClassName, wc.hInstance);
}
