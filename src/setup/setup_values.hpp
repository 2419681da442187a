// The texts the setup window builds from the product values: captions, file names, the proposed folder,
// the Uninstall entry and the install's messages. Pure text.
#pragma once
#include <array>
#include <string>
#include <vector>

namespace obsc32 {

// " V1.2" for version 12.
std::string VersionText(int version);
// "VANTE " + the long title + the version text.
std::string UninstallDisplayName(const std::string& longTitle, int version);
// The program, its guide, its help, the help's page for systems with no help viewer (the files the install
// copies), then the index the viewer makes beside the help; named after the product code.
std::array<std::string, 5> ProductFileNames(const std::string& code);
inline constexpr std::size_t kCopiedFileCount = 4;
// The Windows folder's drive root + "VERADO32\" + the product code, unless a folder is stored.
std::string DefaultInstallFolder(const std::string& winDir, const std::string& code,
                                 const std::string& storedFolder);
// The group list's order after the sorted names: "VANTE SOFT" moved to the end if present, then
// "VANTE SOFT32" last in any case (a copy among the names is dropped); empty names are dropped.
void ArrangeGroups(std::vector<std::string>& sortedNames);
// Which row the list starts on: the stored group when there is one and it is listed, otherwise the last.
int GroupRowToSelect(const std::vector<std::string>& rows, const std::string& storedGroup);
std::string CompletionText(const std::string& group);
// What the system's list of programs starts to uninstall: the program's path, quoted when it holds a blank,
// which the list would otherwise take for the end of the program's name.
std::string UninstallCommand(const std::string& programPath);
// "1.2" for version 12.
std::string DisplayVersionText(int version);

inline constexpr char kVanteGroup[] = "VANTE SOFT";
inline constexpr char kVanteGroup32[] = "VANTE SOFT32";

inline constexpr char kNoGroupText[] = "グループ名を設定して下さい。";
inline constexpr char kNoFolderText[] = "フォルダーを設定して下さい。";
inline constexpr char kMakeFolderQuestion[] = "フォルダーを作成します";
inline constexpr char kFolderFailedText[] = "フォルダーの作成に失敗しました・・・";
inline constexpr char kBadDataText[] = "データが不正です";
inline constexpr char kCopyFailedText[] = "ファイルのコピーに失敗しました・・・";
inline constexpr char kCancelText[] = "登録を中止します。";
inline constexpr char kNoGroupListText[] = "グループ名の取得に失敗しました・・・";
// A group name Program Manager would misread as part of its command.
inline constexpr char kUnusableGroupText[] =
    "このグループ名は使えません・・・\n[ ] ( ) \" , と制御文字は使えません";

}  // namespace obsc32
