// Helpers for the in-process Windows tests: the product's registry values; waiting, input, screen reads and
// box watching come from the harness every Wine suite shares.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "common/boxes.hpp"
#include "common/files.hpp"
#include "common/group_windows.hpp"
#include "common/import_patch.hpp"
#include "common/input.hpp"
#include "common/plain_window.hpp"
#include "common/registry.hpp"
#include "common/screen.hpp"
#include "common/wait.hpp"
#include "common/windows.hpp"

namespace testing_wine {

using testing_common::BitmapPixels;
using testing_common::BoxWatcher;
using testing_common::CloseGroupWindows;
using testing_common::HoldsFor;
using testing_common::ImportPatch;
using testing_common::Millis;
using testing_common::PumpMessages;
using testing_common::RemoveTree;
using testing_common::ScreenPixel;
using testing_common::ScreenPixels;
using testing_common::WaitUntil;
using testing_common::WaitUntilSteady;
namespace input = testing_common::input;

void DeleteProductKeys();
void SetProductValue(const char* name, const std::string& value);
void SetProductDword(const char* name, DWORD value);
// The value's text and type, or type REG_NONE when absent.
std::string ReadProductValue(const char* name, DWORD* type = nullptr);
std::vector<std::string> ProductValueNames();

// A left click at the centre of a window, with real input.
bool ClickAt(HWND wnd);
// Whether every visible top-level window other than `wnd` is above it in the Z-order.
bool IsAtBottom(HWND wnd);
// Whether the shell holds an icon of the window: modifying nothing succeeds only for an icon it has.
bool InTray(HWND wnd);

}  // namespace testing_wine
