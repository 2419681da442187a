// One run of the help compiler: source file in, help file out, or a message naming what is wrong.
#pragma once
#include <filesystem>
#include <string>

namespace helpc {

// Reads the source, builds the help file and moves it over `target` from a temporary file in the same
// folder, so a run that fails leaves the target as it was; with `html`, the HTML help too. Returns "" or the
// message to print ("source:line: what is wrong").
std::string CompileHelp(const std::filesystem::path& source, const std::filesystem::path& target,
                        const std::filesystem::path& html = {});

}  // namespace helpc
