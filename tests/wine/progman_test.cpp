// The Program Manager channel and the Startup icon, on a desktop where the only "PROGMAN" is the test's own
// server, or none at all.
#include "shell/progman.hpp"

#include <tlhelp32.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cover/icon_commands.hpp"
#include "wine/dde_server.hpp"
#include "wine/fixture.hpp"
#include "wine/recording_prompter.hpp"

using namespace testing_wine;
using Texts = std::vector<std::string>;

namespace {
const std::string kTitle = "vaz       すみかげ";
const std::string kProgram = "C:\\Program Files (x86)\\ソフト\\OBSC32.EXE";

class ProgmanChannel : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_NE(QuietDesktop(), nullptr) << "no desktop of the test's own"; }

    // The Startup icon command of a program at kProgram, on the quiet desktop; what it told or threw.
    Texts StartupIconTold(bool add) {
        RecordingPrompter person;
        RunOnQuietDesktop([&] {
            ui::DdeClientConv conv(nullptr, "DdeClientConv2");
            const obsc32::RunContext run = TestRun(kProgram);
            try {
                obsc32::IconCommands(run, person, conv).Startup(add);
            } catch (const ui::Error& e) {
                person.Said.push_back(e.what());
            }
        });
        return person.Said;
    }
};
}  // namespace

// Each command goes wide: a narrow server has it converted, once; a wide one that cannot read it whole (any
// text past U+00FF, under Wine) refuses it and has it again narrow.
TEST_F(ProgmanChannel, TheStartupIconIsAddedAndRemovedWithTwoCommandsEachWideOrElseNarrow) {
    const std::string group = "Startup";
    ScopedStartupGroup startup(group.c_str());
    const std::string create = "[CreateGroup(" + group + ")]\r\n",
                      add = "[AddItem(\"" + kProgram + "\",\"" + kTitle + "\")]\r\n",
                      remove = "[DeleteItem(\"" + kTitle + "\")]\r\n";
    for (auto kind : {TestDdeServer::Kind::Narrow, TestDdeServer::Kind::Wide}) {
        TestDdeServer progman("PROGMAN", "PROGMAN", true, {}, kind);
        ASSERT_TRUE(progman.Serving());
        EXPECT_EQ(StartupIconTold(true), Texts{});
        EXPECT_EQ(StartupIconTold(false), Texts{});
        const Texts expected = kind == TestDdeServer::Kind::Narrow
                                   ? Texts{create, add, create, remove}
                                   : Texts{create, "<refused>", add, create, "<refused>", remove};
        EXPECT_TRUE(WaitUntil([&] { return progman.Executes().size() >= expected.size(); }));
        EXPECT_EQ(progman.Executes(), expected);
        // One conversation per command and route, each closed again.
        EXPECT_EQ(progman.Connections(), static_cast<int>(expected.size()));
        EXPECT_TRUE(WaitUntil([&] { return progman.Disconnections() == static_cast<int>(expected.size()); }));
    }
}

TEST_F(ProgmanChannel, AMissingOrUnusableGroupNameIsToldAndNothingIsSent) {
    TestDdeServer progman("PROGMAN", "PROGMAN", true);
    {
        ScopedStartupGroup group(nullptr);
        EXPECT_EQ(StartupIconTold(true), Texts{obsc32::kNoStartupGroup});
        EXPECT_EQ(StartupIconTold(false), Texts{obsc32::kNoStartupGroup});
    }
    {
        ScopedStartupGroup group("Start(Up)");
        EXPECT_EQ(StartupIconTold(true), Texts{std::string(obsc32::kUnusableStartupGroup) + "\nStart(Up)"});
    }
    {
        const std::string longName(300, 'x');
        ScopedStartupGroup group(longName.c_str());
        EXPECT_EQ(StartupIconTold(true),
                  Texts{std::string(obsc32::kUnusableStartupGroup) + "\n" + longName.substr(0, 64)});
    }
    EXPECT_EQ(progman.Connections(), 0);
    EXPECT_EQ(progman.Executes(), Texts{});
}

TEST_F(ProgmanChannel, TheGroupListIsSplitFromTheServersReply) {
    TestDdeServer progman("PROGMAN", "PROGMAN", true, std::string("\r\nアクセサリ\r\nStartUp\r\n") + '\0');
    std::vector<std::string> groups;
    bool opened = false;
    RunOnQuietDesktop([&] {
        ui::DdeClientConv conv(nullptr, "DdeClientConv1");
        conv.SetLink("PROGMAN", "PROGMAN");
        opened = conv.OpenLink();
        groups = obsc32::RequestGroups(conv);
        conv.CloseLink();
        // Closed: no data, no names.
        if (!obsc32::RequestGroups(conv).empty()) groups.push_back("<after close>");
    });
    EXPECT_TRUE(opened);
    EXPECT_EQ(groups, (std::vector<std::string>{"", "アクセサリ", "StartUp"}));
}

namespace {
std::vector<DWORD> ProgmanProcesses() {
    std::vector<DWORD> pids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL ok = Process32First(snap, &e); ok; ok = Process32Next(snap, &e))
        if (lstrcmpiA(e.szExeFile, "progman.exe") == 0) pids.push_back(e.th32ProcessID);
    CloseHandle(snap);
    return pids;
}
}  // namespace

TEST_F(ProgmanChannel, WithNoServerProgramManagerIsStartedOnceAndTheOpenFails) {
    ASSERT_EQ(ProgmanProcesses(), std::vector<DWORD>{})
        << "a Program Manager of an earlier run is still there";
    std::string result;
    RunOnQuietDesktop([&] {
        ui::DdeClientConv conv(nullptr, "DdeClientConv2");
        result = obsc32::ProgmanExecute("[ShowGroup(Main,1)]\r\n", conv);
    });
    EXPECT_EQ(result, obsc32::kProgmanOpenFailed);
    // Wine's own Program Manager serves no DDE: the one started is all there is.
    std::vector<DWORD> started = ProgmanProcesses();
    EXPECT_EQ(started.size(), 1u);
    for (DWORD pid : started) {
        HANDLE process = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, pid);
        TerminateProcess(process, 0);
        WaitForSingleObject(process, 5000);
        CloseHandle(process);
    }
}
