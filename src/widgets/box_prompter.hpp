// A window's message box as the way its commands reach the person, and the one edge where a window shows
// its commands' failures.
#pragma once
#include <windows.h>

#include <string>
#include <type_traits>

#include "ui/application.hpp"
#include "ui/prompter.hpp"
#include "widgets/TMKBoxDlg.hpp"

namespace obsc32 {

// How a handler shows its command's failure.
enum class Failure {
    Warning,  // a beep, and a box that closes by itself
    Box,      // a box the person closes
    Refusal,  // an exclamation beep, and a box the person closes: something to correct
    Report,   // the application's standard error report
};

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
    void LetMessagesRun() override { ui::Application::Instance().ProcessMessages(); }

    // A failure or a notice that is to be heard: beeped, then told in a box that closes by itself.
    void Warn(const std::string& text) {
        Beep(0xFFFFFFFF);
        TellTimed(text, 0);
    }
    void Show(Failure how, const std::string& text) {
        switch (how) {
            case Failure::Warning: Warn(text); break;
            case Failure::Refusal: Beep(MB_ICONEXCLAMATION); [[fallthrough]];
            case Failure::Box: Tell(text); break;
            case Failure::Report: ui::Application::Instance().ShowErrorReport(text); break;
        }
    }

    // Runs a handler's command, showing a ui::Error it throws as `how` says; what the command gave, or a
    // value-made result (false) when it failed.
    template <typename Command>
    auto Run(Failure how, Command&& command) {
        using Result = std::invoke_result_t<Command>;
        try {
            return command();
        } catch (const ui::Error& e) {
            Show(how, e.what());
            if constexpr (!std::is_void_v<Result>) return Result{};
        }
    }

private:
    TMKBoxDlg& box_;
};

}  // namespace obsc32
