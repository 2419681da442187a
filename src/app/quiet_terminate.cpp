// The runtime's default terminate handler writes the uncaught exception's name to stderr, which a windowed
// program does not have, then aborts; it alone links in the C++ name demangler and printf, a sixth of the
// program. Linked into OBSC32.EXE only, so the tests keep the verbose handler.
#include <cstdlib>

namespace __gnu_cxx {
void __verbose_terminate_handler() { std::abort(); }
}  // namespace __gnu_cxx
