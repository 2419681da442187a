// The distribution folder: the three files the install copies, and the guide as Windows reads it (the help
// file as the viewer shows it: help_viewer_test.cpp).
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

namespace {
const std::string kDist = OBSC32_DIST_DIR;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST(Dist, HoldsTheProgramAsBuiltBesideTheGuideAndTheHelpFile) {
    const std::string exe = ReadAll(kDist + "\\OBSC32.EXE");
    EXPECT_FALSE(exe.empty());
    // A copy left over from an earlier build would install an old program.
    EXPECT_TRUE(exe == ReadAll(OBSC32_BUILT_EXE)) << "dist\\OBSC32.EXE differs from the program just built";
    for (const char* name : {"OBSC32.TXT", "OBSC32.HLP"}) {
        DWORD attrs = GetFileAttributesA((kDist + "\\" + name).c_str());
        EXPECT_TRUE(attrs != INVALID_FILE_ATTRIBUTES && !(attrs & FILE_ATTRIBUTE_DIRECTORY)) << name;
    }
}

// The kill switch of the tests stays in the test build: the program as distributed holds not even its name.
TEST(Dist, ProgramHoldsNoStopPointOnlyTheTestBuildDoes) {
    const std::string kSwitch = "OBSC32_STOP_AT";
    const std::string exe = ReadAll(kDist + "\\OBSC32.EXE"), testBuild = ReadAll(OBSC32_TEST_BUILD_EXE);
    ASSERT_FALSE(exe.empty());
    EXPECT_EQ(exe.find(kSwitch), std::string::npos);
    // The same search finds it where it is meant to be.
    EXPECT_NE(testBuild.find(kSwitch), std::string::npos);
}

TEST(Dist, GuideIsShiftJisWithCrLfLineEnds) {
    const std::string text = ReadAll(kDist + "\\OBSC32.TXT");
    ASSERT_FALSE(text.empty());
    int wide = MultiByteToWideChar(932, MB_ERR_INVALID_CHARS, text.data(), static_cast<int>(text.size()),
                                   nullptr, 0);
    EXPECT_GT(wide, 0) << "not valid code page 932, error " << GetLastError();
    // Shift-JIS trail bytes are 0x40 or above, so CR and LF bytes are always line ends.
    size_t lines = 0;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\n') {
            ++lines;
            EXPECT_TRUE(i > 0 && text[i - 1] == '\r') << "LF without CR at byte " << i;
        } else if (text[i] == '\r') {
            EXPECT_TRUE(i + 1 < text.size() && text[i + 1] == '\n') << "CR without LF at byte " << i;
        }
    }
    EXPECT_GT(lines, 100u);
    EXPECT_EQ(text.back(), '\n');
}
