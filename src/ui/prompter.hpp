// How a windowless command reaches the person: its form answers with the window's own box.
#pragma once
#include <string>

#include "ui/busy_cursor.hpp"

namespace ui {

class Prompter {
public:
    Prompter() = default;
    Prompter(const Prompter&) = delete;
    Prompter& operator=(const Prompter&) = delete;

    // A question that answers `defaultAnswer` when its countdown runs out: 6 yes, 7 no, 2 the close box,
    // 0 nothing shown.
    virtual int AskYesNo(const std::string& text, int defaultAnswer) = 0;
    // A notice the person closes.
    virtual void Tell(const std::string& text) = 0;
    // A notice that closes itself when its countdown runs out.
    virtual void TellTimed(const std::string& text, int defaultAnswer) = 0;
    // MessageBeep's sound of that type.
    virtual void Beep(unsigned type) = 0;
    // Lets the window messages already waiting be handled between a long command's steps, which keeps
    // windows painted and DDE traffic moving.
    virtual void LetMessagesRun() = 0;
    // The hourglass over every window for as long as the scope lives.
    BusyCursor Busy() { return BusyCursor(); }

protected:
    ~Prompter() = default;
};

}  // namespace ui
