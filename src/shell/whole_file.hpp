// A whole file read into memory. None when it cannot be: missing, larger than the caller's limit, more than
// the address space holds, or read short.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace obsc32 {

std::optional<std::vector<uint8_t>> ReadWholeFile(const std::string& path, uint64_t limit);
// The bytes of an open file, from its start.
std::optional<std::vector<uint8_t>> ReadWholeFile(HANDLE file, uint64_t limit);

}  // namespace obsc32
