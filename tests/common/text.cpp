#include "common/text.hpp"

#include <windows.h>

namespace testing_common {

namespace {
std::wstring Widened(const std::string& bytes, UINT codePage) {
    const int n = MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(n > 0 ? n : 0), L'\0');
    if (n > 0) MultiByteToWideChar(codePage, 0, bytes.data(), static_cast<int>(bytes.size()), wide.data(), n);
    return wide;
}

std::string Narrowed(const std::wstring& wide, UINT codePage) {
    const int n = WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), nullptr, 0,
                                      nullptr, nullptr);
    std::string bytes(static_cast<size_t>(n > 0 ? n : 0), '\0');
    if (n > 0)
        WideCharToMultiByte(codePage, 0, wide.data(), static_cast<int>(wide.size()), bytes.data(), n, nullptr,
                            nullptr);
    return bytes;
}
}  // namespace

std::wstring W(const std::string& utf8) { return Widened(utf8, CP_UTF8); }

std::string U(const std::wstring& wide) { return Narrowed(wide, CP_UTF8); }

std::string InCodePage(const std::string& utf8, unsigned codePage) { return Narrowed(W(utf8), codePage); }

std::string FromCodePage(const std::string& bytes, unsigned codePage) { return U(Widened(bytes, codePage)); }

}  // namespace testing_common
