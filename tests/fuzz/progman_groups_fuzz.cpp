// libFuzzer target: any reply, of any size and with or without its zero, splits without reading past it,
// into names that hold no separator and fit in the reply; and the same bytes as a group name fit in a
// command exactly when a plain reading of its characters finds nothing Program Manager would misread.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "shell/progman_commands.hpp"
#include "utf8_reference.hpp"

namespace {

// Written apart from the code under test: whole UTF-8, at most 255 bytes of code page 932, and no byte a
// control character or one of the command's own marks.
bool Fits(const std::string& name) {
    if (!fuzz::WholeUtf8(name) || fuzz::Cp932Bytes(name) > 255) return false;
    for (char c : name)
        if (static_cast<unsigned char>(c) < 0x20 || std::string("[](),\"").find(c) != std::string::npos)
            return false;
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
