// The tests' strings are UTF-8, as the program's are; the system's are UTF-16.
#pragma once
#include <string>

namespace testing_common {

std::wstring W(const std::string& utf8);
std::string U(const std::wstring& wide);
// The text in a code page's bytes, as a program using the "A" functions there reads it, and back.
std::string InCodePage(const std::string& utf8, unsigned codePage);
std::string FromCodePage(const std::string& bytes, unsigned codePage);

}  // namespace testing_common
