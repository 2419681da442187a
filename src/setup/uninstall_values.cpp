#include "setup/uninstall_values.hpp"

#include <cstddef>

#include "shell/decimal.hpp"
#include "shell/path_text.hpp"

namespace obsc32 {

std::string StageTwoCaption(int number) {
    std::string digits = "000" + std::to_string(number);
    return "UNINSTALL_VANTE" + digits.substr(digits.size() - 3);
}

std::string TrimValue(const std::string& text) {
    std::size_t begin = 0, end = text.size();
    while (begin < end && static_cast<unsigned char>(text[begin]) <= ' ') ++begin;
    // No byte of a multi-byte character is at or below a blank, so the end can be cut byte by byte too.
    while (end > begin && static_cast<unsigned char>(text[end - 1]) <= ' ') --end;
    return text.substr(begin, end - begin);
}

HandedColors ReadHandedColors(const std::string& color, const std::string& fontColor) {
    HandedColors read;
    std::optional<int>* into[] = {&read.Color, &read.FontColor};
    const std::string* from[] = {&color, &fontColor};
    for (int i = 0; i < 2; ++i) {
        const std::string text = TrimValue(*from[i]);
        if (text.empty()) continue;
        *into[i] = StrictDecimal(text);
        if (!*into[i]) break;
    }
    return read;
}

namespace {
constexpr std::size_t kMaxPath = 260;

// The first real backslash at or after `from`, which starts a character.
std::size_t FindYen(const std::string& path, std::size_t from) {
    for (std::size_t i = from; i < path.size(); i += CharLength(path, i))
        if (path[i] == '\\') return i;
    return std::string::npos;
}

// Where the folders start: past "C:\" or "\\server\share\"; 0 when the path has no such root.
std::size_t RootLength(const std::string& path) {
    if (path.size() >= 3 && path[1] == ':' && path[2] == '\\') {
        const char d = path[0];
        return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) ? 3 : 0;
    }
    if (path.rfind("\\\\", 0) != 0) return 0;
    // "\\server\share": the share ends at the fourth separator or at the end.
    std::size_t server = FindYen(path, 2);
    if (server == std::string::npos || server == 2) return 0;
    std::size_t share = FindYen(path, server + 1);
    if (share == server + 1) return 0;
    const std::string name = path.substr(2, server - 2);
    if (name == "?" || name == ".") return 0;
    return share == std::string::npos ? path.size() : share + 1;
}

// Folders compare with single-byte letters of either case alike, with or without a trailing separator.
std::string ComparableFolder(const std::string& path) { return AsciiCase(YenAdd(path), false); }
}  // namespace

bool IsUsableHandOverFile(const std::string& path) {
    if (WideLength(path) >= kMaxPath || path.empty() || path.back() == '\\' || !IsWholeUtf8(path))
        return false;
    const std::size_t root = RootLength(path);
    if (root == 0 || root >= path.size()) return false;
    // A share's server and share names are held to the same rules as the folders.
    std::size_t partStart = path[1] == ':' ? root : 2;
    for (std::size_t i = partStart; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '\\';
        if (static_cast<unsigned char>(c) < 0x20) return false;
        for (char bad : std::string("/*?\"<>|:"))
            if (c == bad) return false;
        if (c != '\\') continue;
        const std::string part = path.substr(partStart, i - partStart);
        if (part.empty() || part == "." || part == "..") return false;
        partStart = i + 1;
    }
    return true;
}

bool IsPlainFile(unsigned long attributes) {
    // FILE_ATTRIBUTE_DIRECTORY and FILE_ATTRIBUTE_REPARSE_POINT.
    constexpr unsigned long kFolder = 0x10, kReparsePoint = 0x400;
    return attributes != 0xFFFFFFFFUL && !(attributes & (kFolder | kReparsePoint));
}

bool IsFolderOrAbove(const std::string& upper, const std::string& folder) {
    if (upper.empty() || folder.empty()) return false;
    return ComparableFolder(folder).rfind(ComparableFolder(upper), 0) == 0;
}

std::vector<std::string> FoldersToRemove(const std::string& file, const std::string& top,
                                         const std::string& winDir) {
    std::vector<std::string> levels;
    const std::size_t root = RootLength(file);
    if (root == 0) return levels;
    YenLevels(YenAdd(FolderPart(file)), levels);
    std::vector<std::string> remove;
    for (auto level = levels.rbegin(); level != levels.rend(); ++level) {
        if (level->size() <= root) break;
        if (!winDir.empty() && IsFolderOrAbove(*level, winDir)) break;
        // The install folder itself goes when empty; the ones above it only when the install made them.
        if (!remove.empty() && !(IsFolderOrAbove(top, *level))) break;
        remove.push_back(*level);
    }
    return remove;
}

std::string MadeFolderRecord(const std::string& madeNow, const std::string& recorded,
                             const std::string& installFolder) {
    if (!madeNow.empty()) return YenCut(IsFolderOrAbove(recorded, madeNow) ? recorded : madeNow);
    return IsFolderOrAbove(recorded, installFolder) ? YenCut(recorded) : std::string();
}

}  // namespace obsc32
