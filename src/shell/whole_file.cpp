#include "shell/whole_file.hpp"

#include <new>

#include "ui/handles.hpp"
#include "ui/wide.hpp"

namespace obsc32 {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, uint64_t limit) {
    ui::FileHandle file(CreateFileW(ui::WidePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file) return std::nullopt;
    return ReadWholeFile(file.Get(), limit);
}

std::optional<std::vector<uint8_t>> ReadWholeFile(HANDLE file, uint64_t limit) {
    LARGE_INTEGER size{};
    const LARGE_INTEGER start{};
    if (!GetFileSizeEx(file, &size) || static_cast<uint64_t>(size.QuadPart) > limit ||
        !SetFilePointerEx(file, start, nullptr, FILE_BEGIN))
        return std::nullopt;
    std::vector<uint8_t> bytes;
    // A large file the address space cannot hold is as unreadable as a broken one.
    try {
        bytes.resize(static_cast<size_t>(size.QuadPart));
    } catch (const std::bad_alloc&) {
        return std::nullopt;
    }
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size()))
        return std::nullopt;
    return bytes;
}

}  // namespace obsc32
