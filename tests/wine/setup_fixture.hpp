// A setup window created in-process on an empty registry, installing from a distribution folder of the
// test's own into folders under C:\obsc32setup.
#pragma once
#include <functional>
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

    // What an install did: the texts of its boxes, the commands Program Manager got, the window's state.
    struct Installed {
        std::vector<std::string> boxes, commands;
        bool windowShown = false, installButtonShown = false;
    };
    // A setup window on a desktop of the test's own, whose Program Manager is the test's server: the folder
    // and the group filled in, `prepare` run, then "設定" pressed; each box is answered with the button
    // `answer` names (the close box for ""). One install a process (CTest runs each test in its own): under
    // Wine a second one on that desktop in the same process stops before its first box.
    Installed Install(const std::string& folder, const std::string& group,
                      testing_common::BoxAnswer answer = {},
                      const std::function<void(obsc32::TOBSC32SETUPForm&)>& prepare = {});

    // The distribution the install copies from, ending in "\".
    static std::string Source() { return std::string(kSetupRoot) + "\\dist\\"; }
    static bool IsFile(const std::string& path);
    static bool IsFolder(const std::string& path);
    static std::string FileText(const std::string& path);
    // The Uninstall entry's value under a root; "<none>" when the key is absent.
    static std::string UninstallValue(HKEY root, const char* name);

    obsc32::TOBSC32SETUPForm* form_ = nullptr;
    // What the last Install did.
    Installed last_;

private:
    std::string savedFolder_, savedExeFolder_;
};

void DeleteUninstallEntries();

}  // namespace testing_wine
