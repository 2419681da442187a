#include "e2e/box_answers.hpp"

#include <cstdio>

#include "e2e/driver.hpp"
#include "e2e/files.hpp"

namespace e2e {

HWND WaitForBoxWithText(DWORD pid, const std::string& text) {
    HWND found = nullptr;
    WaitUntil([&] {
        for (HWND box : WindowsOf(pid, kBoxClass, true))
            if (testing_common::BoxText(box) == text) return (found = box) != nullptr;
        return false;
    });
    return found;
}

bool ClickBoxButton(HWND box, const std::string& button) {
    HWND press = ChildWithText(box, "TColorBtn", button);
    if (!press) return false;
    // A person answers a box once it stands still, not while it arrives.
    const RECT shown = RectOf(box);
    WaitUntilSteady(
        [&] {
            const RECT now = RectOf(box);
            return IsWindowVisible(box) && EqualRect(&shown, &now);
        },
        300);
    // Under Wine a press can be lost while another process's window comes or goes: like a person, click
    // again when nothing happened.
    auto closed = [&] { return !IsWindow(box) || !IsWindowVisible(box); };
    for (int attempt = 0; attempt < 3 && !closed(); ++attempt) {
        // A folder window Program Manager opened may lie over the box: a person closes it first.
        if (GetAncestor(WindowFromPoint(CenterOf(press)), GA_ROOT) != box) {
            CloseGroupWindows();
            WaitUntil([&] { return GetAncestor(WindowFromPoint(CenterOf(press)), GA_ROOT) == box; }, 2000);
        }
        input::Click(CenterOf(press));
        // Long enough for a slow box to go: a second click meant for it must not land on the next box.
        WaitUntil(closed, 5000);
    }
    if (closed()) return true;
    HWND over = GetAncestor(WindowFromPoint(CenterOf(press)), GA_ROOT);
    std::fprintf(stderr, "the box did not close; over its button: [%s \"%s\" pid %lu], the box's pid %lu\n",
                 ClassOf(over).c_str(), TextOf(over).c_str(), ProcessOf(over), ProcessOf(box));
    return false;
}

}  // namespace e2e
