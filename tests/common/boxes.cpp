#include "common/boxes.hpp"

#include <cstring>
#include <utility>

#include "common/wait.hpp"

namespace testing_common {

namespace {
struct Search {
    const char* className;
    DWORD pid;
    HWND found = nullptr;
};

BOOL CALLBACK Match(HWND wnd, LPARAM lp) {
    auto* s = reinterpret_cast<Search*>(lp);
    char cls[64] = {};
    GetClassNameA(wnd, cls, sizeof cls);
    DWORD pid = 0;
    GetWindowThreadProcessId(wnd, &pid);
    if (std::strcmp(cls, s->className) == 0 && (!s->pid || pid == s->pid) && IsWindowVisible(wnd)) {
        s->found = wnd;
        return FALSE;
    }
    return TRUE;
}
}  // namespace

HWND VisibleWindowOf(const char* className, DWORD pid) {
    Search s{className, pid};
    EnumWindows(Match, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

std::string TextOf(HWND wnd) {
    char text[4096] = {};
    DWORD_PTR length = 0;
    if (!wnd || !SendMessageTimeoutA(wnd, WM_GETTEXT, sizeof text, reinterpret_cast<LPARAM>(text),
                                     SMTO_ABORTIFHUNG, 5000, &length))
        return {};
    return std::string(text, length < sizeof text ? length : 0);
}

std::string BoxText(HWND box) {
    char cls[64] = {};
    GetClassNameA(box, cls, sizeof cls);
    if (std::strcmp(cls, kPlatformBox) == 0) return TextOf(GetDlgItem(box, 0xFFFF));
    return TextOf(FindWindowExA(box, nullptr, "EDIT", nullptr));
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
        HWND button = nullptr;
        while (!caption.empty() && (button = FindWindowExA(box, button, "TColorBtn", nullptr)))
            if (TextOf(button) == caption) break;
        if (button) {
            // A press as the mouse gives it, in the button's own coordinates.
            RECT r;
            GetClientRect(button, &r);
            const LPARAM at = MAKELPARAM(r.right / 2, r.bottom / 2);
            PostMessageA(button, WM_LBUTTONDOWN, MK_LBUTTON, at);
            PostMessageA(button, WM_LBUTTONUP, 0, at);
        } else if (platform) {
            if (HWND button = FindWindowExA(box, nullptr, "Button", nullptr))
                PostMessageA(box, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(button), BN_CLICKED),
                             reinterpret_cast<LPARAM>(button));
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
            if (!typed()) SendMessageA(nameBox(), WM_SETTEXT, 0, reinterpret_cast<LPARAM>(fileName_.c_str()));
            return HoldsFor(typed, 200);
        }) ||
        stop_)
        return;
    PostMessageA(dlg, WM_COMMAND, IDOK, 0);
    answered_ = true;
}

}  // namespace testing_common
