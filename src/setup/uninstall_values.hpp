// The uninstall's texts and the checks of what one stage hands the other. Pure text.
#pragma once
#include <optional>
#include <string>
#include <vector>

namespace obsc32 {

// "UNINSTALL_VANTE" + the last three digits of ("000" + number): the caption when none is handed over.
std::string StageTwoCaption(int number);
// Without the blanks and control characters at either end.
std::string TrimValue(const std::string& text);

// The two handed-over colours as whole numbers. An empty value is skipped; a value that is not a whole
// number ends the reading, so it and the colour after it are ignored.
struct HandedColors {
    std::optional<int> Color, FontColor;
};
HandedColors ReadHandedColors(const std::string& color, const std::string& fontColor);

// A file the hand-over may name: whole UTF-8, an absolute path of a drive or a share, shorter than MAX_PATH
// (in UTF-16 units), no wildcard, quote, control character, "." or ".." part, and not ending in a
// separator.
bool IsUsableHandOverFile(const std::string& path);

// Whether a file with these attributes (as the system reports them, all bits set when unknown) may be deleted
// as the program: not a folder, and not a reparse point, whose deletion would take what it leads to.
bool IsPlainFile(unsigned long attributes);

// True when `upper` is `folder` or one of the folders holding it (letters of any case).
bool IsFolderOrAbove(const std::string& upper, const std::string& folder);

// The folders to remove after `file`, deepest first: its folder, then the folders above it up to `top`
// (the highest one the install made; "" when it made none), never a drive or share root, never the
// Windows folder or one holding it.
std::vector<std::string> FoldersToRemove(const std::string& file, const std::string& top,
                                         const std::string& winDir);

// The highest folder made for the program that an install into `installFolder` records: the earlier record
// when it holds the folder this install made (a run cut short made it, and recorded it first), else the one
// this install made, else the earlier record when it holds the install folder, else "".
std::string MadeFolderRecord(const std::string& madeNow, const std::string& recorded,
                             const std::string& installFolder);

inline constexpr char kUninstallQuestion[] = "を、ｱﾝｲﾝｽﾂｰﾙしてよろしいですか？？？";
inline constexpr char kUninstallCancelled[] = "ｱﾝｲﾝｽﾂｰﾙを中止しました。";
inline constexpr char kRegistryQuestion[] = "当ソフトのレジストリー情報も削除してよろしいですか？？";
inline constexpr char kStartFailed1[] = "1ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙｿﾌﾄの起動に失敗しました";
inline constexpr char kStartFailed2[] = "2ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ｱﾝｲﾝｽﾂｰﾙｿﾌﾄの起動に失敗しました";
inline constexpr char kParameterError[] =
    "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ﾊﾟﾗﾒｰﾀｰが不正です・・・\n[VANTE SOFT32]専用のｱﾝｲﾝｽﾂｰﾙｿﾌﾄです。";
inline constexpr char kUninstallDone[] = "削除が完了しました☆☆☆\nお疲れ様☆☆☆";
inline constexpr char kStillRunning[] = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ソフトが起動中です。\n終了しないとｱﾝｲﾝｽﾂｰﾙ出来ません。";
// An Uninstall entry this user may not delete: the machine's, written by an install made as administrator.
inline constexpr char kNeedsAdministrator[] =
    "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：管理者の権限が必要です。\n管理者として実行しないとｱﾝｲﾝｽﾂｰﾙ出来ません。";
// Stage 2 gave up on the program file, or stage 1 found one stage 2 would not delete; the file follows on the next line.
inline constexpr char kFileNotDeleted[] = "ｱﾝｲﾝｽﾂｰﾙｴﾗｰ：ファイルを削除できませんでした・・・";

}  // namespace obsc32
