// Questions about program files on disk: whose a file is, and whether two files are the same bytes.
#pragma once
#include <string>

namespace obsc32 {

// The version resource's "InternalName" of a program file; "" when it has none or cannot be read.
std::string InternalNameOf(const std::string& path);
// True when both files can be read and hold the same bytes.
bool SameFileBytes(const std::string& a, const std::string& b);

}  // namespace obsc32
