// The component model: an owner, a name, a Tag, and events that receive their Sender.
#pragma once
#include <functional>
#include <stdexcept>
#include <string>

namespace ui {

class Component {
public:
    Component(Component* owner, std::string name) : Owner(owner), Name(std::move(name)) {}
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component() = default;

    Component* const Owner;
    const std::string Name;
    int Tag = 0;
};

using NotifyEvent = std::function<void(Component* sender)>;

// A command's failure; the text is Shift-JIS and is what the user is shown.
class Error : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace ui
