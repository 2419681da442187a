// libFuzzer target: the folder picker's rows of a path, the folder a row opens, the folder kept per drive
// and the file mask's parts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "shell/path_text.hpp"
#include "widgets/dir_rows.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    // The picker lists absolute folders; a path holds no double quote (the path helpers end a path there).
    std::string folder = in.Bool()
                             ? std::string()
                             : std::string(1, static_cast<char>('A' + in.Byte() % 26)) + ":\\" + in.Text();
    folder.erase(std::remove(folder.begin(), folder.end(), '"'), folder.end());
    const std::vector<FolderRow> rows = PathRows(folder);
    std::vector<std::string> texts;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        FUZZ_CHECK(rows[i].Level == static_cast<int>(i));
        texts.push_back(rows[i].Text);
    }
    FUZZ_CHECK(folder.empty() == rows.empty());
    // The last row opens the folder itself.
    if (!rows.empty()) {
        const int last = static_cast<int>(rows.size()) - 1;
        FUZZ_CHECK(OpenRowPath(texts, last, last) == YenAdd(folder));
    }
    const int selected = static_cast<int>(in.Range(-2, 40)), current = static_cast<int>(in.Range(-2, 40));
    const std::string opened = OpenRowPath(texts, selected, current);
    if (selected < 0 || selected >= static_cast<int>(texts.size()))
        FUZZ_CHECK(opened.empty());
    else
        FUZZ_CHECK(opened.rfind(texts[0], 0) == 0);

    // One folder a drive, the newest last.
    std::vector<std::string> kept;
    while (!in.Empty() && kept.size() < 40) {
        const std::string path = in.Text();
        RememberDriveFolder(kept, path);
        if (path.empty()) continue;
        FUZZ_CHECK(kept.back() == path);
        FUZZ_CHECK(DriveFolderOf(kept, path[0]) == path);
        for (std::size_t i = 0; i + 1 < kept.size(); ++i) FUZZ_CHECK(!SameDrive(kept[i], path[0]));
        if (in.Bool()) break;
    }

    const std::string mask = in.Text();
    std::size_t total = 0;
    for (const std::string& part : SplitFileMask(mask)) {
        FUZZ_CHECK(!part.empty() && part.find(';') == std::string::npos);
        total += part.size();
    }
    FUZZ_CHECK(total <= mask.size());
    const char letter = static_cast<char>(in.Byte());
    const std::string listed = in.Text(), windows = in.Text();
    const std::string back = DriveErrorFallback(listed, letter, windows);
    // The listed folder when it is on another drive, else the Windows drive's root (which may be the listed
    // folder itself).
    const bool keepsListed = !listed.empty() && !SameDrive(listed, letter);
    FUZZ_CHECK(keepsListed ? back == listed : back.size() == 3 && back.compare(1, 2, ":\\") == 0);
    return 0;
}
