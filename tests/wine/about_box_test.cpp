// The about box: its texts, where it sits, its colours, and the home page and e-mail buttons with and
// without a program registered for them.
#include <windows.h>

#include <map>

#include "ui/registry.hpp"
#include "widgets/TAboutBoxDlg.hpp"
#include "wine/mkbox_fixture.hpp"

using namespace testing_wine;
using testing_common::TextOf;

namespace {

// A protocol's command under HKEY_LOCAL_MACHINE, replaced for one test and put back.
class ScopedHandler {
public:
    ScopedHandler(const std::string& protocol, const std::string& command)
        : key_("Software\\Classes\\" + protocol + "\\shell\\open\\command") {
        ui::Registry reg(HKEY_LOCAL_MACHINE);
        had_ = reg.OpenKey(key_, false).Ok();
        old_ = reg.ReadString("");
        reg.CloseKey();
        Set(command);
    }
    ~ScopedHandler() {
        if (had_)
            Set(old_);
        else
            ui::Registry(HKEY_LOCAL_MACHINE).DeleteKey(key_);
    }

private:
    void Set(const std::string& command) {
        ui::Registry reg(HKEY_LOCAL_MACHINE);
        EXPECT_TRUE(reg.OpenKey(key_, true).Ok() && reg.WriteString("", command).Ok()) << key_;
    }
    std::string key_, old_;
    bool had_ = false;
};

class AboutBoxTest : public MKBoxTest {
protected:
    // Shows the box while `act` runs on another thread against it; what ShowAbout returned.
    bool Show(std::function<void(HWND box)> act) {
        std::thread driver([&] {
            HWND box = nullptr;
            if (WaitUntil([&] { return (box = testing_common::VisibleWindowOf("TAboutBox")) != nullptr; }))
                act(box);
        });
        const bool result = about.ShowAbout();
        driver.join();
        return result;
    }
    // A box a fault left open would keep ShowAbout from returning.
    static void CloseIfOpen(HWND box) {
        if (!WaitUntil([&] { return !IsWindowVisible(box); })) PostMessageA(box, WM_CLOSE, 0, 0);
    }
    static std::map<std::string, HWND> Buttons(HWND box) {
        std::map<std::string, HWND> found;
        for (HWND c = GetWindow(box, GW_CHILD); c; c = GetWindow(c, GW_HWNDNEXT)) found[TextOf(c)] = c;
        return found;
    }
    obsc32::TAboutBoxDlg about{nullptr, "AboutBoxDlg1"};
};

}  // namespace

TEST_F(AboutBoxTest, ShowsItsTextsCentredInTheMainWindowsColoursUntilClosed) {
    ui::Application::Instance().SetTitle("試験");
    about.Version = "?.?";
    about.Comment0 = "一行目";
    for (const std::string name : {"12345678901234567890", "123456789012345678901"}) {
        about.ProductName = name;
        std::map<std::string, HWND> seen;
        std::string caption;
        RECT at{};
        COLORREF face = CLR_INVALID;
        const bool ok = Show([&](HWND box) {
            seen = Buttons(box);
            caption = TextOf(box);
            GetWindowRect(box, &at);
            // Below the panel, left of the OK button: the box's own face.
            RECT client;
            GetClientRect(box, &client);
            POINT p{5, client.bottom - 5};
            ClientToScreen(box, &p);
            WaitUntil([&] { return (face = ScreenPixel(p.x, p.y)) == RGB(0, 0, 0); });
            if (name.size() == 20)
                ClickAt(seen["Ｏ Ｋ"]);
            else
                PostMessageA(box, WM_CLOSE, 0, 0);
            CloseIfOpen(box);
        });
        SCOPED_TRACE(name);
        // Twenty bytes are labelled; twenty-one stand alone.
        EXPECT_EQ(seen.count(name.size() == 20 ? "ProductName " + name : name), 1u);
        EXPECT_EQ(seen.count("Version ?.?") + seen.count("一行目") + seen.count("Comments"), 3u);
        EXPECT_EQ(caption, "試験 バージョン情報");
        EXPECT_EQ(ok, name.size() == 20) << "OK closes with true, the close box with false";
        EXPECT_EQ(face, RGB(0, 0, 0)) << "not in the main window's colour";
        EXPECT_NEAR((at.left + at.right) / 2, 512, 1);
    }
}

TEST_F(AboutBoxTest, EscClosesTheBoxWithFalse) {
    bool closedByEsc = false;
    const bool ok = Show([&](HWND box) {
        if (WaitUntil([&] { return GetForegroundWindow() == box; })) input::Key(VK_ESCAPE);
        closedByEsc = WaitUntil([&] { return !IsWindowVisible(box); });
        CloseIfOpen(box);
    });
    EXPECT_TRUE(closedByEsc);
    EXPECT_FALSE(ok);
}

TEST_F(AboutBoxTest, NoToBothHomePagesLeavesTheBoxOpen) {
    about.Title = "題";
    BoxWatcher boxes(testing_common::kProgramBox, [](const std::string&) { return "いいえ"; });
    bool stillOpen = false;
    EXPECT_TRUE(Show([&](HWND box) {
        ClickAt(Buttons(box)["HOME PAGE"]);
        WaitUntil([&] { return boxes.Count() == 2; });
        stillOpen = HoldsFor([&] { return IsWindowVisible(box) != FALSE; }, 300);
        ClickAt(Buttons(box)["Ｏ Ｋ"]);
        CloseIfOpen(box);
    }));
    EXPECT_EQ(boxes.Texts(), (std::vector<std::string>{
                                 "ホームページ\r\nhttp://www.example.com/vante/\r\nへアクセスしますか？",
                                 "ホームページ\r\nhttp://vante.example.com/\r\nへアクセスしますか？"}));
    EXPECT_TRUE(stillOpen);
}

TEST_F(AboutBoxTest, APageWithoutAProgramIsReportedAndAMailWithOneClosesTheBox) {
    ScopedHandler noBrowser("http", "\"C:\\no such folder\\browser.exe\" \"%1\"");
    ScopedHandler mail("mailto", "\"C:\\windows\\system32\\rundll32.exe\"");
    BoxWatcher boxes(testing_common::kProgramBox, [](const std::string& text) {
        return text.find("アクセスしますか") != std::string::npos ? "はい" : "";
    });
    bool stillOpen = false;
    EXPECT_TRUE(Show([&](HWND box) {
        ClickAt(Buttons(box)["HOME PAGE"]);
        WaitUntil([&] { return boxes.Count() == 2; });
        stillOpen = IsWindowVisible(box) != FALSE;
        ClickAt(Buttons(box)["VANTE：vante@example.com"]);
        CloseIfOpen(box);
    }));
    ASSERT_EQ(boxes.Count(), 2);
    EXPECT_EQ(boxes.Texts()[1], "インターネットアクセスツールが、設定されていません・・・");
    EXPECT_TRUE(stillOpen);
}
