// libFuzzer target: any bytes as a help source either become a help file or are refused with a message
// naming a line of the text; nothing reads outside its buffers and nothing else is thrown.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "helpc/help_file.hpp"
#include "helpc/help_source.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const auto lines = std::count(text.begin(), text.end(), '\n') + 1;
    try {
        if (helpc::BuildHelpFile(helpc::ParseHelpSource(text)).size() < 16) std::abort();
    } catch (const helpc::HelpError& e) {
        if (e.Line() < 0 || e.Line() > lines) std::abort();
    }
    return 0;
}
