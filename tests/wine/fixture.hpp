// Helpers for the in-process Windows tests: message pumping with deadlines, registry set-up,
// screen reads, and answering the boxes the code under test opens.
#pragma once
#include <windows.h>

#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace testing_wine {

// Handles messages until `done` holds or `ms` have passed; returns whether it held.
bool PumpUntil(const std::function<bool()>& done, int ms = 3000);
void PumpFor(int ms);

void DeleteProductKeys();
void SetProductValue(const char* name, const std::string& value);
void SetProductDword(const char* name, DWORD value);
// The value's text and type, or type REG_NONE when absent.
std::string ReadProductValue(const char* name, DWORD* type = nullptr);
std::vector<std::string> ProductValueNames();

COLORREF ScreenPixel(int x, int y);
// Every pixel of a bitmap, top row first; its size in w and h.
std::vector<COLORREF> BitmapPixels(HBITMAP bitmap, int& w, int& h);
// Every pixel of a screen rectangle, top row first.
std::vector<COLORREF> ScreenPixels(const RECT& r);

// Real input through SendInput, paced like a person's.
void MouseInput(DWORD flags, int x = 0, int y = 0);
// A left click at a screen point; the pointer comes in from elsewhere first, since a pointer resting
// where another window was does not report a new position.
void ClickAtPoint(int x, int y, DWORD down = MOUSEEVENTF_LEFTDOWN, DWORD up = MOUSEEVENTF_LEFTUP);
void ClickAt(HWND wnd);
// Whether every visible top-level window other than `wnd` is above it in the Z-order.
bool IsAtBottom(HWND wnd);

// Watches for a message box (dialog class #32770) of this process on another thread, records its
// title and text, and answers it with its first button.
class BoxAnswerer {
public:
    BoxAnswerer();
    ~BoxAnswerer();
    int Count() const { return count_; }
    std::string Title() const;
    std::string Text() const;

private:
    void Run();
    std::atomic<bool> stop_{false};
    std::atomic<int> count_{0};
    mutable CRITICAL_SECTION lock_;
    std::string title_, text_;
    std::thread thread_;
};

}  // namespace testing_wine
