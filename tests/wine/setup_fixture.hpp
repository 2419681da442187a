// An empty registry and a distribution folder of the test's own under C:\obsc32setup, for the setup window
// and the install and uninstall commands.
#pragma once
#include <string>

#include <gtest/gtest.h>

#include "settings/run_context.hpp"
#include "setup/TOBSC32SETUPForm.hpp"
#include "wine/fixture.hpp"
#include "wine/recording_prompter.hpp"

namespace testing_wine {

inline constexpr char kSetupRoot[] = "C:\\obsc32setup";
inline constexpr char kLongTitle[] = "vaz       すみかげ";

class SetupFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The setup window of a run from the distribution folder, shown.
    obsc32::TOBSC32SETUPForm& Create(obsc32::StartModes mode = obsc32::StartModes::Normal,
                                     const std::string& firstArgument = "");

    // The distribution the install copies from, ending in "\".
    static std::string Source() { return std::string(kSetupRoot) + "\\dist\\"; }
    static bool IsFile(const std::string& path);
    static bool IsFolder(const std::string& path);
    static std::string FileText(const std::string& path) { return testing_common::FileBytes(path); }
    static void WriteFile(const std::string& path, const std::string& text);
    // The Uninstall entry's value under a root; "<none>" when the key is absent.
    static std::string UninstallValue(HKEY root, const char* name);
    // The machine's Uninstall entry made, or left, readable only, as a user without administrator rights finds
    // it; the fixture gives the access back.
    static void MakeMachineEntryReadOnly();

    // A run of the distribution's program.
    obsc32::RunContext run_ = TestRun(Source() + "OBSC32.EXE");

private:
    std::string savedFolder_;
};

void DeleteUninstallEntries();

}  // namespace testing_wine
