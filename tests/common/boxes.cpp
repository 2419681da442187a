#include "common/boxes.hpp"

#include <cstdio>
#include <utility>

#include "common/group_windows.hpp"
#include "common/input.hpp"
#include "common/text.hpp"

namespace testing_common {

std::string BoxText(HWND box) {
    if (ClassOf(box) == kPlatformBox) return TextOf(GetDlgItem(box, 0xFFFF));
    return TextOf(FindWindowExW(box, nullptr, testing_common::W("EDIT").c_str(), nullptr));
}

HWND WaitForBox(DWORD pid, const std::function<bool(const std::string&)>& matches, Millis timeout,
                Millis step) {
    HWND found = nullptr;
    WaitUntil(
        [&] {
            for (HWND box : WindowsOf(pid, kProgramBox, true))
                if (matches(BoxText(box))) return (found = box) != nullptr;
            return false;
        },
        timeout, step);
    return found;
}

HWND WaitForBoxWithText(DWORD pid, const std::string& text) {
    return WaitForBox(pid, [&](const std::string& shown) { return shown == text; });
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
    const POINT at = CenterOf(press);
    for (int attempt = 0; attempt < 3 && !closed(); ++attempt) {
        // A folder window Program Manager opened may lie over the box: a person closes it first.
        if (GetAncestor(WindowFromPoint(at), GA_ROOT) != box) {
            CloseGroupWindows();
            WaitUntil([&] { return GetAncestor(WindowFromPoint(at), GA_ROOT) == box; }, 2000);
        }
        // With the position: a press sent "where the pointer is" may land where a late echo of the last move
        // put it, on another button.
        input::MoveTo(at, 0);
        input::PressAt(at);
        input::ReleaseAt(at);
        // Long enough for a slow box to go: a second click meant for it must not land on the next box.
        WaitUntil(closed, 5000);
    }
    if (closed()) return true;
    HWND over = GetAncestor(WindowFromPoint(at), GA_ROOT);
    std::fprintf(stderr, "the box did not close; over its button: [%s \"%s\" pid %lu], the box's pid %lu\n",
                 ClassOf(over).c_str(), TextOf(over).c_str(), ProcessOf(over), ProcessOf(box));
    return false;
}

BoxWatcher::BoxWatcher(const char* className, BoxAnswer answer, HDESK desktop)
    : className_(className), answer_(std::move(answer)), desktop_(desktop), thread_([this] { Run(); }) {}

BoxWatcher::~BoxWatcher() {
    stop_ = true;
    thread_.join();
}

int BoxWatcher::Count() const {
    std::lock_guard<std::mutex> hold(lock_);
    return static_cast<int>(texts_.size());
}

std::vector<std::string> BoxWatcher::Texts() const {
    std::lock_guard<std::mutex> hold(lock_);
    return texts_;
}

std::vector<std::string> BoxWatcher::Titles() const {
    std::lock_guard<std::mutex> hold(lock_);
    return titles_;
}

void BoxWatcher::Run() {
    if (desktop_) SetThreadDesktop(desktop_);
    const bool platform = className_ == kPlatformBox;
    while (!stop_) {
        HWND box = VisibleWindowOf(className_.c_str(), GetCurrentProcessId());
        if (!box) {
            Sleep(10);  // a polling thread of its own: nothing to pump here
            continue;
        }
        const std::string text = BoxText(box);
        {
            std::lock_guard<std::mutex> hold(lock_);
            texts_.push_back(text);
            titles_.push_back(TextOf(box));
        }
        const std::string caption = answer_ && !platform ? answer_(text) : std::string();
        if (HWND button = caption.empty() ? nullptr : ChildWithText(box, "TColorBtn", caption)) {
            input::PostClick(button);
        } else if (platform) {
            if (HWND first = FindWindowExW(box, nullptr, testing_common::W("Button").c_str(), nullptr))
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(first), BN_CLICKED),
                             reinterpret_cast<LPARAM>(first));
        } else {
            PostMessageA(box, WM_CLOSE, 0, 0);
        }
        // The same box is not counted twice while it goes.
        for (int i = 0; i < 300 && IsWindow(box) && IsWindowVisible(box) && !stop_; ++i) Sleep(10);
    }
}

FileDialogAnswerer::FileDialogAnswerer(std::string fileName)
    : fileName_(std::move(fileName)), thread_([this] { Run(); }) {}

FileDialogAnswerer::~FileDialogAnswerer() {
    stop_ = true;
    thread_.join();
}

void FileDialogAnswerer::Run() {
    HWND dlg = nullptr;
    if (!WaitUntil([&] { return stop_ || (dlg = VisibleWindowOf(kPlatformBox, GetCurrentProcessId())); }) ||
        !dlg)
        return;
    if (fileName_.empty()) {
        PostMessageA(dlg, WM_COMMAND, IDCANCEL, 0);
        answered_ = true;
        return;
    }
    // The name box of either dialog style; typed again until the dialog's own set-up has stopped changing it.
    auto nameBox = [&] { return GetDlgItem(dlg, 0x47C) ? GetDlgItem(dlg, 0x47C) : GetDlgItem(dlg, 0x480); };
    auto typed = [&] { return TextOf(nameBox()) == fileName_; };
    if (!WaitUntil([&] {
            if (stop_) return true;
            if (!typed())
                SendMessageW(nameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(W(fileName_).c_str()));
            return HoldsFor(typed, 200);
        }) ||
        stop_)
        return;
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    answered_ = true;
}

}  // namespace testing_common
