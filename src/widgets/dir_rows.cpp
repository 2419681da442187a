#include "widgets/dir_rows.hpp"

#include <algorithm>

#include "shell/path_text.hpp"

namespace obsc32 {

namespace {
char Upper(char c) { return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c; }
}  // namespace

std::vector<FolderRow> PathRows(const std::string& folder) {
    std::vector<std::string> segments;
    if (!folder.empty()) YenSplit(YenAdd(folder), segments);
    std::vector<FolderRow> rows;
    rows.reserve(segments.size());
    for (std::string& s : segments) {
        // Each segment ends in its real backslash; only the drive root shows it.
        if (!rows.empty()) s.pop_back();
        rows.push_back({std::move(s), static_cast<int>(rows.size())});
    }
    return rows;
}

std::string OpenRowPath(const std::vector<std::string>& rows, int selected, int currentRow) {
    if (rows.empty() || selected < 0 || selected >= static_cast<int>(rows.size())) return {};
    const int last = std::min(selected, currentRow);
    std::string path = rows[0];
    for (int i = 1; i <= last; ++i) path += rows[i] + "\\";
    if (selected > currentRow) path += rows[selected] + "\\";
    return path;
}

bool SameDrive(const std::string& a, char letter) { return !a.empty() && Upper(a[0]) == Upper(letter); }

void RememberDriveFolder(std::vector<std::string>& driveFolders, const std::string& path) {
    if (path.empty()) return;
    for (auto it = driveFolders.begin(); it != driveFolders.end(); ++it) {
        if (SameDrive(*it, path[0])) {
            driveFolders.erase(it);
            break;
        }
    }
    driveFolders.push_back(path);
}

std::optional<std::string> DriveFolderOf(const std::vector<std::string>& driveFolders, char letter) {
    for (const std::string& f : driveFolders)
        if (SameDrive(f, letter)) return f;
    return std::nullopt;
}

std::string DriveRoot(char letter) { return std::string(1, letter) + ":\\"; }

std::string DriveRowText(char letter, bool lowerNames) {
    return AsciiCase(std::string(1, letter), lowerNames) + ":";
}

std::string LabelledDriveRow(const std::string& rowText, const std::string& label, bool lowerNames) {
    return rowText.substr(0, 1) + ":" + AsciiCase(label, lowerNames);
}

std::string DriveErrorFallback(const std::string& listedFolder, char letter,
                               const std::string& windowsFolder) {
    if (listedFolder.empty() || SameDrive(listedFolder, letter))
        return DriveRoot(windowsFolder.empty() ? 'C' : windowsFolder[0]);
    return listedFolder;
}

std::vector<std::string> SplitFileMask(const std::string& mask) {
    std::vector<std::string> masks;
    std::string::size_type start = 0;
    while (start <= mask.size()) {
        std::string::size_type end = mask.find(';', start);
        if (end == std::string::npos) end = mask.size();
        if (end > start) masks.push_back(mask.substr(start, end - start));
        start = end + 1;
    }
    return masks;
}

}  // namespace obsc32
