// Runs a function when the scope is left, however it is left.
#pragma once
#include <utility>

namespace ui {

template <typename F>
class [[nodiscard]] ScopeGuard {
public:
    explicit ScopeGuard(F f) : f_(std::move(f)) {}
    ScopeGuard(const ScopeGuard&) = delete;
    ScopeGuard& operator=(const ScopeGuard&) = delete;
    ~ScopeGuard() {
        if (active_) f_();
    }
    // The scope ended as planned: nothing to undo.
    void Dismiss() { active_ = false; }

private:
    F f_;
    bool active_ = true;
};

}  // namespace ui
