// The cover: a borderless, screen-sized window that hides the screen, driven from the tray.
#pragma once
#include <memory>
#include <optional>
#include <string>

#include "cover/cover_hot_key.hpp"
#include "cover/cover_owner.hpp"
#include "cover/cover_placement.hpp"
#include "cover/face_commands.hpp"
#include "cover/help_commands.hpp"
#include "cover/icon_commands.hpp"
#include "cover/pointer_hider.hpp"
#include "cover/tray_icon.hpp"
#include "settings/run_context.hpp"
#include "ui/dde.hpp"
#include "ui/form.hpp"
#include "ui/handles.hpp"
#include "ui/image.hpp"
#include "ui/menu.hpp"
#include "ui/open_dialog.hpp"
#include "ui/timer.hpp"
#include "widgets/TAboutBoxDlg.hpp"
#include "widgets/TMKBoxDlg.hpp"
#include "widgets/box_prompter.hpp"

namespace obsc32 {

inline constexpr UINT WM_SECOND_START = WM_USER + 1;
inline constexpr const char* kCoverClassName = "TOBSCURIO32VANTE";

class TOBSCURIO32VANTE : public ui::Form {
    // Declared first: destroyed after the cover's window.
    CoverOwner owner_;
    const RunContext run_;

public:
    explicit TOBSCURIO32VANTE(const RunContext& run);
    ~TOBSCURIO32VANTE() override;

    ui::Image Image1{this, "Image1"};
    ui::Timer Timer1{this, "Timer1", 300, false};
    TMKBoxDlg MKBoxDlg1{this, "MKBoxDlg1"};
    TAboutBoxDlg AboutBoxDlg1{this, "AboutBoxDlg1"};
    ui::OpenDialog OpenDialog1{this, "OpenDialog1"};
    ui::DdeClientConv DdeClientConv2{this, "DdeClientConv2"};

    ui::PopupMenu PopupMenu1{this, "PopupMenu1"};
    ui::MenuItem PKURO{this, "PKURO", "vaz"};
    ui::MenuItem PCapChan{this, "PCapChan", "キャプチャー画面"};
    ui::MenuItem PKABE{this, "PKABE", "壁紙"};
    ui::MenuItem N1{this, "N1"};
    ui::MenuItem P1{this, "P1", "一番上に、置く"};
    ui::MenuItem P2{this, "P2", "一番下に、置く"};
    ui::MenuItem N2{this, "N2"};
    ui::MenuItem P3{this, "P3", "元に戻す", false};
    ui::MenuItem N3{this, "N3"};
    ui::MenuItem PGET{this, "PGET", "画面取得（画面キャプチャー）"};
    ui::MenuItem PHAKI{this, "PHAKI", "画面破棄（キャプチャー画面破棄）"};
    ui::MenuItem N4{this, "N4"};
    ui::MenuItem P_KABE0{this, "P_KABE0", "壁紙表示位置"};
    ui::MenuItem PKG0{this, "PKG0", "中央"};
    ui::MenuItem PKG1{this, "PKG1", "並べる"};
    ui::MenuItem PKG2{this, "PKG2", "画面いっぱい"};
    ui::MenuItem PKG3{this, "PKG3", "左上"};
    ui::MenuItem PKG4{this, "PKG4", "左下"};
    ui::MenuItem PKG5{this, "PKG5", "右上"};
    ui::MenuItem PKG6{this, "PKG6", "右下"};
    ui::MenuItem N5{this, "N5"};
    ui::MenuItem PKBLoad{this, "PKBLoad", "壁紙ﾛｰﾄﾞ"};
    ui::MenuItem PBmpLoad{this, "PBmpLoad", "BMPﾛｰﾄﾞ"};
    ui::MenuItem N6{this, "N6"};
    ui::MenuItem PS0{this, "PS0", "自動立ち上げ"};
    ui::MenuItem PS1{this, "PS1", "立ち上げ時、一番上にする。", false};
    ui::MenuItem N7{this, "N7"};
    ui::MenuItem MICON0{this, "MICON0", "アイコンの登録／削除"};
    ui::MenuItem MICON_SET{this, "MICON_SET", "アイコンを、スタートアップにも、登録する (&S)"};
    ui::MenuItem MICON_DEL{this, "MICON_DEL", "アイコンを、スタートアップから、削除する (&S)"};
    ui::MenuItem N11{this, "N11"};
    ui::MenuItem MDESK_SET{this, "MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)"};
    ui::MenuItem MDESK_DEL{this, "MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)"};
    ui::MenuItem N8{this, "N8"};
    ui::MenuItem MHelp0{this, "MHelp0", "ヘルプ(&H)"};
    ui::MenuItem MHELP_MOKUJI{this, "MHELP_MOKUJI", "ヘルプ...(&H)"};
    ui::MenuItem MHELP_KEYWORD{this, "MHELP_KEYWORD", "キーワードで検索...(&K)"};
    ui::MenuItem N12{this, "N12"};
    ui::MenuItem MHELP_VERCUT{this, "MHELP_VERCUT", "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)"};
    ui::MenuItem N13{this, "N13"};
    ui::MenuItem MQ_A{this, "MQ_A", "問い合わせ先...(&Q)"};
    ui::MenuItem MAbout{this, "MAbout", "パージョン情報...(&V)"};
    ui::MenuItem N9{this, "N9"};
    ui::MenuItem PX{this, "PX", "終了する"};
    ui::MenuItem N10{this, "N10"};
    ui::MenuItem POUT{this, "POUT", "このメニューを閉じる"};

    ui::PopupMenu PopupMenu2{this, "PopupMenu2"};
    ui::MenuItem PL0{this, "PL0", "一番上、vaz"};
    ui::MenuItem PL1{this, "PL1", "一番上、キャプチャー画面"};
    ui::MenuItem PL2{this, "PL2", "一番上、壁紙"};
    ui::MenuItem N21{this, "N21"};
    ui::MenuItem PLHARIGAMI{this, "PLHARIGAMI", "壁紙貼り付け"};
    ui::MenuItem N22{this, "N22"};
    ui::MenuItem PLOUT{this, "PLOUT", "このメニューを閉じる"};

    // The commands the menus run.
    BoxPrompter Boxes{MKBoxDlg1};
    CoverPlacement Placement{*this, owner_, P1, P2, P3};
    FaceCommands Faces{run_,
                       Image1,
                       Placement,
                       OpenDialog1,
                       {PKURO, PCapChan, PKABE, PGET, PHAKI, PKBLoad, PBmpLoad, P_KABE0}};
    IconCommands Icons{run_, Boxes, DdeClientConv2};
    HelpCommands Help{run_, Boxes};
    PointerHider Pointer{*this};

    // Set from a tray click until its menu is up, and while a menu command shows a message.
    int MenuBusyFlag() const { return menuBusyFlag_; }
    // True while a tray callback runs.
    bool TrayHandling() const { return trayHandling_; }

    // Handlers.
    void Timer1Timer(ui::Component* sender);
    void PKUROClick(ui::Component* sender);
    void PCapChanClick(ui::Component* sender);
    void PKABEClick(ui::Component* sender);
    void PL0Click(ui::Component* sender);
    void P1Click(ui::Component* sender);
    void P2Click(ui::Component* sender);
    void P3Click(ui::Component* sender);
    void PKG0Click(ui::Component* sender);
    void PGETClick(ui::Component* sender);
    void PHAKIClick(ui::Component* sender);
    void PKBLoadClick(ui::Component* sender);
    void PBmpLoadClick(ui::Component* sender);
    void PLHARIGAMIClick(ui::Component* sender);
    void PS0Click(ui::Component* sender);
    void PXClick(ui::Component* sender);
    void FormMouseDown(ui::Component* sender, ui::MouseButton button, int x, int y);
    void PopupMenu1Popup(ui::Component* sender);
    void MICON0Click(ui::Component* sender);
    void MICON_SETClick(ui::Component* sender);
    void MDESK_SETClick(ui::Component* sender);
    void MHELP_MOKUJIClick(ui::Component* sender);
    void MHELP_KEYWORDClick(ui::Component* sender);
    void MHELP_VERCUTClick(ui::Component* sender);
    void MQ_AClick(ui::Component* sender);
    void MAboutClick(ui::Component* sender);
    // The global key: the last face where the placement says, or the cover taken away.
    void HotKeyToggle();

protected:
    void FormCreate() override;
    bool FormCloseQuery() override;
    bool FormMessage(UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) override;

private:
    void TrayNotify(LPARAM mouseMessage);
    // The menu item of the face chosen last; null for a stored face that is none of the three.
    ui::MenuItem* FaceItem();
    // The cover's bounds to every monitor (or the primary one); the screen's colour depth.
    int FitScreen();
    // A command's failure, beeped and told in a box that closes by itself.
    void Warn(const std::string& text);
    // Runs a face command, telling its failure.
    template <typename Command>
    void FaceCommand(Command command) {
        try {
            command();
        } catch (const ui::Error& e) {
            Warn(e.what());
        }
    }

    int ClosingGuard = 0;
    // What the cover covers, as last fitted: where its restore corner is.
    ScreenLayout screen_;
    std::unique_ptr<TrayIcon> tray_;
    int menuBusyFlag_ = 0;
    bool trayHandling_ = false;
    std::optional<CoverHotKey> hotKey_;
    bool hotKeyBusy_ = false;
    int hotKeyPresses_ = 0;
};

}  // namespace obsc32
