// The message boxes tests meet: the program's own (class TMKBox) and the platform's (#32770, the standard
// error report). Found, read and answered the way a person would see and answer them.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "common/wait.hpp"
#include "common/windows.hpp"

namespace testing_common {

inline constexpr char kProgramBox[] = "TMKBox";
inline constexpr char kPlatformBox[] = "#32770";

// The text a box shows: the program box's text area, or the platform box's static text.
std::string BoxText(HWND box);
// The program's visible box of the process (0: any) whose text `matches`; null when none came in time.
HWND WaitForBox(DWORD pid, const std::function<bool(const std::string&)>& matches, Millis timeout = kDeadline,
                Millis step = 10);
HWND WaitForBoxWithText(DWORD pid, const std::string& text);
// Clicks the box's button with real input once the box stands still, again when a click is lost; true once
// it closed.
bool ClickBoxButton(HWND box, const std::string& button);

// For a program box's text, the caption of the button to press; "" presses the close box.
using BoxAnswer = std::function<std::string(const std::string& text)>;

// Watches on a thread of its own for boxes of a class in this process, keeps their titles and texts, and
// answers each: the platform's box with its first button, the program's with the button `answer` names
// or else its close box.
class BoxWatcher {
public:
    // `desktop`: watch there instead of on the calling thread's desktop.
    explicit BoxWatcher(const char* className = kProgramBox, BoxAnswer answer = {}, HDESK desktop = nullptr);
    ~BoxWatcher();
    BoxWatcher(const BoxWatcher&) = delete;
    BoxWatcher& operator=(const BoxWatcher&) = delete;

    int Count() const;
    std::vector<std::string> Texts() const;
    std::vector<std::string> Titles() const;

private:
    void Run();
    const std::string className_;
    const BoxAnswer answer_;
    const HDESK desktop_;
    mutable std::mutex lock_;
    std::vector<std::string> texts_, titles_;
    std::atomic<bool> stop_{false};
    std::thread thread_;
};

// Answers the platform's file dialog of this process once it shows, on a thread of its own: types the file
// name into its name box and presses Open, or presses Cancel when the name is empty.
class FileDialogAnswerer {
public:
    explicit FileDialogAnswerer(std::string fileName = {});
    ~FileDialogAnswerer();
    FileDialogAnswerer(const FileDialogAnswerer&) = delete;
    FileDialogAnswerer& operator=(const FileDialogAnswerer&) = delete;

    // Whether a dialog came and was answered.
    bool Answered() const { return answered_; }

private:
    void Run();
    const std::string fileName_;
    std::atomic<bool> stop_{false}, answered_{false};
    std::thread thread_;
};

}  // namespace testing_common
