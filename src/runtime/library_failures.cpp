// Why this replaces a part of the standard library: where the library reports a failure of its own (a
// string or vector beyond its size, an index out of range, a string from a null pointer) its versions throw
// std::logic_error and its kin, whose copy-on-write message strings bring 25 KB with them (OBSC32.EXE
// 324,096 -> 299,008 bytes). Here the same failures arrive as a command's error naming the function that
// refused, caught and shown like any other; memory ones stay std::bad_alloc. Linked into the program only.
#include <cstdarg>
#include <cstring>
#include <new>
#include <string>

#include "ui/component.hpp"

namespace std {

void __throw_bad_alloc() { throw std::bad_alloc(); }
void __throw_bad_array_new_length() { throw std::bad_array_new_length(); }
void __throw_length_error(const char* what) { throw ui::Error(what); }
void __throw_logic_error(const char* what) { throw ui::Error(what); }
// Every such format starts with the name of the function that refused ("%s: ..."); that name is kept.
void __throw_out_of_range_fmt(const char* format, ...) {
    std::string text = "index out of range";
    if (std::strncmp(format, "%s", 2) == 0) {
        va_list args;
        va_start(args, format);
        text = va_arg(args, const char*) + (": " + text);
        va_end(args);
    }
    throw ui::Error(text);
}

}  // namespace std
