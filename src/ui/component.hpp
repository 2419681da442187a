// The component model: an owner, a name, a Tag, and events that receive their Sender.
#pragma once
#include <exception>
#include <functional>
#include <string>

namespace ui {

class Component {
public:
    Component(Component* owner, const char* name) : Owner(owner), Name(name) {}
    Component(const Component&) = delete;
    Component& operator=(const Component&) = delete;
    virtual ~Component() = default;

    Component* const Owner;
    const std::string Name;
    int Tag = 0;
};

using NotifyEvent = std::function<void(Component* sender)>;

// A command's failure; the text (UTF-8) is what the user is shown.
class Error : public std::exception {
public:
    explicit Error(std::string text) : text_(std::move(text)) {}
    const char* what() const noexcept override { return text_.c_str(); }

private:
    std::string text_;
};

}  // namespace ui
