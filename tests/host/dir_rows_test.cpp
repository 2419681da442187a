#include "widgets/dir_rows.hpp"

#include <string>
#include <vector>

#include <gtest/gtest.h>

using namespace obsc32;

namespace {

std::vector<std::string> Texts(const std::vector<FolderRow>& rows) {
    std::vector<std::string> t;
    for (const FolderRow& r : rows) t.push_back(r.Text);
    return t;
}

std::vector<int> Levels(const std::vector<FolderRow>& rows) {
    std::vector<int> l;
    for (const FolderRow& r : rows) l.push_back(r.Level);
    return l;
}

}  // namespace

TEST(DirRows, PathRowsSplitAtRealBackslashesOnly) {
    auto rows = PathRows("c:\\windows\\system\\");
    EXPECT_EQ(Texts(rows), (std::vector<std::string>{"c:\\", "windows", "system"}));
    EXPECT_EQ(Levels(rows), (std::vector<int>{0, 1, 2}));
    EXPECT_EQ(Texts(PathRows("c:\\windows\\system")), Texts(rows));
    EXPECT_EQ(Texts(PathRows("c:\\")), (std::vector<std::string>{"c:\\"}));

    EXPECT_EQ(Texts(PathRows("c:\\aソ\\Café\\")), (std::vector<std::string>{"c:\\", "aソ", "Café"}));
    EXPECT_TRUE(PathRows("").empty());
}

TEST(DirRows, OpenRowBuildsTheAncestorOrTheSubfolder) {
    const std::vector<std::string> rows = {"c:\\", "windows", "system", "sub", "zzソ"};
    const int current = 2;
    EXPECT_EQ(OpenRowPath(rows, 0, current), "c:\\");
    EXPECT_EQ(OpenRowPath(rows, 1, current), "c:\\windows\\");
    EXPECT_EQ(OpenRowPath(rows, 2, current), "c:\\windows\\system\\");
    // A subfolder row follows the current folder, whatever rows lie between.
    EXPECT_EQ(OpenRowPath(rows, 3, current), "c:\\windows\\system\\sub\\");
    EXPECT_EQ(OpenRowPath(rows, 4, current), "c:\\windows\\system\\zzソ\\");
    EXPECT_EQ(OpenRowPath(rows, 5, current), "");
    EXPECT_EQ(OpenRowPath(rows, -1, current), "");
    EXPECT_EQ(OpenRowPath({}, 0, 0), "");
}

TEST(DirRows, DriveFoldersKeepOnePerDriveTheNewestLast) {
    std::vector<std::string> list;
    RememberDriveFolder(list, "c:\\windows");
    RememberDriveFolder(list, "d:\\data");
    RememberDriveFolder(list, "C:\\TEMP");
    EXPECT_EQ(list, (std::vector<std::string>{"d:\\data", "C:\\TEMP"}));
    EXPECT_EQ(DriveFolderOf(list, 'c'), std::optional<std::string>("C:\\TEMP"));
    EXPECT_EQ(DriveFolderOf(list, 'D'), std::optional<std::string>("d:\\data"));
    EXPECT_EQ(DriveFolderOf(list, 'e'), std::nullopt);
    RememberDriveFolder(list, "");
    EXPECT_EQ(list.size(), 2u);
}

TEST(DirRows, DriveRowsAndTheDriveErrorsWayBack) {
    EXPECT_EQ(DriveRowText('C', true), "c:");
    EXPECT_EQ(DriveRowText('C', false), "C:");
    EXPECT_EQ(LabelledDriveRow("c:", "[WIN98]", true), "c:[win98]");
    EXPECT_EQ(LabelledDriveRow("e:", "\\\\SERVER\\Share", true), "e:\\\\server\\share");
    EXPECT_EQ(LabelledDriveRow("c:[old]", "[]", true), "c:[]");
    EXPECT_EQ(DriveRoot('m'), "m:\\");

    EXPECT_EQ(DriveErrorFallback("", 'M', "C:\\WINDOWS\\"), "C:\\");
    EXPECT_EQ(DriveErrorFallback("m:\\data", 'M', "C:\\WINDOWS\\"), "C:\\");
    EXPECT_EQ(DriveErrorFallback("z:\\work", 'M', "C:\\WINDOWS\\"), "z:\\work");
}

TEST(DirRows, FileMasksSplitAtSemicolons) {
    EXPECT_EQ(SplitFileMask("*.*"), (std::vector<std::string>{"*.*"}));
    EXPECT_EQ(SplitFileMask("*.txt;;*.hlp;"), (std::vector<std::string>{"*.txt", "*.hlp"}));
    EXPECT_TRUE(SplitFileMask("").empty());
    EXPECT_TRUE(SplitFileMask(";").empty());
}
