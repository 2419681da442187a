#include "common/gdi_objects.hpp"

#include <winternl.h>

#include <vector>

namespace testing_common {

int GdiObjectCount(HANDLE process) {
    using Query = LONG(WINAPI*)(HANDLE, PROCESSINFOCLASS, void*, ULONG, ULONG*);
    auto query = reinterpret_cast<Query>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationProcess")));
    PROCESS_BASIC_INFORMATION info{};
    if (!query || query(process, ProcessBasicInformation, &info, sizeof info, nullptr) != 0) return -1;
    DWORD table = 0;
    constexpr size_t kEntry = 24, kEntries = 0x10000;
    if (!ReadProcessMemory(process, reinterpret_cast<char*>(info.PebBaseAddress) + 0x94, &table, sizeof table,
                           nullptr) ||
        !table)
        return -1;
    std::vector<unsigned char> entries(kEntry * kEntries);
    if (!ReadProcessMemory(process, reinterpret_cast<void*>(static_cast<UINT_PTR>(table)), entries.data(),
                           entries.size(), nullptr))
        return -1;
    int used = 0;
    for (size_t i = 0; i < kEntries; ++i) used += entries[i * kEntry + 14] != 0;
    return used;
}

}  // namespace testing_common
