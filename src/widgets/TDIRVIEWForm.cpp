#include "widgets/TDIRVIEWForm.hpp"

#include "shell/path_text.hpp"
#include "shell/system_paths.hpp"
#include "ui/application.hpp"
#include "ui/handles.hpp"
#include "ui/wide.hpp"
#include "widgets/work_area.hpp"

namespace obsc32 {

namespace {
constexpr int kRowHeight = 20;
constexpr int kDroppedRows = 8;
// Pure red in the pictures is drawn in the row's own colour.
constexpr COLORREF kTransparent = RGB(255, 0, 0);

ui::Bitmap LoadPicture(const char* name) {
    return ui::Bitmap(static_cast<HBITMAP>(
        LoadImageW(GetModuleHandleW(nullptr), ui::Wide(name).c_str(), IMAGE_BITMAP, 0, 0, LR_DEFAULTCOLOR)));
}

// Draws the picture at (x, y) and returns its width; 0 when there is none.
int DrawPicture(HDC dc, int x, int y, const ui::Image& image) {
    SIZE size = image.PictureSize();
    if (size.cx <= 0 || size.cy <= 0) return 0;
    ui::MemoryDC src(CreateCompatibleDC(dc));
    ui::SelectObjectScope select(src.Get(), image.Picture());
    TransparentBlt(dc, x, y, size.cx, size.cy, src.Get(), 0, 0, size.cx, size.cy, kTransparent);
    return size.cx;
}

void WriteText(HDC dc, int x, int y, const std::string& text) {
    const std::wstring wide = ui::Wide(text);
    TextOutW(dc, x, y, wide.c_str(), static_cast<int>(wide.size()));
}
}  // namespace

TDIRVIEWForm::TDIRVIEWForm() : ui::Form(nullptr, "DIRVIEWForm", "TDIRVIEWForm") {
    SetCaption(kDirViewCaption);
    Border = ui::BorderStyle::Dialog;
    StayOnTop = true;
    FontName = "System";
    FontHeight = -13;
    FontCharset = SHIFTJIS_CHARSET;
    ShowHint = true;
    RECT r{0, 0, kDirViewClientWidth, kDirViewClientHeight};
    AdjustWindowRectEx(&r, WS_POPUP | WS_CAPTION | WS_SYSMENU, FALSE, WS_EX_DLGMODALFRAME);
    SetBounds(0, 0, r.right - r.left, r.bottom - r.top);

    // The drive box's height includes its dropped list: the selection field and eight rows.
    ComboBox2.SetBounds(8, 8, 145, kRowHeight + 8 + kDroppedRows * kRowHeight + 2);
    ComboBox2.TabOrder = 3;
    ComboBox2.Hint = "ドライブの選択";
    ListBox1.SetBounds(8, 40, 145, 97);
    ListBox1.TabStop = true;
    ListBox1.TabOrder = 2;
    ListBox1.Hint = "フォルダーの選択";
    ListBox4.SetBounds(160, 40, 145, 97);
    ListBox4.Sorted = true;
    ListBox4.ItemHeight = 18;
    ListBox4.TabStop = true;
    ListBox4.TabOrder = 4;
    ListBox4.Hint = "フォルダーに存在するファイル";
    Label19.SetBounds(160, 8, 0, 0);
    Label19.Hint = "現在左記リストに登録されているフォルダーの数 ";
    Label3.SetBounds(216, 8, 0, 0);
    Label1.SetBounds(312, 40, 0, 0);
    Label1.Hint = "ファイルの数 ";
    Label2.SetBounds(8, 152, 0, 0);
    Label2.Hint = "設定フォルダー名";
    Button1.SetBounds(312, 72, 67, 33);
    Button1.Cancel = true;
    Button1.TabOrder = 1;
    Button1.Hint = "参照を中止する";
    Button2.SetBounds(312, 112, 65, 33);
    Button2.SetBevelWidth(2);
    Button2.SetDefault(true);
    Button2.TabOrder = 0;
    Button2.Hint = "フォルダーの設定";
    for (ui::Image* i : {&Image5, &Image6}) {
        i->SetBounds(0, 0, 19, 19);
        i->Hide();
    }
    for (ui::Image* i : {&Floppy, &Fixed, &Network, &CDROM, &RAM}) {
        i->SetBounds(0, 0, 16, 9);
        i->Hide();
    }

    Button1.OnClick = [this](ui::Component* s) { Button1Click(s); };
    Button2.OnClick = [this](ui::Component* s) { Button2Click(s); };
    ListBox1.OnClick = [this](ui::Component* s) { ListBox1Click(s); };
    ComboBox2.OnChange = [this](ui::Component* s) { ComboBox2Change(s); };
    ListBox1.OnDrawItem = [this](ui::Component* s, const ui::DrawItemArgs& a) { ListBox1DrawItem(s, a); };
    ComboBox2.OnDrawItem = [this](ui::Component* s, const ui::DrawItemArgs& a) { ComboBox2DrawItem(s, a); };
}

void TDIRVIEWForm::FormCreate() {
    Navigator.DriveFolders.clear();
    ChosenFolder.clear();
    Navigator.LowerNames = true;
    Navigator.FileMask = "*.*";
    Navigator.WindowsFolder = WindowsFolder();
}

void TDIRVIEWForm::FormShow() {
    if (HandleAllocated()) SetForegroundWindow(Handle());
}

bool TDIRVIEWForm::FormCloseQuery() {
    Navigator.DriveFolders.clear();
    return true;
}

bool TDIRVIEWForm::FormMessage(UINT msg, WPARAM, LPARAM, LRESULT&) {
    if (msg == WM_PAINT) TakeMainWindowColours();
    return false;
}

void TDIRVIEWForm::TakeMainWindowColours() {
    if (!FollowMainWindowColours(*this)) return;
    // The lists paint themselves: they learn of the new colours only when painted again.
    if (HandleAllocated())
        RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

void TDIRVIEWForm::Button1Click(ui::Component*) { ModalResult = 3; }

void TDIRVIEWForm::Button2Click(ui::Component*) {
    ChosenFolder = Label2.Caption();
    ModalResult = 1;
}

void TDIRVIEWForm::ListBox1Click(ui::Component*) {
    Navigator.OpenRow();
    Label2.SetCaption(FolderNavigator::CurrentFolder);
}

void TDIRVIEWForm::ComboBox2Change(ui::Component*) {
    int i = ComboBox2.ItemIndex();
    std::string row = i < 0 ? std::string() : ComboBox2.Item(i);
    if (row.empty()) return;
    Navigator.SelectDrive(AsciiCase(row.substr(0, 1), false)[0]);
    Label2.SetCaption(FolderNavigator::CurrentFolder);
}

void TDIRVIEWForm::ListBox1DrawItem(ui::Component*, const ui::DrawItemArgs& a) {
    const int x = a.Rect.left + Navigator.RowLevel(a.Index) * 4 + 2, y = a.Rect.top;
    const ui::Image& picture =
        a.Index <= Navigator.CurrentRow() ? Loaded(Image6, "FOLDER_OPEN") : Loaded(Image5, "FOLDER_CLOSED");
    WriteText(a.Dc, x + DrawPicture(a.Dc, x, y, picture), y, ListBox1.Item(a.Index));
}

// A picture is loaded when first drawn: most kinds of drive never are.
const ui::Image& TDIRVIEWForm::Loaded(ui::Image& image, const char* resource) {
    if (!image.Picture()) image.SetPicture(LoadPicture(resource));
    return image;
}

const ui::Image* TDIRVIEWForm::DrivePicture(LPARAM driveType) {
    switch (driveType) {
        case DRIVE_REMOVABLE: return &Loaded(Floppy, "DRIVE_FLOPPY");
        case DRIVE_FIXED: return &Loaded(Fixed, "DRIVE_FIXED");
        case DRIVE_REMOTE: return &Loaded(Network, "DRIVE_NETWORK");
        case DRIVE_CDROM: return &Loaded(CDROM, "DRIVE_CDROM");
        case DRIVE_RAMDISK: return &Loaded(RAM, "DRIVE_RAM");
        default: return nullptr;
    }
}

void TDIRVIEWForm::ComboBox2DrawItem(ui::Component*, const ui::DrawItemArgs& a) {
    const int x = a.Rect.left + 1;
    const ui::Image* picture = DrivePicture(ComboBox2.ItemData(a.Index));
    const int width = picture ? DrawPicture(a.Dc, x, a.Rect.top + 5, *picture) : 0;
    WriteText(a.Dc, width ? x + width + 4 : x, a.Rect.top, ComboBox2.Item(a.Index));
}

}  // namespace obsc32
