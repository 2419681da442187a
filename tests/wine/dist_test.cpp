// The distribution folder: the three files the install copies, the guide as Windows reads it, and the help
// file as the system's help viewer shows it.
#include <windows.h>

#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "common/boxes.hpp"
#include "common/wait.hpp"

using namespace testing_common;

namespace {
const std::string kDist = OBSC32_DIST_DIR;
// The title the help file carries in its |SYSTEM file.
const char kHelpTitle[] = "真っ黒すみかげ ヘルプ";

std::string ReadAll(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Found {
    DWORD pid;
    HWND wnd;
};

BOOL CALLBACK MatchHelpWindow(HWND w, LPARAM p) {
    auto* f = reinterpret_cast<Found*>(p);
    DWORD owner = 0;
    GetWindowThreadProcessId(w, &owner);
    char title[256] = "";
    GetWindowTextA(w, title, sizeof title);
    if (owner != f->pid || !IsWindowVisible(w) || !strstr(title, kHelpTitle)) return TRUE;
    f->wnd = w;
    return FALSE;
}

// A visible top-level window of the process whose caption holds the help title.
HWND HelpWindowOf(DWORD pid) {
    Found f{pid, nullptr};
    EnumWindows(MatchHelpWindow, reinterpret_cast<LPARAM>(&f));
    return f.wnd;
}

BOOL CALLBACK ReadRichEdit(HWND w, LPARAM p) {
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (_strnicmp(cls, "RichEdit", 8) != 0) return TRUE;
    *reinterpret_cast<std::string*>(p) = TextOf(w);
    return FALSE;
}

// The text of the rich edit control the viewer shows the topic in.
std::string TopicTextOf(HWND main) {
    std::string text;
    EnumChildWindows(main, ReadRichEdit, reinterpret_cast<LPARAM>(&text));
    return text;
}

// The viewer's process, ended at the end of the test whatever happened.
class Viewer {
public:
    explicit Viewer(const std::string& file) {
        STARTUPINFOA si{};
        si.cb = sizeof si;
        std::string cmd = "winhlp32.exe \"" + file + "\"";
        started_ =
            CreateProcessA(nullptr, cmd.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &pi_);
    }
    ~Viewer() {
        if (!started_) return;
        HWND w = HelpWindowOf(pi_.dwProcessId);
        if (!w || !PostMessageA(w, WM_CLOSE, 0, 0) ||
            WaitForSingleObject(pi_.hProcess, kDeadline) != WAIT_OBJECT_0)
            TerminateProcess(pi_.hProcess, 1);
        CloseHandle(pi_.hThread);
        CloseHandle(pi_.hProcess);
    }
    bool Started() const { return started_; }
    DWORD Pid() const { return pi_.dwProcessId; }

private:
    PROCESS_INFORMATION pi_{};
    bool started_ = false;
};
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

TEST(Dist, HelpFileOpensInTheHelpViewerAtItsTopic) {
    Viewer viewer(kDist + "\\OBSC32.HLP");
    ASSERT_TRUE(viewer.Started()) << "winhlp32.exe did not start, error " << GetLastError();
    const DWORD pid = viewer.Pid();
    auto errorBox = [pid] { return VisibleWindowOf(kPlatformBox, pid) != nullptr; };
    HWND main = nullptr;
    // The viewer reports a file it cannot read in a message box of its own.
    ASSERT_TRUE(WaitUntil([&] { return errorBox() || (main = HelpWindowOf(pid)) != nullptr; }, 3 * kDeadline))
        << "no help window titled with the file's title";
    ASSERT_FALSE(errorBox()) << "the viewer complained: " << BoxText(VisibleWindowOf(kPlatformBox, pid));
    ASSERT_NE(main, nullptr);
    std::string topic;
    auto namesTheGuide = [&] { return (topic = TopicTextOf(main)).find("OBSC32.TXT") != std::string::npos; };
    EXPECT_TRUE(WaitUntil(namesTheGuide)) << "topic text: " << topic;
    EXPECT_NE(topic.find("準備中"), std::string::npos) << topic;
    EXPECT_TRUE(HoldsFor([&] { return !errorBox(); }, 300));
}
