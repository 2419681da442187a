// libFuzzer target: the role of a run from its arguments and file name, and the text handed to a running
// cover, which splits back into the arguments when none holds the joining '?'.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "app/startup_rules.hpp"
#include "fuzz_input.hpp"
#include "settings/product.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const std::string exe = in.Bool() ? std::string(UninstallerName) : in.Text();
    std::vector<std::string> args;
    while (!in.Empty() && args.size() < 64) args.push_back(in.Bool() ? std::string("/uninstall") : in.Text());

    const StartModes mode = ClassifyStartMode(args, exe, UninstallerName);
    const StartModes expected = !args.empty() && args[0] == "/uninstall" ? StartModes::Uninstall1
                                : exe == UninstallerName                 ? StartModes::Uninstall2
                                                                         : StartModes::Normal;
    FUZZ_CHECK(mode == expected);

    const std::string text = ForwardedArgumentText(args);
    std::size_t total = 0, marks = 0;
    for (const std::string& a : args) {
        total += a.size();
        for (char c : a) marks += c == '?';
    }
    FUZZ_CHECK(text.size() == total + (args.empty() ? 0 : args.size() - 1));
    if (marks == 0 && !args.empty()) {
        std::vector<std::string> back{""};
        for (char c : text) c == '?' ? back.push_back("") : back.back().push_back(c);
        FUZZ_CHECK(back == args);
    }
    return 0;
}
