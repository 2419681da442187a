// The help as one HTML page in UTF-8, for systems with no viewer for the help file: the contents first, every
// topic under an anchor named after its context, the jumps as links, and the keyword index last.
#pragma once
#include <string>
#include <string_view>

#include "helpc/help_source.hpp"
#include "shell/help_route.hpp"

namespace helpc {

// Shift-JIS text in UTF-8, converted by the host's iconv; throws HelpError (line 0) when the text is not
// Shift-JIS.
std::string SjisToUtf8(std::string_view text);

std::string BuildHtmlHelp(const HelpSource& source);

}  // namespace helpc
