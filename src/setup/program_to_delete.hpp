// What stage 2 takes as a program file it may delete, in one place: stage 1 holds its own path to the same
// checks before it removes anything, so no refusal of stage 2's can come after stage 1's removals.
#pragma once
#include <optional>
#include <string>

namespace obsc32 {

// The handed file as the system resolves it; none when the hand-over's spelling or the resolved one is no
// usable hand-over file.
std::optional<std::string> ResolvedHandOverFile(const std::string& handed);
// Whether the file, or a folder on its way, is a reparse point (a junction, a symbolic link): the path leads
// elsewhere, and what it leads to is not the uninstall's to delete.
bool GoesThroughReparsePoint(const std::string& path);

}  // namespace obsc32
