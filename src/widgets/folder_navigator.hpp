// The folder picker's navigation: the drives it lists, the folder it shows (its path as open folders, then
// its subfolders), that folder's files, and the recovery when one of them fails. Failures travel between
// these as ui::Error; SelectDrive and GoToFolder catch them, tell the user in the picker's own box and fall
// back to a folder that works.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/label.hpp"
#include "ui/list_box.hpp"
#include "ui/owner_draw_combo_box.hpp"
#include "ui/owner_draw_list_box.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/drive_scan.hpp"

namespace obsc32 {

class FolderNavigator {
public:
    // The picker's drive box, folder and file lists, the labels counting their rows, and its box.
    FolderNavigator(ui::OwnerDrawComboBox& drives, ui::OwnerDrawListBox& folders, ui::ListBox& files,
                    ui::Label& folderCount, ui::Label& fileCount, TMKBoxDlg& box)
        : drives_(drives),
          folders_(folders),
          files_(files),
          folderCount_(folderCount),
          fileCount_(fileCount),
          box_(box) {}

    // Kept from one picker to the next: the folder shown, and the one whose files were listed.
    static inline std::string CurrentFolder;
    static inline std::string ListedFolder;
    // The folder last visited on each drive, the newest last.
    std::vector<std::string> DriveFolders;
    bool LowerNames = true;
    // Masks separated by ";".
    std::string FileMask = "*.*";
    // The Windows folder, ending in "\"; its drive is where every failed recovery ends.
    std::string WindowsFolder;

    // The indentation of a row of the folder list.
    int RowLevel(int row) const;
    // The row of the current folder itself; the rows above it are its path.
    int CurrentRow() const { return currentRow_; }

    // Starts reading the drives FillDrives lists, while the window is being made.
    void StartDriveScan();
    void FillDrives();
    void LabelDrive(char letter);
    void OpenFolder(std::string path);
    void SelectDrive(char letter);
    void GoToFolder(std::string path);
    void RecoverFolder(std::string path);
    void ListFolders(std::string path);
    void ListFiles(std::string folder);
    // Goes to the folder of the folder list's selected row.
    void OpenRow();

private:
    // The entries ListFolders read, which ListFiles takes instead of reading the same folder again.
    struct Entry {
        std::string Name;
        DWORD Attributes;
    };
    void ShowDriveLabel(const std::string& label);

    ui::OwnerDrawComboBox& drives_;
    ui::OwnerDrawListBox& folders_;
    ui::ListBox& files_;
    ui::Label& folderCount_;
    ui::Label& fileCount_;
    TMKBoxDlg& box_;
    // As many as there are rows in the folder list.
    std::vector<int> rowLevels_;
    int currentRow_ = 0;
    std::unique_ptr<DriveScan> driveScan_;
    std::string scannedFolder_;
    std::vector<Entry> scanned_;
    // A recovery is under way: a failure inside it goes back to it instead of starting another.
    bool recovering_ = false;
};

}  // namespace obsc32
