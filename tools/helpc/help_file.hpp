// The whole help file: the 16-byte header, the internal files a viewer reads, and the directory of them.
#pragma once
#include <string>

#include "helpc/help_source.hpp"

namespace helpc {

inline constexpr std::uint16_t kShiftJisCharset = 0x80;
inline constexpr std::uint16_t kJapaneseLcid = 0x0411;

// The file image, ready to write. Throws HelpError when the source exceeds what the format can hold.
std::string BuildHelpFile(const HelpSource& source);

}  // namespace helpc
