// libFuzzer target: any reply, of any size and with or without its zero, splits without reading past it,
// into names that hold no separator and fit in the reply.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "shell/progman_commands.hpp"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    // A copy of exactly `size` bytes, so the sanitizer sees any read past the reply.
    std::vector<char> reply(data, data + size);
    const char* bytes = reply.empty() ? nullptr : reply.data();
    std::vector<std::string> names = obsc32::SplitGroupsReply(bytes, reply.size());
    std::size_t total = 0;
    for (const std::string& name : names) {
        for (char c : name)
            if (static_cast<unsigned char>(c) < 0x14) std::abort();
        total += name.size();
    }
    if (total > size || names.size() > size / 2 + 1) std::abort();
    return 0;
}
