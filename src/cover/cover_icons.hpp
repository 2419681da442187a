// The cover's icon submenu: the program's icon in the Startup group, put there and taken away by Program
// Manager, and a copy of its shortcut on the desktop. The submenu's handlers are the cover's; they are
// defined in cover_icons.cpp.
#pragma once
#include <functional>
#include <string>

#include "shell/progman.hpp"
#include "ui/dde.hpp"

namespace obsc32 {

inline constexpr char kAlreadyOnDesktop[] = "デスクトップには、既に登録されています☆☆☆";
inline constexpr char kDesktopCopyFailed[] = "デスクトップへの登録に失敗しました・・・";

using Notice = std::function<void(const std::string& text)>;

// Adds (add) or removes the program's icon in the Startup group through `conv`; what went wrong is told.
void StartupIcon(bool add, const std::string& programPath, const std::string& title, ui::DdeClientConv& conv,
                 const Notice& tell);

}  // namespace obsc32
