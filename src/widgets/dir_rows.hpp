// The folder picker's arithmetic on paths and rows, in UTF-8 (no windows.h here).
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace obsc32 {

// A row of the folder list: its text and its indentation level.
struct FolderRow {
    std::string Text;
    int Level = 0;
};

// The path rows of a folder, split at its real backslashes: the drive root keeps its backslash (c:\), each
// folder below it comes without (windows, system), one level deeper each.
std::vector<FolderRow> PathRows(const std::string& folder);

// The folder a click on row `selected` opens, ending in "\": the rows down to the selected one, or, for a
// subfolder row (below `currentRow`), the rows down to the current folder and then the subfolder.
std::string OpenRowPath(const std::vector<std::string>& rows, int selected, int currentRow);

// The two paths lie on the same drive: their first characters agree, ignoring case.
bool SameDrive(const std::string& a, char letter);
// Drops the entry of the path's drive, then appends the path: one folder per drive, the newest last.
void RememberDriveFolder(std::vector<std::string>& driveFolders, const std::string& path);
// The folder last visited on the drive, if any.
std::optional<std::string> DriveFolderOf(const std::vector<std::string>& driveFolders, char letter);

// "c:\" for c.
std::string DriveRoot(char letter);
// A drive box row: the letter (lower case when lowerNames) and ":".
std::string DriveRowText(char letter, bool lowerNames);
// A selected row labelled: its first character, ":" and the label with its letters folded.
std::string LabelledDriveRow(const std::string& rowText, const std::string& label, bool lowerNames);
// Where a drive error returns to: the folder last listed, unless it is on the failing drive or there is
// none; then the root of the Windows drive.
std::string DriveErrorFallback(const std::string& listedFolder, char letter,
                               const std::string& windowsFolder);

// The file mask's masks, split at ";", empty ones dropped.
std::vector<std::string> SplitFileMask(const std::string& mask);

}  // namespace obsc32
