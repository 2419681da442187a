#include "ui/memo.hpp"

namespace ui {

std::string Memo::Text() const {
    if (!HandleAllocated()) return Caption();
    int n = GetWindowTextLengthA(Handle());
    std::string text(static_cast<size_t>(n) + 1, '\0');
    text.resize(static_cast<size_t>(GetWindowTextA(Handle(), text.data(), n + 1)));
    return text;
}

}  // namespace ui
