#include "ui/memo.hpp"

#include "ui/wide.hpp"

namespace ui {

std::string Memo::Text() const {
    if (!HandleAllocated()) return Caption();
    return WindowTextOf(Handle());
}

}  // namespace ui
