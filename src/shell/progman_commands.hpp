// Program Manager's command texts and its group-list reply: pure text, shared by the cover, the setup and the
// uninstall.
#pragma once
#include <cstddef>
#include <string>
#include <vector>

namespace obsc32 {

// The title in double quotes, as the AddItem and DeleteItem commands carry it.
std::string QuotedLongTitle(const std::string& title);

// Each command ends in CR LF; names and paths go in unescaped.
std::string CreateGroupCommand(const std::string& group);
// The program path in double quotes, a comma, then QuotedLongTitle(title).
std::string AddItemCommand(const std::string& programPath, const std::string& title);
std::string DeleteItemCommand(const std::string& title);
std::string ShowGroupCommand(const std::string& group);

// Whether a name survives inside a command: Program Manager reads brackets, parentheses, commas, double
// quotes and control characters as part of the command, and ignores names past 255 bytes of code page 932
// (a folder name's limit). A text that is not whole UTF-8 does not fit.
bool FitsInCommand(const std::string& name);

// The names in a GROUPS reply of `size` bytes: a name is a run of bytes of 0x14 or above, any byte below
// 0x14 separates, a zero (or the end of the data) ends the reply; a separator at the very start gives an
// empty first name.
std::vector<std::string> SplitGroupsReply(const char* data, std::size_t size);

}  // namespace obsc32
