// The message box component each window owns: every notice and question goes through it.
#pragma once
#include <windows.h>

#include <array>
#include <string>

#include "ui/component.hpp"
#include "widgets/msg_kind.hpp"

namespace obsc32 {

class TMKBox;

// Answers: 1 OK, 6 Yes, 7 No, 2 the close box, 0 nothing shown (every slot busy); a countdown that runs
// out answers the caller's Default.
class TMKBoxDlg : public ui::Component {
public:
    using ui::Component::Component;

    std::string Title;            // empty: the application title
    HWND SourceHandle = nullptr;  // the box is centred over it; none: the main window
    bool Timer = true;
    int TimerCount = 10;
    // B0..B9: slot n shows a box.
    std::array<bool, 10> B{};

    int MsgOK(const std::string& text) { return MsgBox(MsgKind::OK, text); }
    int MsgBox(MsgKind kind, const std::string& text);
    int MsgOKTimer(const std::string& text, int def) { return MsgBoxTimer(MsgKind::OK, text, def); }
    int MsgYesNoTimer(const std::string& text, int def) { return MsgBoxTimer(MsgKind::YesNo, text, def); }
    int MsgBoxTimer(MsgKind kind, const std::string& text, int def);
    // Throws ui::Error when the box's window cannot be made.
    int ShowSlot(MsgKind kind, int slot, const std::string& text, int def);

private:
    int Run(MsgKind kind, bool countdown, const std::string& text, int def);
    struct Slot {
        TMKBox* Box = nullptr;
        bool Countdown = false;
        std::string CountText;
    };
    std::array<Slot, 10> slots_{};
};

}  // namespace obsc32
