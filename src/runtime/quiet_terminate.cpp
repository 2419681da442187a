// Why this replaces a part of the C++ runtime: its default terminate handler writes the uncaught exception's
// name to stderr, which a windowed program does not have, then aborts; it alone links in the C++ name
// demangler and printf, 77 KB (OBSC32.EXE 376,320 -> 299,008 bytes). Linked into the program only, so the
// tests keep the verbose handler.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
