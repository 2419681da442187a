// The source tree keeps its house rules: includes point only down the layers, files stay small.
#include <filesystem>
#include <fstream>
#include <map>
#include <set>
#include <string>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// What each folder of src may include besides itself; everything else would be an upward edge or a cycle.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"ui", {}},
    {"shell", {"ui"}},
    {"settings", {"shell", "ui"}},
    {"widgets", {"shell", "ui"}},
    {"cover", {"widgets", "settings", "shell", "ui"}},
    {"setup", {"widgets", "settings", "shell", "ui"}},
    {"app", {"cover", "setup", "widgets", "settings", "shell", "ui"}},
    // Replacements of runtime parts, linked beside main: failures become the framework's errors.
    {"runtime", {"ui"}},
};

std::vector<fs::path> SourceFiles(const char* folder = "src") {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(OBSC32_SOURCE_DIR) / folder))
        if (entry.is_regular_file() &&
            (entry.path().extension() == ".cpp" || entry.path().extension() == ".hpp"))
            files.push_back(entry.path());
    return files;
}

std::string FolderOf(const fs::path& file) { return file.parent_path().filename().string(); }

}  // namespace

TEST(Layers, IncludesPointOnlyDown) {
    std::vector<fs::path> files = SourceFiles();
    ASSERT_GT(files.size(), 20u);
    for (const fs::path& file : files) {
        const std::string from = FolderOf(file);
        auto allowed = kMayInclude.find(from);
        ASSERT_NE(allowed, kMayInclude.end()) << "a folder the layers do not know: " << from;
        std::ifstream in(file);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string directive = "#include \"";
            if (line.rfind(directive, 0) != 0) continue;
            const std::string target = line.substr(directive.size());
            const std::string to = target.substr(0, target.find('/'));
            EXPECT_TRUE(to == from || allowed->second.count(to))
                << file.string() << ":" << number << " includes " << target;
        }
    }
}

TEST(Layers, FilesStayUnderFourHundredLines) {
    std::vector<fs::path> files = SourceFiles();
    for (const fs::path& tool : SourceFiles("tools")) files.push_back(tool);
    for (const fs::path& file : files) {
        std::ifstream in(file);
        std::string line;
        int lines = 0;
        while (std::getline(in, line)) ++lines;
        EXPECT_LE(lines, 400) << file.string();
    }
}
