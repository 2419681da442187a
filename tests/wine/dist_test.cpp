// The distribution folder: the four files the install copies, and the guide as Windows reads it (the help
// file as the viewer shows it: help_viewer_test.cpp).
#include <windows.h>
#include <objbase.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "common/text.hpp"

namespace {
const std::string kDist = OBSC32_DIST_DIR;

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}
}  // namespace

TEST(Dist, HoldsTheProgramAsBuiltBesideTheGuideAndTheHelpFileAndPage) {
    const std::string exe = ReadAll(kDist + "\\OBSC32.EXE");
    EXPECT_FALSE(exe.empty());
    // A copy left over from an earlier build would install an old program.
    EXPECT_TRUE(exe == ReadAll(OBSC32_BUILT_EXE)) << "dist\\OBSC32.EXE differs from the program just built";
    const auto* pe = reinterpret_cast<const IMAGE_NT_HEADERS32*>(
        exe.data() + *reinterpret_cast<const LONG*>(exe.data() + 0x3C));
    EXPECT_TRUE(pe->FileHeader.Characteristics & IMAGE_FILE_LARGE_ADDRESS_AWARE);
    for (const char* name : {"OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"}) {
        DWORD attrs = GetFileAttributesW(testing_common::W(kDist + "\\" + name).c_str());
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

// The manifest as the system reads it: the program runs as whoever starts it, is known to every system from
// Windows 7 on (none treats it as an older program), and depends on no assembly: not on the common controls 6,
// which would change the look of its windows.
TEST(Dist, ProgramsManifestAsksNoElevationNamesTheSystemsAndDependsOnNothing) {
    const std::string exe = kDist + "\\OBSC32.EXE";
    ACTCTXA manifest{};
    manifest.cbSize = sizeof manifest;
    manifest.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    manifest.lpSource = exe.c_str();
    manifest.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE context = CreateActCtxA(&manifest);
    ASSERT_NE(context, INVALID_HANDLE_VALUE) << "no manifest the system reads, error " << GetLastError();
    ACTIVATION_CONTEXT_RUN_LEVEL_INFORMATION level{};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, RunlevelInformationInActivationContext, &level,
                             sizeof level, nullptr));
    EXPECT_EQ(level.RunLevel, ACTCTX_RUN_LEVEL_AS_INVOKER);
    EXPECT_EQ(level.UiAccess, 0u);
    // A count, then the ids, found as bytes whatever the size of the entries this system gives.
    alignas(8) char systems[1024] = {}, detail[4096] = {};
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, CompatibilityInformationInActivationContext, systems,
                             sizeof systems, nullptr));
    EXPECT_EQ(*reinterpret_cast<DWORD*>(systems), 4u);
    for (const wchar_t* id :
         {L"{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", L"{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
          L"{1f676c76-80e1-4239-95bb-83d0f6d0da78}", L"{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
        GUID guid{};
        ASSERT_EQ(CLSIDFromString(id, &guid), S_OK);
        const char* bytes = reinterpret_cast<const char*>(&guid);
        EXPECT_NE(std::search(systems, systems + sizeof systems, bytes, bytes + sizeof guid),
                  systems + sizeof systems);
    }
    EXPECT_TRUE(QueryActCtxW(0, context, nullptr, ActivationContextDetailedInformation, detail, sizeof detail,
                             nullptr));
    EXPECT_EQ(reinterpret_cast<ACTIVATION_CONTEXT_DETAILED_INFORMATION*>(detail)->ulAssemblyCount, 1u)
        << "the program depends on another assembly";
    ReleaseActCtx(context);
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
