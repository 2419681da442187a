// How a run decides its role and what it hands to a running cover.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

#include "settings/run_context.hpp"

namespace obsc32 {

// The role from the first argument ("/uninstall", exactly) and the executable's lower-cased file name.
StartModes ClassifyStartMode(const std::vector<std::string>& args, const std::string& lowerExeName,
                             const std::string& uninstallerName);

// Arguments 1..n joined with "?", none before or after.
std::string ForwardedArgumentText(const std::vector<std::string>& args);

// A global atom holds at most this many bytes of text.
inline constexpr std::size_t kMaxAtomText = 255;

}  // namespace obsc32
