// The setup window: installs the program, or, hidden, runs an uninstall stage.
#pragma once
#include <array>
#include <string>

#include "ui/check_box.hpp"
#include "ui/combo_box.hpp"
#include "ui/dde.hpp"
#include "ui/edit.hpp"
#include "ui/form.hpp"
#include "ui/label.hpp"
#include "ui/timer.hpp"
#include "widgets/TColorBtn.hpp"
#include "widgets/TDIROPENDLG.hpp"
#include "widgets/TMKBoxDlg.hpp"

namespace obsc32 {

inline constexpr const char* kSetupClassName = "TOBSC32SETUPForm";

class TOBSC32SETUPForm : public ui::Form {
public:
    TOBSC32SETUPForm();

    ui::Label Label1{this, "Label1", "を置くフォルダーの設定："};
    ui::Label Label2{this, "Label2", "を登録するグループの選択："};
    ui::Edit Edit1{this, "Edit1"};
    ui::ComboBox ComboBox1{this, "ComboBox1"};
    ui::CheckBox CheckBoxST{this, "CheckBoxST"};
    ui::CheckBox VANTE_COLOR{this, "VANTE_COLOR"};
    ui::CheckBox CheckBoxBkColor{this, "CheckBoxBkColor"};
    TColorBtn Button4{this, "Button4", "初期値"};
    TColorBtn Button1{this, "Button1", "参照"};
    TColorBtn Button2{this, "Button2", "中止"};
    // Made before Button5, so it lies above it.
    TColorBtn Button3{this, "Button3", "設定"};
    TColorBtn Button5{this, "Button5", "設定中"};
    ui::DdeClientConv DdeClientConv1{this, "DdeClientConv1"};
    ui::DdeClientConv DdeClientConv2{this, "DdeClientConv2"};
    TDIROPENDLG DIROPENDLG1{this, "DIROPENDLG1"};
    TMKBoxDlg MKBoxDlg1{this, "MKBoxDlg1"};
    ui::Timer Timer1{this, "Timer1", 500, false};
    ui::Timer Timer2{this, "Timer2", 500, false};
    ui::Timer Timer3{this, "Timer3", 1000, false};
    ui::Timer TimerErOut{this, "TimerErOut", 1000, false};

    // Built at creation.
    std::array<std::string, 4> ProductFiles;
    std::string QuotedLongTitle;
    std::string VersionText;
    std::string WindowTitleBase;
    std::string UninstallDisplayName;
    std::string DefaultFolder;
    std::string StoredGroup;
    // Stage 2's copy of the hand-over.
    std::string ScratchFile;
    std::string ScratchRmDir;
    std::string ScratchRmTop;
    // How many times stage 2 tries the program file, once a second: well past the end of stage 1.
    int DeleteRetryLimit = 60;

    void DdeClientConv1Open();
    void Button1Click(ui::Component* sender);
    void Button2Click(ui::Component* sender);
    void Button3Click(ui::Component* sender);
    void Button4Click(ui::Component* sender);
    void CheckBoxBkColorClick(ui::Component* sender);
    void VANTE_COLORClick(ui::Component* sender);
    void Timer1Timer(ui::Component* sender);
    void Timer2Timer(ui::Component* sender);
    void Timer3Timer(ui::Component* sender);
    void TimerErOutTimer(ui::Component* sender);

protected:
    void FormCreate() override;
    bool FormCloseQuery() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void FormPaint();
    void PlaceComponents();
    // The install's steps after the first: false when it stopped (the window stays open).
    bool Install();
    // Makes every missing folder of `path` (ending in "\"), asking once; the install folder, or "" when
    // the install stopped.
    // `made` gets the highest folder it made.
    std::string MakeFolders(const std::string& path, const std::string& shownName, std::string& made);
    bool CopyProductFiles(const std::string& installFolder);
    void SendIconCommands(const std::string& group, const std::string& programPath);
    // An install that stops: Button3 back, the cursor back, the window open.
    void Refuse(const std::string& text, ui::Control* repaint);
    // Stage 1: ShowGroup then DeleteItem, for a group that has a name the commands can carry.
    void RemoveGroupIcon(const std::string& group);
    // The window's colours as stage 2 reads them.
    std::string ColorValue() const;
    std::string FontColorValue() const;
    void ApplyHandedColors(const std::string& color, const std::string& fontColor);
    // Stage 2 deletes only a program file of this product that the hand-over names in full.
    bool IsProgramToDelete(const std::string& path) const;
    // Stage 2's retries of the program file so far.
    int deleteAttempts_ = 0;
};

}  // namespace obsc32
