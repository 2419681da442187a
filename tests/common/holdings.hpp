// What a process holds, read from outside it: live GDI objects and memory, for checks and benchmarks that
// look for leaks and weight.
#pragma once
#include <windows.h>

namespace testing_common {

// Live GDI objects: the used entries of the process's GDI handle table, which Wine keeps where Windows does
// (the PEB's GdiSharedHandleTable, entries of 24 bytes whose byte 14 is the type, 0 when free), as its
// GetGuiResources is a stub. -1 when it cannot be read.
int GdiObjectCount(HANDLE process);

struct MemoryUse {
    SIZE_T workingSet = 0, privateBytes = 0;
};
// Its working set and private bytes; Wine reports no private bytes for another process, so its committed
// private pages are summed instead.
MemoryUse MemoryOf(HANDLE process);

}  // namespace testing_common
