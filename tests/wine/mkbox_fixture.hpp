// The program's message box as the tests meet it: a main window to sit on, and its parts found by what
// they show.
#pragma once
#include <windows.h>

#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "common/text.hpp"
#include "ui/application.hpp"
#include "ui/form.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "wine/fixture.hpp"

namespace testing_wine {

// The test's main window: the box takes its colours and centres on it.
class MainForm : public ui::Form {
public:
    MainForm() : ui::Form(nullptr, "Main", "TTestMain") {
        Border = ui::BorderStyle::None;
        SetBounds(0, 0, 1024, 768);
    }
};

inline HWND Child(HWND box, const char* cls, const char* text) {
    return FindWindowExW(box, nullptr, testing_common::W(cls).c_str(),
                         text ? testing_common::W(text).c_str() : nullptr);
}

inline RECT ClientRectOf(HWND child) {
    RECT r;
    GetWindowRect(child, &r);
    MapWindowPoints(nullptr, GetParent(child), reinterpret_cast<POINT*>(&r), 2);
    return r;
}

inline bool EndsWithSeconds(const std::string& t) {
    const std::string unit = "秒";
    return t.size() >= unit.size() && t.compare(t.size() - unit.size(), unit.size(), unit) == 0;
}

inline bool IsLabel(HWND wnd) { return testing_common::ClassOf(wnd) == "TLabel"; }

// The seconds label: the label whose text ends in "秒".
inline HWND CountLabel(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT))
        if (IsLabel(c) && EndsWithSeconds(testing_common::TextOf(c))) return c;
    return nullptr;
}

// The thin bar that marks the timeout's answer: the label 3 pixels high.
inline HWND Bar(HWND box) {
    for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) {
        RECT r = ClientRectOf(c);
        if (IsLabel(c) && r.bottom - r.top == 3) return c;
    }
    return nullptr;
}

inline int VisibleBoxes() { return static_cast<int>(testing_common::WindowsOf(0, "TMKBox", true).size()); }

// Every seconds text the box's labels were given, in order, read off the messages that set them.
inline std::vector<std::string>* countsShown;
inline LRESULT CALLBACK RecordCounts(int code, WPARAM wParam, LPARAM lParam) {
    auto* m = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && m->message == WM_SETTEXT && IsLabel(m->hwnd)) {
        // The label is a Unicode window.
        const std::string text = testing_common::U(reinterpret_cast<const wchar_t*>(m->lParam));
        if (EndsWithSeconds(text)) countsShown->push_back(text);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

class MKBoxTest : public ::testing::Test {
protected:
    void SetUp() override {
        main_ = &ui::Application::Instance().CreateForm<MainForm>();
        main_->SetColor(RGB(0, 0, 0));
        main_->SetFontColor(RGB(255, 255, 255));
        dlg.TimerCount = 2;
    }
    void TearDown() override {
        if (driver_.joinable()) driver_.join();
        ui::Application::Instance().Reset();
    }
    // Runs `drive` on another thread against the box the test thread is about to show.
    void Drive(std::function<void(HWND box)> drive) {
        if (driver_.joinable()) driver_.join();
        driver_ = std::thread([drive] {
            HWND box = nullptr;
            if (WaitUntil([&] { return (box = testing_common::VisibleWindowOf("TMKBox")) != nullptr; }))
                drive(box);
        });
    }
    MainForm* main_ = nullptr;
    obsc32::TMKBoxDlg dlg{nullptr, "MKBoxDlg1"};
    std::thread driver_;
};

}  // namespace testing_wine
