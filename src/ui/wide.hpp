// The one place where the program's texts meet the system's UTF-16: every "W" call takes what Wide makes
// and gives back what Narrow reads. Inside, every text is UTF-8.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <string_view>

namespace ui {

// The code page of every std::string inside the program (its literals are compiled to it too).
inline constexpr UINT kInnerCodePage = CP_UTF8;

// A text to show: a broken sequence becomes U+FFFD, a lone surrogate likewise.
std::wstring Wide(std::string_view text);
std::string Narrow(const wchar_t* text, size_t length);
std::string Narrow(std::wstring_view text);
// A path, a key or a name: none unless the text converts one to one, so nothing reaches another file.
std::optional<std::wstring> WideExact(std::string_view text);
std::optional<std::string> NarrowExact(std::wstring_view text);
// A path for the file functions: one that does not convert exactly, or is MAX_PATH long or longer (where
// the "A" functions stopped, and Windows does without long paths), comes out empty, which names no file.
std::wstring WidePath(std::string_view path);
// A text in the system's code page and back, for a peer that reads only that (Program Manager's older
// conversations); what the code page cannot say becomes its default character.
std::string SystemCodePageText(std::string_view text);
std::string FromSystemCodePage(std::string_view bytes);
// A window's text, however long.
std::string WindowTextOf(HWND wnd);

}  // namespace ui
