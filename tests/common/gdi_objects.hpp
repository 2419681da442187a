// Counting a process's live GDI objects, for checks and benchmarks that look for leaks.
#pragma once
#include <windows.h>

namespace testing_common {

// Live GDI objects: the used entries of the process's GDI handle table, which Wine keeps where Windows does
// (the PEB's GdiSharedHandleTable, entries of 24 bytes whose byte 14 is the type, 0 when free), as its
// GetGuiResources is a stub. -1 when it cannot be read.
int GdiObjectCount(HANDLE process);

}  // namespace testing_common
