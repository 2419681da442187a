// A setup window created in-process on an empty registry, installing from a distribution folder of the
// test's own into folders under C:\obsc32setup, with Wine's Program Manager making the group icons.
#pragma once
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "setup/TOBSC32SETUPForm.hpp"
#include "wine/fixture.hpp"

namespace testing_wine {

inline constexpr char kSetupRoot[] = "C:\\obsc32setup";
// The group every install test uses, removed again afterwards.
inline constexpr char kTestGroup[] = "OBSC32 試験";
inline constexpr char kLongTitle[] = "vaz       すみかげ";

class SetupFixture : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    obsc32::TOBSC32SETUPForm& Create();
    // Types the folder and the group as a person would leave them, presses "設定" and answers each box with
    // the button `answer` names (the close box for ""); the texts of the boxes come back.
    std::vector<std::string> Install(const std::string& folder, const std::string& group,
                                     testing_common::BoxAnswer answer = {});

    // The distribution the install copies from, ending in "\".
    static std::string Source() { return std::string(kSetupRoot) + "\\dist\\"; }
    static std::string Programs();
    static std::string Startup();
    static bool IsFile(const std::string& path);
    static bool IsFolder(const std::string& path);
    static std::string FileText(const std::string& path);
    // The Uninstall entry's value under a root; "<none>" when the key is absent.
    static std::string UninstallValue(HKEY root, const char* name);

    obsc32::TOBSC32SETUPForm* form_ = nullptr;

private:
    std::string savedFolder_, savedExeFolder_;
};

void DeleteUninstallEntries();
// Ends the folder windows Program Manager opens for each group it is told to create; under Wine their
// processes outlive them.
void CloseGroupWindows();

}  // namespace testing_wine
