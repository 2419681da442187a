#include "widgets/folder_navigator.hpp"

#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "shell/path_text.hpp"
#include "shell/system_paths.hpp"
#include "ui/error_mode.hpp"
#include "ui/handles.hpp"
#include "ui/list_box.hpp"
#include "ui/scope_guard.hpp"
#include "ui/wide.hpp"
#include "widgets/dir_rows.hpp"
#include "widgets/drive_info.hpp"
#include "widgets/drive_scan.hpp"

namespace obsc32 {

namespace {
// Entries the file list leaves out: folders and volume labels.
constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | 0x8;  // 8: a volume label
// The design searches folders with the directory attribute alone, which finds no hidden or system ones.
constexpr DWORD kHiddenFolder = FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;

// The system's full form of a path: a relative or dotted one would otherwise be remembered as it came. No
// folder the picker can enter is MAX_PATH long.
std::string FolderFullPath(const std::string& path) {
    std::optional<std::string> full = FullPath(path);
    if (!full || WideLength(*full) >= MAX_PATH)
        throw ui::Error(path + "\nフォルダー名が正しくありません・・・");
    return *full;
}

// An empty drive may be entered here first: no system box may ask for a disk.
void ChangeDirectory(const std::string& path) {
    ui::CriticalErrorsOff quiet;
    if (!SetCurrentDirectoryW(ui::WidePath(path).c_str()))
        throw ui::Error(path + "\nフォルダーに移れません・・・");
}

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Every entry the search finds, by name and attributes; a folder with nothing in it is no error, one that
// cannot be read is. A name the program's texts cannot hold goes by its short name, which leads to the same
// entry, or is left out: it must not become another entry's name.
template <typename Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
    ui::CriticalErrorsOff quiet;
    WIN32_FIND_DATAW entry;
    ui::FindHandle find(FindFirstFileW(ui::WidePath(pattern).c_str(), &entry));
    if (!find) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
        throw ui::Error(pattern + "\nフォルダーを読めません・・・");
    }
    do {
        std::optional<std::string> name = ui::NarrowExact(entry.cFileName);
        if (!name && entry.cAlternateFileName[0]) name = ui::NarrowExact(entry.cAlternateFileName);
        if (name) visit(*name, entry.dwFileAttributes);
    } while (FindNextFileW(find.Get(), &entry));
}

}  // namespace

int FolderNavigator::RowLevel(int row) const {
    const size_t i = static_cast<size_t>(row);
    return i < rowLevels_.size() ? rowLevels_[i] : 0;
}

void FolderNavigator::StartDriveScan() { driveScan_ = std::make_unique<DriveScan>(ProgramPath()[0]); }

void FolderNavigator::FillDrives() {
    const char programDrive = ProgramPath()[0];
    const DriveFacts facts = driveScan_ ? driveScan_->Take() : ReadDriveFacts(programDrive);
    driveScan_.reset();
    drives_.Clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const UINT type = facts.Types[letter - 'A'];
        if (ListedDriveType(type)) drives_.Add(DriveRowText(letter, LowerNames), static_cast<LPARAM>(type));
    }
    for (int i = 0; i < drives_.Count(); ++i) {
        if (SameDrive(drives_.Item(i), programDrive)) {
            drives_.SetItemIndex(i);
            ShowDriveLabel(facts.ProgramDriveLabel);
            break;
        }
    }
}

void FolderNavigator::LabelDrive(char letter) { ShowDriveLabel(DriveLabel(letter)); }

void FolderNavigator::ShowDriveLabel(const std::string& label) {
    const int row = drives_.ItemIndex();
    if (label.empty() || row < 0) return;
    drives_.SetItem(row, LabelledDriveRow(drives_.Item(row), label, LowerNames));
}

void FolderNavigator::OpenFolder(std::string path) {
    path = YenCut(FolderFullPath(path));
    ChangeDirectory(path);
    RememberDriveFolder(DriveFolders, path);
    int row = 0;
    while (row < drives_.Count() && !SameDrive(drives_.Item(row), path[0])) ++row;
    if (row == drives_.Count()) throw ui::Error(path + "\nドライブが見つかりません・・・");
    drives_.SetItemIndex(row);
    SelectDrive(path[0]);
}

void FolderNavigator::SelectDrive(char letter) {
    try {
        CheckDrive(letter);
        LabelDrive(letter);
    } catch (const ui::Error&) {
        // Inside a recovery the failure is the recovery's to handle.
        if (recovering_) throw;
        box_.MsgOKTimer("ドライブ・エラー発生\n元のドライブに戻します", 1);
        RecoverFolder(DriveErrorFallback(ListedFolder, letter, WindowsFolder));
        return;
    }
    std::optional<std::string> target = DriveFolderOf(DriveFolders, letter);
    if (!target) {
        // The drive's current folder, as the system keeps it.
        try {
            target = FolderFullPath(std::string(1, letter) + ":");
        } catch (const ui::Error&) {
            target = DriveRoot(letter);
        }
    }
    GoToFolder(*target);
}

void FolderNavigator::GoToFolder(std::string path) {
    try {
        ListFolders(path);
    } catch (const ui::Error&) {
        if (recovering_) throw;
        box_.MsgOKTimer("フォルダー・エラー発生\nエラーを回避してみます。", 1);
        RecoverFolder(DriveRoot(path.empty() ? WindowsFolder[0] : path[0]));
        return;
    }
    folders_.Repaint();
    try {
        ListFiles(CurrentFolder);
    } catch (const ui::Error&) {
        box_.MsgOK("ファイルリスト・エラー発生\n別のドライブか、フォルダーを選択してみて下さい");
    }
}

// Open, select and go to call one another; a failure inside a recovery comes back here instead of
// starting another one, so the chain ends after the Windows drive's root whatever fails.
void FolderNavigator::RecoverFolder(std::string path) {
    if (recovering_) throw ui::Error(path + "\nエラー回避中です・・・");
    {
        recovering_ = true;
        ui::ScopeGuard done([this] { recovering_ = false; });
        try {
            OpenFolder(path);
            return;
        } catch (const ui::Error&) {}
        try {
            OpenFolder(DriveRoot(WindowsFolder.empty() ? 'C' : WindowsFolder[0]));
            return;
        } catch (const ui::Error&) {}
    }
    box_.MsgOK("エラー回避に失敗しました\n別のドライブか、フォルダーを選択してみて下さい");
}

void FolderNavigator::ListFolders(std::string path) {
    folderCount_.SetCaption("---ｺ");
    folderCount_.Repaint();
    path = YenCut(path);
    ChangeDirectory(path);
    path = AsciiCase(path, LowerNames);
    RememberDriveFolder(DriveFolders, path);
    const std::string folder = YenAdd(path);

    std::vector<Entry> entries;
    ForEachEntry(folder + "*.*", [&](const std::string& name, DWORD attributes) {
        entries.push_back({name, attributes});
    });
    std::vector<std::string> names;
    for (const Entry& e : entries) {
        // "." and ".." wherever the file system puts them (some list ".." first, some at a root).
        if ((e.Attributes & FILE_ATTRIBUTE_DIRECTORY) && !(e.Attributes & kHiddenFolder) &&
            !IsDots(e.Name.c_str()))
            names.push_back(AsciiCase(e.Name, LowerNames));
    }
    ui::SortAsListed(names);
    // Only a folder that could be read becomes the one shown.
    CurrentFolder = path;
    scannedFolder_ = folder;
    scanned_ = std::move(entries);

    std::vector<std::string> texts;
    rowLevels_.clear();
    for (const FolderRow& row : PathRows(folder)) {
        texts.push_back(row.Text);
        rowLevels_.push_back(row.Level);
    }
    currentRow_ = static_cast<int>(texts.size()) - 1;
    const int depth = static_cast<int>(texts.size());
    for (std::string& name : names) {
        texts.push_back(std::move(name));
        rowLevels_.push_back(depth);
    }
    folders_.SetItems(std::move(texts));
    folders_.SetItemIndex(currentRow_);
    folderCount_.SetCaption(std::to_string(folders_.Count()) + "ｺ");
}

void FolderNavigator::ListFiles(std::string folder) {
    fileCount_.SetCaption(" ---ｺ");
    fileCount_.Repaint();
    folder = YenCut(folder);
    ChangeDirectory(folder);
    folder = AsciiCase(folder, LowerNames);
    ListedFolder = folder;
    folder = YenAdd(folder);

    // The folder list has just read this folder whole: "*.*" takes what it read.
    std::vector<Entry> scanned = std::move(scanned_);
    const bool fresh = scannedFolder_ == folder;
    scannedFolder_.clear();
    scanned_.clear();

    files_.Clear();
    std::vector<std::string> names;
    auto take = [&](const std::string& name, DWORD attributes) {
        if (!(attributes & kNotListed)) names.push_back(AsciiCase(name, LowerNames));
    };
    for (const std::string& mask : SplitFileMask(FileMask)) {
        if (mask == "*.*" && fresh) {
            for (const Entry& e : scanned) take(e.Name, e.Attributes);
            continue;
        }
        ForEachEntry(folder + mask, take);
    }
    files_.SetItems(std::move(names));
    fileCount_.SetCaption(" " + std::to_string(files_.Count()) + "ｺ");
}

void FolderNavigator::OpenRow() {
    const int selected = folders_.ItemIndex();
    if (selected < 0) return;
    std::vector<std::string> rows;
    for (int i = 0; i <= std::max(selected, currentRow_) && i < folders_.Count(); ++i)
        rows.push_back(folders_.Item(i));
    GoToFolder(OpenRowPath(rows, selected, currentRow_));
}

}  // namespace obsc32
