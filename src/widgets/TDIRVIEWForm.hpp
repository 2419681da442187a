// The folder picker's window: a drive box, the folder list (the current folder's path as open folders,
// then its subfolders as closed ones) and the current folder's files, which its navigator fills.
#pragma once
#include <string>

#include "ui/form.hpp"
#include "ui/image.hpp"
#include "ui/label.hpp"
#include "ui/list_box.hpp"
#include "ui/owner_draw_combo_box.hpp"
#include "ui/owner_draw_list_box.hpp"
#include "widgets/TColorBtn.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/folder_navigator.hpp"

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
    FolderNavigator Navigator{ComboBox2, ListBox1, ListBox4, Label19, Label1, MKBoxDlg1};

    // What "設定" chose; empty after "中止" or the close box.
    std::string ChosenFolder;

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
};

}  // namespace obsc32
