// libFuzzer target: what one uninstall stage hands the other. A usable file is a whole absolute path; the
// folders to remove are levels of the file's folder, deepest first, never a root and never the Windows folder
// or one holding it; colours and trimming agree with their plain rules.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/decimal.hpp"
#include "shell/path_text.hpp"
#include "utf8_reference.hpp"

using namespace obsc32;

namespace {

bool StartsWith(const std::string& s, const std::string& p) { return s.compare(0, p.size(), p) == 0; }
bool DriveRooted(const std::string& p) {
    const char d = p.size() >= 3 ? p[0] : 0;
    return ((d >= 'A' && d <= 'Z') || (d >= 'a' && d <= 'z')) && p[1] == ':' && p[2] == '\\';
}
std::size_t RealYens(const std::string& p) {
    return static_cast<std::size_t>(std::count(p.begin(), p.end(), '\\'));
}
std::string Upper(const std::string& p) { return AsciiCase(YenAdd(p), false); }

// The plain rule: a drive or share path in whole UTF-8, shorter than MAX_PATH in UTF-16 units, no character
// a control, wildcard or stray colon, and every part a real name; a share needs its server and share before
// the file (\\server\share\file).
bool Usable(const std::string& path) {
    const bool unc = StartsWith(path, "\\\\");
    if (path.empty() || !fuzz::WholeUtf8(path) || fuzz::Utf16Units(path) >= 260 || path.back() == '\\' ||
        !(DriveRooted(path) || unc))
        return false;
    std::string part;
    std::size_t parts = 0;
    for (std::size_t i = unc ? 2 : 3; i <= path.size(); ++i) {
        const char c = i < path.size() ? path[i] : '\\';
        if (static_cast<unsigned char>(c) < 0x20 || std::string("/*?\"<>|:").find(c) != std::string::npos)
            return false;
        if (c != '\\') {
            part.push_back(c);
            continue;
        }
        if (part.empty() || part == "." || part == "..") return false;
        part.clear();
        ++parts;
    }
    return !unc || parts >= 3;
}

void CheckHandOverFile(const std::string& path) {
    FUZZ_CHECK(IsUsableHandOverFile(path) == Usable(path));
    if (!Usable(path)) return;
    const bool unc = StartsWith(path, "\\\\");
    // Its own folder is the one folder to remove when nothing above it was made.
    const std::vector<std::string> alone = FoldersToRemove(path, "", "");
    const std::string folder = YenCut(FolderPart(path));
    const bool atRoot = unc ? RealYens(folder) < 4 : folder.size() <= 3;
    FUZZ_CHECK(alone == (atRoot ? std::vector<std::string>{} : std::vector<std::string>{folder}));
}

void CheckFolders(const std::string& file, const std::string& top, const std::string& winDir) {
    const std::vector<std::string> remove = FoldersToRemove(file, top, winDir);
    if (remove.empty()) return;
    const bool unc = StartsWith(file, "\\\\"), usable = IsUsableHandOverFile(file);
    FUZZ_CHECK(DriveRooted(file) || unc);
    std::vector<std::string> levels;
    YenLevels(YenAdd(FolderPart(file)), levels);
    FUZZ_CHECK(remove[0] == levels.back());
    for (std::size_t i = 0; i < remove.size(); ++i) {
        const std::string& r = remove[i];
        // One of the levels, each one up from the one before it.
        FUZZ_CHECK(r == levels[levels.size() - 1 - i]);
        if (i > 0) FUZZ_CHECK(r.size() < remove[i - 1].size() && StartsWith(remove[i - 1], r));
        // Never a root: "C:\" or "\\server\share".
        FUZZ_CHECK(unc ? RealYens(YenAdd(r)) >= 5 : r.size() > 3);
        FUZZ_CHECK(winDir.empty() || !StartsWith(Upper(winDir), Upper(r)));
        // Above the program's own folder, only what the install made.
        if (i > 0) FUZZ_CHECK(!top.empty() && StartsWith(Upper(r), Upper(top)));
        // A name with ':' or '/' splits where the levels do not; stage 2 refuses such a file first.
        FUZZ_CHECK(IsFolderOrAbove(r, r) && (!usable || IsFolderOrAbove(r, file)));
    }
}

void CheckTexts(const std::string& a, const std::string& b, int number) {
    const std::string t = TrimValue(a);
    const std::size_t at = a.find(t);
    FUZZ_CHECK(at != std::string::npos);
    for (std::size_t i = 0; i < a.size(); ++i)
        if (i < at || i >= at + t.size()) FUZZ_CHECK(static_cast<unsigned char>(a[i]) <= ' ');
    if (!t.empty())
        FUZZ_CHECK(static_cast<unsigned char>(t[0]) > ' ' && static_cast<unsigned char>(t.back()) > ' ');

    const HandedColors c = ReadHandedColors(a, b);
    const std::string tb = TrimValue(b);
    const std::optional<int> first = t.empty() ? std::nullopt : StrictDecimal(t);
    FUZZ_CHECK(c.Color == first);
    const bool readSecond = t.empty() || first.has_value();
    FUZZ_CHECK(c.FontColor == (readSecond && !tb.empty() ? StrictDecimal(tb) : std::nullopt));

    const std::string caption = StageTwoCaption(number);
    FUZZ_CHECK(caption.size() == 18 && StartsWith(caption, "UNINSTALL_VANTE"));
    if (number >= 0) FUZZ_CHECK(StrictDecimal(caption.substr(15)) == number % 1000);

    const std::string record = MadeFolderRecord(a, b, t);
    FUZZ_CHECK(record == (!a.empty()              ? YenCut(IsFolderOrAbove(b, a) ? b : a)
                          : IsFolderOrAbove(b, t) ? YenCut(b)
                                                  : std::string()));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    const int number = static_cast<int>(in.U32());
    const std::string file = in.Text(), top = in.Text(), winDir = in.Text();
    CheckHandOverFile(file);
    CheckFolders(file, top, winDir);
    CheckTexts(file, top, number);
    return 0;
}
