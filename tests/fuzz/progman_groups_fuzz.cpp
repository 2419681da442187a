// libFuzzer target: any reply, of any size and with or without its zero, splits without reading past it,
// into names that hold no separator and fit in the reply; and the same bytes as a group name fit in a
// command exactly when a plain reading of its characters finds nothing Program Manager would misread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "shell/progman_commands.hpp"

namespace {

// Written apart from the code under test: a first byte needs a real second byte, and no single byte may
// be a control character or one of the command's own marks.
bool Fits(const std::string& name) {
    if (name.size() > 255) return false;
    for (std::size_t i = 0; i < name.size(); ++i) {
        const auto b = static_cast<unsigned char>(name[i]);
        if ((b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC)) {
            const auto next = i + 1 < name.size() ? static_cast<unsigned char>(name[i + 1]) : 0;
            if (next < 0x40 || next == 0x7F || next > 0xFC) return false;
            ++i;
        } else if (b < 0x20 || std::string("[](),\"").find(static_cast<char>(b)) != std::string::npos) {
            return false;
        }
    }
    return true;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the reply.
    std::vector<char> reply(data, data + size);
    const char* bytes = reply.empty() ? nullptr : reply.data();
    std::vector<std::string> names = obsc32::SplitGroupsReply(bytes, reply.size());
    std::size_t total = 0;
    for (const std::string& name : names) {
        for (char c : name) FUZZ_CHECK(static_cast<unsigned char>(c) >= 0x14);
        total += name.size();
    }
    FUZZ_CHECK(total <= size && names.size() <= size / 2 + 1);
    const std::string name(reply.begin(), reply.end());
    FUZZ_CHECK(obsc32::FitsInCommand(name) == Fits(name));
    return 0;
}
