// The folder picker's navigation (members of TDIRVIEWForm): drives, folders and files, and the recovery
// when one of them fails. Failures travel between these as ui::Error; SelectDrive and GoToFolder catch
// them, tell the user in the picker's own box and fall back to a folder that works.
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <optional>

#include "shell/sjis_path.hpp"
#include "shell/system_paths.hpp"
#include "ui/error_mode.hpp"
#include "ui/handles.hpp"
#include "ui/list_box.hpp"
#include "ui/scope_guard.hpp"
#include "widgets/TDIRVIEWForm.hpp"
#include "widgets/dir_rows.hpp"
#include "widgets/drive_info.hpp"
#include "widgets/drive_scan.hpp"

namespace obsc32 {

namespace {
// Entries the file list leaves out: folders and volume labels.
constexpr DWORD kNotListed = FILE_ATTRIBUTE_DIRECTORY | 0x8;  // 8: a volume label

// The system's full form of a path: a relative or dotted one would otherwise be remembered as it came. No
// folder the picker can enter is MAX_PATH long.
std::string FolderFullPath(const std::string& path) {
    std::optional<std::string> full = FullPath(path);
    if (!full || full->size() >= MAX_PATH) throw ui::Error(path + "\nフォルダー名が正しくありません・・・");
    return *full;
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

}  // namespace

void TDIRVIEWForm::StartDriveScan() { driveScan_ = std::make_unique<DriveScan>(ProgramPath()[0]); }

void TDIRVIEWForm::FillDrives() {
    const char programDrive = ProgramPath()[0];
    const DriveFacts facts = driveScan_ ? driveScan_->Take() : ReadDriveFacts(programDrive);
    driveScan_.reset();
    ComboBox2.Clear();
    for (char letter = 'A'; letter <= 'Z'; ++letter) {
        const UINT type = facts.Types[letter - 'A'];
        if (ListedDriveType(type)) ComboBox2.Add(DriveRowText(letter, LowerNames), static_cast<LPARAM>(type));
    }
    for (int i = 0; i < ComboBox2.Count(); ++i) {
        if (SameDrive(ComboBox2.Item(i), programDrive)) {
            ComboBox2.SetItemIndex(i);
            ShowDriveLabel(facts.ProgramDriveLabel);
            break;
        }
    }
}

void TDIRVIEWForm::LabelDrive(char letter) { ShowDriveLabel(DriveLabel(letter)); }

void TDIRVIEWForm::ShowDriveLabel(const std::string& label) {
    const int row = ComboBox2.ItemIndex();
    if (label.empty() || row < 0) return;
    ComboBox2.SetItem(row, LabelledDriveRow(ComboBox2.Item(row), label, LowerNames));
}

void TDIRVIEWForm::OpenFolder(std::string path) {
    path = YenCut(FolderFullPath(path));
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
            target = FolderFullPath(std::string(1, letter) + ":");
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

    std::vector<Entry> entries;
    ForEachEntry(folder + "*.*", [&](const WIN32_FIND_DATAA& e) {
        entries.push_back({e.cFileName, e.dwFileAttributes});
    });
    std::vector<std::string> names;
    for (const Entry& e : entries) {
        // "." and ".." wherever the file system puts them (some list ".." first, some at a root).
        if ((e.Attributes & FILE_ATTRIBUTE_DIRECTORY) && !IsDots(e.Name.c_str()))
            names.push_back(SjisCase(e.Name, LowerNames));
    }
    ui::SortAsListed(names);
    // Only a folder that could be read becomes the one shown.
    CurrentFolder = path;
    scannedFolder_ = folder;
    scanned_ = std::move(entries);

    std::vector<std::string> texts;
    RowLevels.clear();
    for (const FolderRow& row : PathRows(folder)) {
        texts.push_back(row.Text);
        RowLevels.push_back(row.Level);
    }
    CurrentRow = static_cast<int>(texts.size()) - 1;
    const int depth = static_cast<int>(texts.size());
    for (std::string& name : names) {
        texts.push_back(std::move(name));
        RowLevels.push_back(depth);
    }
    ListBox1.SetItems(std::move(texts));
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

    // The folder list has just read this folder whole: "*.*" takes what it read.
    std::vector<Entry> scanned = std::move(scanned_);
    const bool fresh = scannedFolder_ == folder;
    scannedFolder_.clear();
    scanned_.clear();

    ListBox4.Clear();
    std::vector<std::string> names;
    auto take = [&](const std::string& name, DWORD attributes) {
        if (!(attributes & kNotListed)) names.push_back(SjisCase(name, LowerNames));
    };
    for (const std::string& mask : SplitFileMask(FileMask)) {
        if (mask == "*.*" && fresh) {
            for (const Entry& e : scanned) take(e.Name, e.Attributes);
            continue;
        }
        ForEachEntry(folder + mask,
                     [&](const WIN32_FIND_DATAA& e) { take(e.cFileName, e.dwFileAttributes); });
    }
    ListBox4.SetItems(std::move(names));
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
