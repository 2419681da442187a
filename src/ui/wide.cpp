#include "ui/wide.hpp"

#include <climits>

namespace ui {

namespace {
// WC_ERR_INVALID_CHARS, which the headers for the oldest systems leave out.
constexpr DWORD kErrInvalidChars = 0x80;

std::optional<std::wstring> ToWide(std::string_view text, DWORD flags, UINT codePage = kInnerCodePage) {
    if (text.empty()) return std::wstring();
    if (text.size() > INT_MAX) return std::nullopt;
    const int length = static_cast<int>(text.size());
    const int n = MultiByteToWideChar(codePage, flags, text.data(), length, nullptr, 0);
    if (n <= 0) return std::nullopt;
    std::wstring wide(static_cast<size_t>(n), L'\0');
    if (MultiByteToWideChar(codePage, flags, text.data(), length, wide.data(), n) != n) return std::nullopt;
    return wide;
}

std::optional<std::string> ToNarrow(std::wstring_view text, bool exact, UINT codePage = kInnerCodePage) {
    if (text.empty()) return std::string();
    if (text.size() > INT_MAX / 4) return std::nullopt;
    const int length = static_cast<int>(text.size());
    // Exact: a lone surrogate, which UTF-8 cannot hold, refuses the whole text.
    const DWORD flags = exact ? kErrInvalidChars : 0;
    const int n = WideCharToMultiByte(codePage, flags, text.data(), length, nullptr, 0, nullptr, nullptr);
    if (n <= 0) return std::nullopt;
    std::string narrow(static_cast<size_t>(n), '\0');
    if (WideCharToMultiByte(codePage, flags, text.data(), length, narrow.data(), n, nullptr, nullptr) != n)
        return std::nullopt;
    return narrow;
}
}  // namespace

std::wstring Wide(std::string_view text) { return ToWide(text, 0).value_or(std::wstring()); }

std::string Narrow(const wchar_t* text, size_t length) {
    return ToNarrow(std::wstring_view(text, length), false).value_or(std::string());
}

std::string Narrow(std::wstring_view text) { return ToNarrow(text, false).value_or(std::string()); }

std::optional<std::wstring> WideExact(std::string_view text) { return ToWide(text, MB_ERR_INVALID_CHARS); }

std::optional<std::string> NarrowExact(std::wstring_view text) { return ToNarrow(text, true); }

std::wstring WidePath(std::string_view path) {
    std::wstring wide = WideExact(path).value_or(std::wstring());
    return wide.size() < MAX_PATH ? wide : std::wstring();
}

std::string SystemCodePageText(std::string_view text) {
    return ToNarrow(Wide(text), false, CP_ACP).value_or(std::string());
}

std::string FromSystemCodePage(std::string_view bytes) {
    return Narrow(ToWide(bytes, 0, CP_ACP).value_or(std::wstring()));
}

std::string WindowTextOf(HWND wnd) {
    const int n = GetWindowTextLengthW(wnd);
    if (n <= 0) return {};
    std::wstring text(static_cast<size_t>(n) + 1, L'\0');
    const int got = GetWindowTextW(wnd, text.data(), n + 1);
    return Narrow(text.data(), got > 0 ? static_cast<size_t>(got) : 0);
}

}  // namespace ui
