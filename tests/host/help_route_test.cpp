#include "shell/help_route.hpp"

#include <gtest/gtest.h>

using namespace obsc32;

TEST(HelpRoute, OnlySystemsBeforeVistaUseTheViewer) {
    EXPECT_TRUE(HasOldHelpViewer(5));
    EXPECT_FALSE(HasOldHelpViewer(6));
    EXPECT_FALSE(HasOldHelpViewer(10));
}

TEST(HelpRoute, ThePageIsAFileUrlWithItsAnchorInTheBrowsersOwnCommand) {
    const std::string url = FileUrl("C:\\A B\\#1%?\\OBSC32.HTM", kHelpIndexAnchor);
    EXPECT_EQ(url, "file:///C:/A%20B/%231%25%3F/OBSC32.HTM#keyword-index");
    EXPECT_EQ(FileUrl("C:\\OBSC32.HTM", ""), "file:///C:/OBSC32.HTM");
    EXPECT_EQ(BrowserCommandLine("\"C:\\E\\msedge.exe\" --single-argument %1", url),
              "\"C:\\E\\msedge.exe\" --single-argument " + url);
    EXPECT_EQ(BrowserCommandLine("firefox.exe -osint -url \"%L\" %*", url),
              "firefox.exe -osint -url \"" + url + "\" ");
    EXPECT_EQ(BrowserCommandLine("winebrowser.exe -nohome", url), "winebrowser.exe -nohome \"" + url + "\"");
}
