#include "ui/menu.hpp"

#include "ui/handles.hpp"
#include "ui/modal_loop.hpp"
#include "ui/wide.hpp"

namespace ui {

MenuItem::MenuItem(Component* owner, const char* name, const char* caption, bool enabled)
    : Component(owner, name), Caption(caption), Enabled(enabled) {}

namespace {

void Build(HMENU menu, const MenuItem& parent, std::vector<MenuItem*>& byId) {
    for (MenuItem* item : parent.Items) {
        if (!item->Visible) continue;
        if (item->IsSeparator()) {
            AppendMenuW(menu, MF_SEPARATOR, 0, nullptr);
            continue;
        }
        UINT flags = MF_STRING | (item->Checked ? MF_CHECKED : 0) | (item->Enabled ? 0 : MF_GRAYED);
        if (!item->Items.empty()) {
            // A submenu's own click says it is about to show: its handler may still change its items.
            item->Click();
            HMENU sub = CreatePopupMenu();
            Build(sub, *item, byId);
            AppendMenuW(menu, flags | MF_POPUP, reinterpret_cast<UINT_PTR>(sub), Wide(item->Caption).c_str());
        } else {
            byId.push_back(item);
            AppendMenuW(menu, flags, byId.size(), Wide(item->Caption).c_str());
        }
    }
}

}  // namespace

MenuItem* PopupMenu::Track(int x, int y, HWND owner) {
    if (OnPopup) OnPopup(this);
    std::vector<MenuItem*> byId;
    Menu menu(CreatePopupMenu());
    Build(menu.Get(), Items, byId);
    // A tray menu only closes on a click elsewhere when its owner is the foreground window.
    SetForegroundWindow(owner);
    ModalLoop::Scope modal;
    UINT id =
        TrackPopupMenu(menu.Get(), TPM_LEFTALIGN | TPM_RIGHTBUTTON | TPM_RETURNCMD, x, y, 0, owner, nullptr);
    PostMessageW(owner, WM_NULL, 0, 0);
    return id > 0 && id <= byId.size() ? byId[id - 1] : nullptr;
}

}  // namespace ui
