// What a command asked and told the person, in place of a window's box: questions are answered by the test.
#pragma once
#include <functional>
#include <string>
#include <vector>

#include "settings/run_context.hpp"
#include "shell/path_text.hpp"
#include "shell/system_paths.hpp"
#include "ui/application.hpp"
#include "ui/prompter.hpp"

namespace testing_wine {

class RecordingPrompter final : public ui::Prompter {
public:
    // Every question and notice, in order; a question is marked "? ".
    std::vector<std::string> Said;
    int Beeps = 0;
    // The answer to a question; yes unless a test says otherwise.
    std::function<int(const std::string& question)> Answer = [](const std::string&) { return 6; };

    int AskYesNo(const std::string& text, int) override {
        Said.push_back("? " + text);
        return Answer(text);
    }
    void Tell(const std::string& text) override { Said.push_back(text); }
    void TellTimed(const std::string& text, int) override { Said.push_back(text); }
    void Beep(unsigned) override { ++Beeps; }
    // As the window's box does: the commands' DDE conversations need their messages.
    void LetMessagesRun() override { ui::Application::Instance().ProcessMessages(); }
};

// A run of a program at `programPath`; the Windows folder is the system's unless a test gives its own.
inline obsc32::RunContext TestRun(const std::string& programPath,
                                  obsc32::StartModes mode = obsc32::StartModes::Normal,
                                  const std::string& firstArgument = "",
                                  const std::string& windowsFolder = obsc32::WindowsFolder()) {
    return {programPath, obsc32::YenAdd(obsc32::FolderPart(programPath)), windowsFolder, mode, firstArgument};
}

}  // namespace testing_wine
