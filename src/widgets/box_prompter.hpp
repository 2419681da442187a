// A window's message box as the way its commands reach the person.
#pragma once
#include <windows.h>

#include <string>

#include "ui/prompter.hpp"
#include "widgets/TMKBoxDlg.hpp"

namespace obsc32 {

class BoxPrompter final : public ui::Prompter {
public:
    explicit BoxPrompter(TMKBoxDlg& box) : box_(box) {}

    int AskYesNo(const std::string& text, int defaultAnswer) override {
        return box_.MsgYesNoTimer(text, defaultAnswer);
    }
    void Tell(const std::string& text) override { box_.MsgOK(text); }
    void TellTimed(const std::string& text, int defaultAnswer) override {
        box_.MsgOKTimer(text, defaultAnswer);
    }
    void Beep(unsigned type) override { MessageBeep(type); }

private:
    TMKBoxDlg& box_;
};

}  // namespace obsc32
