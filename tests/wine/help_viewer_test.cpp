// The help file as a person meets it: opened through WinHelp from a window of ours, shown by the system's
// viewer in Japanese, its links followed with the mouse and its keywords listed in the viewer's index.
#include <windows.h>
#include <tlhelp32.h>

#include <algorithm>
#include <atomic>
#include <cstring>
#include <fstream>
#include <iterator>
#include <set>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "common/text.hpp"
#include "helpc/help_source.hpp"
#include "wine/fixture.hpp"

using namespace testing_wine;
using testing_common::kDeadline;
using testing_common::kPlatformBox;
using testing_common::VisibleWindowOf;

namespace {

// The viewer's texts in code page 932, as the help source holds them.
std::string TextOf(HWND wnd) { return testing_common::InCodePage(testing_common::TextOf(wnd), 932); }

const std::string kHelpFile = std::string(OBSC32_DIST_DIR) + "\\OBSC32.HLP";

const helpc::HelpSource& Source() {
    static const helpc::HelpSource source = [] {
        std::ifstream in(OBSC32_HELP_SOURCE, std::ios::binary);
        return helpc::ParseHelpSource(std::string(std::istreambuf_iterator<char>(in), {}));
    }();
    return source;
}

const helpc::Topic& TopicNamed(const std::string& context) {
    for (const helpc::Topic& t : Source().topics)
        if (t.context == context) return t;
    throw std::runtime_error("no topic " + context);
}

// The viewer processes running, each ended first when `end` says so.
int ViewerProcesses(bool end = false) {
    int count = 0;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 e{};
    e.dwSize = sizeof e;
    for (BOOL more = Process32First(snap, &e); more; more = Process32Next(snap, &e)) {
        if (_stricmp(e.szExeFile, "winhlp32.exe") != 0) continue;
        ++count;
        HANDLE p = end ? OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, e.th32ProcessID) : nullptr;
        if (p && TerminateProcess(p, 1)) WaitForSingleObject(p, kDeadline);
        if (p) CloseHandle(p);
    }
    CloseHandle(snap);
    return count;
}

HWND VisibleViewer() { return testing_common::VisibleWindowOf("MS_WINHELP"); }

struct ChildSearch {
    const char* classPrefix;
    const char* textPart;
    HWND found;
};

BOOL CALLBACK MatchChild(HWND w, LPARAM p) {
    auto* s = reinterpret_cast<ChildSearch*>(p);
    char cls[64] = "";
    GetClassNameA(w, cls, sizeof cls);
    if (_strnicmp(cls, s->classPrefix, strlen(s->classPrefix)) != 0) return TRUE;
    if (s->textPart && TextOf(w).find(s->textPart) == std::string::npos) return TRUE;
    s->found = w;
    return FALSE;
}

HWND ChildOf(HWND parent, const char* classPrefix, const char* textPart = nullptr) {
    ChildSearch s{classPrefix, textPart, nullptr};
    EnumChildWindows(parent, MatchChild, reinterpret_cast<LPARAM>(&s));
    return s.found;
}

// Whether the page shown starts with the topic's heading.
bool Shows(HWND edit, const helpc::Topic& t) {
    const std::string text = TextOf(edit);
    return text.compare(0, t.title.size(), t.title) == 0 && text.size() > t.title.size() &&
           text[t.title.size()] == '\r';
}

// Wine's viewer (8.0) finds the link under the pointer by counting the bytes of the page's text, while its
// rich edit counts characters, so over double-byte text the two part: a person clicking the green words
// reaches another link or none, a flaw of that viewer and not of the file. A click does reach a link
// where the character index equals a byte index inside it, so the test clicks there. The count: heading
// and the blank line under it, then each paragraph, every one closed by a paragraph mark.
int ViewerIndexOfLink(const helpc::Topic& t, const std::string& target) {
    std::size_t at = t.title.size() + 2;
    for (const helpc::Paragraph& p : t.body) {
        for (const helpc::Span& s : p.spans) {
            if (s.target == target && s.text.size() >= 4) return static_cast<int>(at + 1);
            at += s.text.size();
        }
        at += 1;
    }
    return -1;
}

// A real click on the character at `index`, in its left part and on its line.
bool ClickCharacter(HWND edit, int index) {
    const LRESULT a = SendMessageA(edit, EM_POSFROMCHAR, index, 0),
                  b = SendMessageA(edit, EM_POSFROMCHAR, index + 1, 0);
    POINT p{static_cast<short>(LOWORD(a)), static_cast<short>(HIWORD(a))};
    const POINT q{static_cast<short>(LOWORD(b)), static_cast<short>(HIWORD(b))};
    if (p.y != q.y || q.x <= p.x) return false;
    p.x += std::max(1L, (q.x - p.x) / 4);
    p.y += 5;
    ClientToScreen(edit, &p);
    return input::Click(p);
}

class HelpViewer : public testing::Test {
protected:
    void SetUp() override {
        ASSERT_EQ(ViewerProcesses(), 0) << "a help viewer is running already";
        owner_ = CreateWindowExA(0, "STATIC", "help owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr,
                                 nullptr);
        ASSERT_TRUE(CallWinHelp(HELP_CONTENTS)) << "WinHelp did not hand the file to the viewer";
        ASSERT_TRUE(WaitUntil([&] { return (main_ = VisibleViewer()) != nullptr; }, 3 * kDeadline));
        edit_ = ChildOf(main_, "RichEdit");
        ASSERT_NE(edit_, nullptr);
    }

    void TearDown() override {
        // A test that stopped half way may have left the index open, which would hold HELP_QUIT back.
        if (HWND box = ViewerBox()) {
            PostMessageA(box, WM_COMMAND, IDCANCEL, 0);
            WaitUntil([&] { return !IsWindow(box); });
        }
        CallWinHelp(HELP_QUIT);
        EXPECT_TRUE(WaitUntil([] { return ViewerProcesses() == 0; })) << "the viewer outlived HELP_QUIT";
        ViewerProcesses(true);
        DestroyWindow(owner_);
    }

    // WinHelp waits for the viewer's answer, which a box of the viewer's own would hold back: the call runs
    // on a thread of its own, and a box that comes instead fails the test.
    bool CallWinHelp(UINT command) {
        std::atomic<int> result{-1};
        std::thread call([&] { result = WinHelpA(owner_, kHelpFile.c_str(), command, 0) ? 1 : 0; });
        HWND box = nullptr;
        WaitUntil([&] { return result != -1 || (box = ViewerBox()) != nullptr; }, 3 * kDeadline);
        if (result == -1) {
            ADD_FAILURE() << "the viewer answered with a box: " << testing_common::BoxText(box);
            ViewerProcesses(true);
        }
        call.join();
        return result == 1;
    }

    HWND ViewerBox() {
        DWORD pid = 0;
        if (HWND w = FindWindowW(testing_common::W("MS_WINHELP").c_str(), nullptr))
            GetWindowThreadProcessId(w, &pid);
        return pid ? VisibleWindowOf(kPlatformBox, pid) : nullptr;
    }

    // Follows the link to `target` on the page of `from` and waits for the target's page.
    void Follow(const helpc::Topic& from, const std::string& target) {
        const int index = ViewerIndexOfLink(from, target);
        ASSERT_GE(index, 0) << from.context << " has no link to " << target;
        ASSERT_TRUE(ClickCharacter(edit_, index) || ClickCharacter(edit_, index + 1));
        EXPECT_TRUE(WaitUntil([&] { return Shows(edit_, TopicNamed(target)); }))
            << "after the link from " << from.context << " to " << target << " the viewer shows:\n"
            << TextOf(edit_).substr(0, 200);
    }

    HWND owner_ = nullptr, main_ = nullptr, edit_ = nullptr;
};

}  // namespace

TEST_F(HelpViewer, OpensAtTheContentsInJapanese) {
    const helpc::Topic& contents = Source().topics[0];
    EXPECT_NE(TextOf(main_).find(Source().title), std::string::npos) << TextOf(main_);
    ASSERT_TRUE(WaitUntil([&] { return Shows(edit_, contents); })) << TextOf(edit_).substr(0, 200);
    // Every paragraph as written, second bytes 0x5C, '{' and '}' (表, ボ, マ) included.
    const std::string text = TextOf(edit_);
    for (const helpc::Paragraph& p : contents.body) {
        std::string written;
        for (const helpc::Span& s : p.spans) written += s.text;
        EXPECT_NE(text.find(written), std::string::npos) << written;
    }
    // On the screen: black text, the heading in navy, the links in green, on white.
    RECT r;
    GetWindowRect(edit_, &r);
    auto count = [&](auto test) {
        const std::vector<COLORREF> px = ScreenPixels(r);
        return std::count_if(px.begin(), px.end(), test);
    };
    auto dark = [](COLORREF c) { return GetRValue(c) < 100 && GetGValue(c) < 100 && GetBValue(c) < 100; };
    auto navy = [](COLORREF c) { return GetBValue(c) > 90 && GetRValue(c) < 60 && GetGValue(c) < 60; };
    auto green = [](COLORREF c) { return GetGValue(c) > 90 && GetRValue(c) < 60 && GetBValue(c) < 60; };
    EXPECT_TRUE(WaitUntil([&] { return count(dark) > 500 && count(navy) > 20 && count(green) > 200; }))
        << count(dark) << " dark, " << count(navy) << " navy, " << count(green) << " green pixels";
}

TEST_F(HelpViewer, LinksLeadToTheirTopicsAndBack) {
    ASSERT_TRUE(WaitUntil([&] { return Shows(edit_, Source().topics[0]); }));
    // From the contents to the setup window's topic, on along a link inside a sentence, and back.
    Follow(Source().topics[0], "setup");
    Follow(TopicNamed("setup"), "folder_picker");
    Follow(TopicNamed("folder_picker"), Source().topics[0].context);
}

TEST_F(HelpViewer, IndexListsEveryKeywordAndLeadsToItsTopic) {
    std::set<std::string> words;  // in byte order, as the index keeps them
    for (const helpc::Topic& t : Source().topics) words.insert(t.keywords.begin(), t.keywords.end());
    HWND button = ChildOf(main_, "Button", "&I");
    ASSERT_NE(button, nullptr) << "no Index button";
    ASSERT_TRUE(ClickAt(button));
    DWORD pid = 0;
    GetWindowThreadProcessId(main_, &pid);
    HWND sheet = nullptr, list = nullptr;
    ASSERT_TRUE(WaitUntil([&] {
        sheet = VisibleWindowOf(kPlatformBox, pid);
        return sheet && (list = ChildOf(sheet, "ListBox")) && SendMessageA(list, LB_GETCOUNT, 0, 0) > 0;
    })) << "the index did not open";
    // Asked in Unicode: across processes Wine hands the "A" request the list's Unicode text unconverted.
    std::vector<std::string> listed;
    for (LRESULT i = 0; i < SendMessageW(list, LB_GETCOUNT, 0, 0); ++i) {
        wchar_t item[512] = L"";
        char sjis[1024] = "";
        if (SendMessageW(list, LB_GETTEXTLEN, i, 0) < 512)
            SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(item));
        WideCharToMultiByte(932, 0, item, -1, sjis, sizeof sjis, nullptr, nullptr);
        listed.push_back(sjis);
    }
    EXPECT_EQ(listed, std::vector<std::string>(words.begin(), words.end()));

    // The last topic's keyword, chosen and confirmed, opens that topic.
    const helpc::Topic& last = Source().topics.back();
    const auto at = std::find(listed.begin(), listed.end(), last.keywords.at(0));
    ASSERT_NE(at, listed.end());
    SendMessageA(list, LB_SETCURSEL, at - listed.begin(), 0);
    ASSERT_TRUE(ClickAt(GetDlgItem(sheet, IDOK)));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindow(sheet) && Shows(edit_, last); }))
        << TextOf(edit_).substr(0, 200);
}
