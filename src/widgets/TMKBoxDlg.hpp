// The message box component each window owns: every notice and question goes through it.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "ui/component.hpp"

namespace obsc32 {

class TMKBox;

class TMKBoxDlg : public ui::Component {
public:
    using ui::Component::Component;

    std::string Title;            // empty: the application title
    HWND SourceHandle = nullptr;  // the box is centred over it; none: the main window
    bool Timer = true;
    int TimerCount = 10;
    // B0..B9: slot n shows a box.
    std::array<bool, 10> B{};

    int MsgOK(const std::string& text) { return MsgBox(0, text); }
    int MsgBox(int kind, const std::string& text);
    int MsgOKTimer(const std::string& text, int def) { return MsgBoxTimer(0, text, def); }
    int MsgYesNoTimer(const std::string& text, int def) { return MsgBoxTimer(1, text, def); }
    int MsgBoxTimer(int kind, const std::string& text, int def);
    int ShowSlot(int kind, int slot, const std::string& text, int def);

    // The box on screen in a slot (null when none), for whoever has to answer it.
    TMKBox* SlotBox(int slot) const { return slots_[slot].Box; }

private:
    int Run(int kind, bool countdown, const std::string& text, int def);
    struct Slot {
        TMKBox* Box = nullptr;
        bool Countdown = false;
        std::string CountText;
    };
    std::array<Slot, 10> slots_{};
};

}  // namespace obsc32
