// The folder picker's window: a drive box, the folder list (the current folder's path as open folders,
// then its subfolders as closed ones) and the current folder's files.
#pragma once
#include <memory>
#include <string>
#include <vector>

#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/label.hpp"
#include "ui/list_box.hpp"
#include "ui/owner_draw_combo_box.hpp"
#include "ui/owner_draw_list_box.hpp"
#include "widgets/TColorBtn.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/drive_scan.hpp"

namespace obsc32 {

inline constexpr char kDirViewCaption[] = " フォルダーの参照";
// The picker's client area as designed; its frame is whatever the system draws.
inline constexpr int kDirViewClientWidth = 386, kDirViewClientHeight = 182;

class TDIRVIEWForm final : public ui::Form {
public:
    TDIRVIEWForm();
    // The window goes while the whole form is still here to hear it go.
    ~TDIRVIEWForm() override { DestroyHandle(); }

    ui::OwnerDrawComboBox ComboBox2{this, "ComboBox2", 20};
    ui::OwnerDrawListBox ListBox1{this, "ListBox1", 20};
    ui::ListBox ListBox4{this, "ListBox4"};
    ui::Label Label19{this, "Label19"};
    ui::Label Label3{this, "Label3", "フォルダーの選択"};
    ui::Label Label1{this, "Label1"};
    ui::Label Label2{this, "Label2"};
    TColorBtn Button1{this, "Button1", "中止"};
    TColorBtn Button2{this, "Button2", "設定"};
    ui::Image Image5{this, "Image5"};  // closed folder
    ui::Image Image6{this, "Image6"};  // open folder
    ui::Image Floppy{this, "Floppy"};
    ui::Image Fixed{this, "Fixed"};
    ui::Image Network{this, "Network"};
    ui::Image CDROM{this, "CDROM"};
    ui::Image RAM{this, "RAM"};
    TMKBoxDlg MKBoxDlg1{this, "MKBoxDlg1"};

    // Kept from one picker to the next: the folder shown, and the one whose files were listed.
    static inline std::string CurrentFolder;
    static inline std::string ListedFolder;
    // What "設定" chose; empty after "中止" or the close box.
    std::string ChosenFolder;
    // The folder last visited on each drive, the newest last.
    std::vector<std::string> DriveFolders;
    // The indentation of each row of the folder list; as many as there are rows.
    std::vector<int> RowLevels;
    // The row of the current folder itself.
    int CurrentRow = 0;
    bool LowerNames = true;
    // Masks separated by ";".
    std::string FileMask = "*.*";
    // The Windows folder, ending in "\"; its drive is where every failed recovery ends.
    std::string WindowsFolder;

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
    void OpenRow();

    void Button1Click(ui::Component* sender);
    void Button2Click(ui::Component* sender);
    void ListBox1Click(ui::Component* sender);
    void ComboBox2Change(ui::Component* sender);
    void ListBox1DrawItem(ui::Component* sender, const ui::DrawItemArgs& args);
    void ComboBox2DrawItem(ui::Component* sender, const ui::DrawItemArgs& args);
    // The main window's colours; the controls that take their parent's follow.
    void TakeMainWindowColours();

protected:
    void FormCreate() override;
    void FormShow() override;
    bool FormCloseQuery() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    static const ui::Image& Loaded(ui::Image& image, const char* resource);
    const ui::Image* DrivePicture(LPARAM driveType);
    // The entries ListFolders read, which ListFiles takes instead of reading the same folder again.
    struct Entry {
        std::string Name;
        DWORD Attributes;
    };
    void ShowDriveLabel(const std::string& label);
    std::unique_ptr<DriveScan> driveScan_;
    std::string scannedFolder_;
    std::vector<Entry> scanned_;
    // A recovery is under way: a failure inside it goes back to it instead of starting another.
    bool recovering_ = false;
};

}  // namespace obsc32
