#include "common/holdings.hpp"

#include <psapi.h>
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

MemoryUse MemoryOf(HANDLE process) {
    PROCESS_MEMORY_COUNTERS_EX c{};
    c.cb = sizeof c;
    if (!GetProcessMemoryInfo(process, reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&c), sizeof c)) return {};
    MemoryUse use{c.WorkingSetSize, c.PrivateUsage};
    MEMORY_BASIC_INFORMATION mbi;
    for (char* p = nullptr; !c.PrivateUsage && VirtualQueryEx(process, p, &mbi, sizeof mbi) == sizeof mbi;) {
        if (mbi.State == MEM_COMMIT && mbi.Type == MEM_PRIVATE) use.privateBytes += mbi.RegionSize;
        char* next = static_cast<char*>(mbi.BaseAddress) + mbi.RegionSize;
        if (next <= p) break;
        p = next;
    }
    return use;
}

}  // namespace testing_common
