// The folder picker's navigation (members of TDIRVIEWForm): drives, folders and files, and the recovery
// when one of them fails. Failures travel between these as ui::Error; SelectDrive and GoToFolder catch
// them, tell the user in the picker's own box and fall back to a folder that works.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "shell/sjis_path.hpp"
#include "ui/error_mode.hpp"
#include "ui/handles.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TDIRVIEWForm.hpp"
#include "widgets/dir_rows.hpp"
#include "widgets/drive_info.hpp"

namespace obsc32 {

namespace {
// Files of every kind but folders and volume labels.
constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | 0x8;

std::string ExePath() {
    char path[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, path, sizeof path);
    return path;
}

// The system's full form of a path: a relative or dotted one would otherwise be remembered as it came.
std::string FullPath(const std::string& path) {
    char full[MAX_PATH];
    char* name = nullptr;
    DWORD n = path.empty() ? 0 : GetFullPathNameA(path.c_str(), sizeof full, full, &name);
    if (n == 0 || n >= sizeof full) throw ui::Error(path + "\nフォルダー名が正しくありません・・・");
    return std::string(full, n);
}

// An empty drive may be entered here first: no system box may ask for a disk.
void ChangeDirectory(const std::string& path) {
    ui::CriticalErrorsOff quiet;
    if (!SetCurrentDirectoryA(path.c_str())) throw ui::Error(path + "\nフォルダーに移れません・・・");
}

bool IsDots(const char* name) { return std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0; }

// Every entry the search finds; a folder with nothing in it is no error, one that cannot be read is.
template <typename Visit>
void ForEachEntry(const std::string& pattern, Visit visit) {
    ui::CriticalErrorsOff quiet;
    WIN32_FIND_DATAA entry;
    ui::FindHandle find(FindFirstFileA(pattern.c_str(), &entry));
    if (!find) {
        DWORD error = GetLastError();
        if (error == ERROR_FILE_NOT_FOUND || error == ERROR_NO_MORE_FILES) return;
        throw ui::Error(pattern + "\nフォルダーを読めません・・・");
    }
    do visit(entry);
    while (FindNextFileA(find.Get(), &entry));
}

// In the order of the system's collation, letter case ignored, as the sorted file list keeps its rows.
void SortNames(std::vector<std::string>& names) {
    std::sort(names.begin(), names.end(), [](const std::string& a, const std::string& b) {
        return CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), static_cast<int>(a.size()),
                              b.c_str(), static_cast<int>(b.size())) == CSTR_LESS_THAN;
    });
}
}  // namespace

void TDIRVIEWForm::FillDrives() {
    ComboBox2.Clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        UINT type = GetDriveTypeA(DriveRoot(letter).c_str());
        if (type >= DRIVE_REMOVABLE && type <= DRIVE_RAMDISK)
            ComboBox2.Add(DriveRowText(letter, LowerNames), static_cast<LPARAM>(type));
    }
    const char exeDrive = ExePath()[0];
    for (int i = 0; i < ComboBox2.Count(); ++i) {
        if (SameDrive(ComboBox2.Item(i), exeDrive)) {
            ComboBox2.SetItemIndex(i);
            LabelDrive(exeDrive);
            break;
        }
    }
}

void TDIRVIEWForm::LabelDrive(char letter) {
    std::string label;
    switch (GetDriveTypeA(DriveRoot(letter).c_str())) {
        case DRIVE_REMOVABLE:
        case DRIVE_FIXED:
        case DRIVE_CDROM:
        case DRIVE_RAMDISK: label = VolumeLabel(letter); break;
        case DRIVE_REMOTE: label = NetworkName(letter); break;
        default: break;
    }
    const int row = ComboBox2.ItemIndex();
    if (label.empty() || row < 0) return;
    ComboBox2.SetItem(row, LabelledDriveRow(ComboBox2.Item(row), label, LowerNames));
}

void TDIRVIEWForm::OpenFolder(std::string path) {
    path = YenCut(FullPath(path));
    ChangeDirectory(path);
    RememberDriveFolder(DriveFolders, path);
    int row = 0;
    while (row < ComboBox2.Count() && !SameDrive(ComboBox2.Item(row), path[0])) ++row;
    if (row == ComboBox2.Count()) throw ui::Error(path + "\nドライブが見つかりません・・・");
    ComboBox2.SetItemIndex(row);
    SelectDrive(path[0]);
}

void TDIRVIEWForm::SelectDrive(char letter) {
    try {
        CheckDrive(letter);
        LabelDrive(letter);
    } catch (const ui::Error&) {
        // Inside a recovery the failure is the recovery's to handle.
        if (recovering_) throw;
        MKBoxDlg1.MsgOKTimer("ドライブ・エラー発生\n元のドライブに戻します", 1);
        RecoverFolder(DriveErrorFallback(ListedFolder, letter, WindowsFolder));
        return;
    }
    std::optional<std::string> target = DriveFolderOf(DriveFolders, letter);
    if (!target) {
        // The drive's current folder, as the system keeps it.
        try {
            target = FullPath(std::string(1, letter) + ":");
        } catch (const ui::Error&) {
            target = DriveRoot(letter);
        }
    }
    GoToFolder(*target);
}

void TDIRVIEWForm::GoToFolder(std::string path) {
    try {
        ListFolders(path);
    } catch (const ui::Error&) {
        if (recovering_) throw;
        MKBoxDlg1.MsgOKTimer("フォルダー・エラー発生\nエラーを回避してみます。", 1);
        RecoverFolder(DriveRoot(path.empty() ? WindowsFolder[0] : path[0]));
        return;
    }
    ListBox1.Repaint();
    try {
        ListFiles(CurrentFolder);
    } catch (const ui::Error&) {
        MKBoxDlg1.MsgOK("ファイルリスト・エラー発生\n別のドライブか、フォルダーを選択してみて下さい");
    }
}

// Open, select and go to call one another; a failure inside a recovery comes back here instead of
// starting another one, so the chain ends after the Windows drive's root whatever fails.
void TDIRVIEWForm::RecoverFolder(std::string path) {
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
    MKBoxDlg1.MsgOK("エラー回避に失敗しました\n別のドライブか、フォルダーを選択してみて下さい");
}

void TDIRVIEWForm::ListFolders(std::string path) {
    Label19.SetCaption("---ｺ");
    Label19.Repaint();
    path = YenCut(path);
    ChangeDirectory(path);
    path = SjisCase(path, LowerNames);
    RememberDriveFolder(DriveFolders, path);
    const std::string folder = YenAdd(path);

    std::vector<std::string> names;
    ForEachEntry(folder + "*.*", [&](const WIN32_FIND_DATAA& entry) {
        // "." and ".." wherever the file system puts them (some list ".." first, some at a root).
        if ((entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(entry.cFileName))
            names.push_back(SjisCase(entry.cFileName, LowerNames));
    });
    SortNames(names);
    // Only a folder that could be read becomes the one shown.
    CurrentFolder = path;

    const std::vector<FolderRow> rows = PathRows(folder);
    ListBox1.BeginUpdate();
    ListBox1.Clear();
    RowLevels.clear();
    for (const FolderRow& row : rows) {
        ListBox1.Add(row.Text);
        RowLevels.push_back(row.Level);
    }
    CurrentRow = static_cast<int>(rows.size()) - 1;
    const int depth = static_cast<int>(rows.size());
    for (const std::string& name : names) {
        ListBox1.Add(name);
        RowLevels.push_back(depth);
    }
    ListBox1.EndUpdate();
    ListBox1.SetItemIndex(CurrentRow);
    Label19.SetCaption(std::to_string(ListBox1.Count()) + "ｺ");
}

void TDIRVIEWForm::ListFiles(std::string folder) {
    Label1.SetCaption(" ---ｺ");
    Label1.Repaint();
    folder = YenCut(folder);
    ChangeDirectory(folder);
    folder = SjisCase(folder, LowerNames);
    ListedFolder = folder;
    folder = YenAdd(folder);

    ListBox4.BeginUpdate();
    ui::ScopeGuard painted([this] { ListBox4.EndUpdate(); });
    ListBox4.Clear();
    for (const std::string& mask : SplitFileMask(FileMask)) {
        ForEachEntry(folder + mask, [&](const WIN32_FIND_DATAA& entry) {
            if (!(entry.dwFileAttributes & kNotListed)) ListBox4.Add(SjisCase(entry.cFileName, LowerNames));
        });
    }
    Label1.SetCaption(" " + std::to_string(ListBox4.Count()) + "ｺ");
}

void TDIRVIEWForm::OpenRow() {
    const int selected = ListBox1.ItemIndex();
    if (selected < 0) return;
    std::vector<std::string> rows;
    for (int i = 0; i <= std::max(selected, CurrentRow) && i < ListBox1.Count(); ++i)
        rows.push_back(ListBox1.Item(i));
    GoToFolder(OpenRowPath(rows, selected, CurrentRow));
}

}  // namespace obsc32
