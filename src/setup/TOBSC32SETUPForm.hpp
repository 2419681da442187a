// The setup window: installs the program, or, hidden, runs an uninstall stage.
#pragma once
#include <array>
#include <string>

#include "settings/run_context.hpp"
#include "setup/installer.hpp"
#include "setup/uninstall_stage1.hpp"
#include "setup/uninstall_stage2.hpp"
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
#include "widgets/box_prompter.hpp"

namespace obsc32 {

inline constexpr const char* kSetupClassName = "TOBSC32SETUPForm";

class TOBSC32SETUPForm : public ui::Form {
    // Declared first: the commands below keep a reference to it.
    const RunContext run_;

public:
    explicit TOBSC32SETUPForm(const RunContext& run);

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
    std::array<std::string, 5> ProductFiles;
    std::string WindowTitleBase;
    std::string DefaultFolder;
    std::string StoredGroup;

    // The commands this window runs, as its role asks.
    BoxPrompter Boxes{MKBoxDlg1};
    Installer Install{run_, Boxes, DdeClientConv2};
    UninstallStage1 Stage1{run_, Boxes, DdeClientConv2};
    UninstallStage2 Stage2{run_};

    // The window's caption and colours as stage 2 is to show them: a system colour by its index.
    HandedLook Look() const;

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
    void ApplyHandedColors(const std::string& color, const std::string& fontColor);
    // Tells, repaints and closes: how every uninstall stage ends.
    void EndWith(const std::string& text);
    void EndAfterBox();
    // While an install runs, cancelling and closing are refused.
    bool installing_ = false;
};

}  // namespace obsc32
