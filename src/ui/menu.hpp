// Menu items and popup menus. The menu handle is built afresh each time the menu pops up, so the
// items' properties are the only state.
#pragma once
#include <windows.h>

#include <initializer_list>
#include <string>
#include <vector>

#include "ui/component.hpp"

namespace ui {

class MenuItem : public Component {
public:
    MenuItem(Component* owner, const char* name, const char* caption = "-", bool enabled = true);

    std::string Caption;  // "-" is a separator
    bool Checked = false;
    bool Enabled = true;
    bool Visible = true;
    NotifyEvent OnClick;

    bool IsSeparator() const { return Caption == "-"; }
    // Submenu items, not owned: they are members of the same form.
    std::vector<MenuItem*> Items;
    void Add(std::initializer_list<MenuItem*> items) { Items.insert(Items.end(), items); }
    // Runs OnClick with this item as Sender. An item with a submenu is clicked as its menu is built, each
    // time the menu pops up.
    void Click() {
        if (OnClick) OnClick(this);
    }
};

class PopupMenu : public Component {
public:
    using Component::Component;

    MenuItem Items{this, "Items", ""};
    NotifyEvent OnPopup;

    // Runs OnPopup, shows the menu at screen point (x, y) left-aligned, and returns the chosen item
    // (or nullptr) when it has closed.
    MenuItem* Track(int x, int y, HWND owner);
    // Track, then the chosen item's OnClick.
    void Popup(int x, int y, HWND owner) {
        if (MenuItem* chosen = Track(x, y, owner)) chosen->Click();
    }
};

}  // namespace ui
