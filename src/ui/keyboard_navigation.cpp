#include "ui/keyboard_navigation.hpp"

#include <algorithm>
#include <vector>

#include "ui/control.hpp"
#include "ui/form_controls.hpp"

namespace ui {

void KeyboardNavigation::SelectNext(bool forward) const {
    std::vector<Control*> order;
    for (Control* c : controls_.List())
        if (c->TabStop && c->CanFocus()) order.push_back(c);
    if (order.empty()) return;
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->TabOrder < b->TabOrder; });
    auto at = std::find(order.begin(), order.end(), controls_.Focused());
    size_t i = at == order.end() ? (forward ? order.size() - 1 : 0) : static_cast<size_t>(at - order.begin());
    i = forward ? (i + 1) % order.size() : (i + order.size() - 1) % order.size();
    order[i]->SetFocus();
}

bool KeyboardNavigation::HandleKey(const MSG& msg) const {
    Control* focused = controls_.Focused();
    bool ctrl = GetKeyState(VK_CONTROL) < 0, alt = GetKeyState(VK_MENU) < 0;
    if (msg.message == WM_KEYDOWN) {
        UINT vk = static_cast<UINT>(msg.wParam);
        if (vk != VK_TAB && vk != VK_RETURN && vk != VK_ESCAPE) return false;
        if (focused && focused->WantsKey(vk)) return false;
        if (vk == VK_TAB) {
            if (ctrl || alt) return false;
            SelectNext(GetKeyState(VK_SHIFT) >= 0);
            return true;
        }
        for (Control* c : controls_.List())
            if (c->DialogKey(vk)) return true;
        return false;
    }
    // Characters: accelerators, unless the focused control takes characters itself.
    if (msg.message == WM_CHAR && focused && focused->WantsKey(WM_CHAR)) return false;
    // Accelerators are ASCII letters; a wider character must not pass for its low byte.
    if (msg.wParam >= 0x80) return false;
    char ch = static_cast<char>(msg.wParam);
    for (Control* c : controls_.List())
        if (c->DialogChar(ch)) return true;
    return false;
}

}  // namespace ui
