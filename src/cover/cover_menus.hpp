// The cover's two tray menus, their items in their order with their captions. Nothing is kept in them: each
// time a menu opens it shows what the cover is.
#pragma once
#include <windows.h>

#include "cover/cover_model.hpp"
#include "cover/face_commands.hpp"
#include "ui/menu.hpp"

namespace obsc32 {

class CoverMenus {
    ui::Component* const owner_;

public:
    explicit CoverMenus(ui::Component* owner);

    ui::PopupMenu PopupMenu1{owner_, "PopupMenu1"};
    ui::MenuItem PKURO{owner_, "PKURO", "vaz"};
    ui::MenuItem PCapChan{owner_, "PCapChan", "キャプチャー画面"};
    ui::MenuItem PKABE{owner_, "PKABE", "壁紙"};
    ui::MenuItem N1{owner_, "N1"};
    ui::MenuItem P1{owner_, "P1", "一番上に、置く"};
    ui::MenuItem P2{owner_, "P2", "一番下に、置く"};
    ui::MenuItem N2{owner_, "N2"};
    ui::MenuItem P3{owner_, "P3", "元に戻す", false};
    ui::MenuItem N3{owner_, "N3"};
    ui::MenuItem PGET{owner_, "PGET", "画面取得（画面キャプチャー）"};
    ui::MenuItem PHAKI{owner_, "PHAKI", "画面破棄（キャプチャー画面破棄）"};
    ui::MenuItem N4{owner_, "N4"};
    ui::MenuItem P_KABE0{owner_, "P_KABE0", "壁紙表示位置"};
    ui::MenuItem PKG0{owner_, "PKG0", "中央"};
    ui::MenuItem PKG1{owner_, "PKG1", "並べる"};
    ui::MenuItem PKG2{owner_, "PKG2", "画面いっぱい"};
    ui::MenuItem PKG3{owner_, "PKG3", "左上"};
    ui::MenuItem PKG4{owner_, "PKG4", "左下"};
    ui::MenuItem PKG5{owner_, "PKG5", "右上"};
    ui::MenuItem PKG6{owner_, "PKG6", "右下"};
    ui::MenuItem N5{owner_, "N5"};
    ui::MenuItem PKBLoad{owner_, "PKBLoad", "壁紙ﾛｰﾄﾞ"};
    ui::MenuItem PBmpLoad{owner_, "PBmpLoad", "BMPﾛｰﾄﾞ"};
    ui::MenuItem N6{owner_, "N6"};
    ui::MenuItem PS0{owner_, "PS0", "自動立ち上げ"};
    ui::MenuItem PS1{owner_, "PS1", "立ち上げ時、一番上にする。", false};
    ui::MenuItem N7{owner_, "N7"};
    ui::MenuItem MICON0{owner_, "MICON0", "アイコンの登録／削除"};
    ui::MenuItem MICON_SET{owner_, "MICON_SET", "アイコンを、スタートアップにも、登録する (&S)"};
    ui::MenuItem MICON_DEL{owner_, "MICON_DEL", "アイコンを、スタートアップから、削除する (&S)"};
    ui::MenuItem N11{owner_, "N11"};
    ui::MenuItem MDESK_SET{owner_, "MDESK_SET", "アイコンを、デスクトップにも、登録する (&D)"};
    ui::MenuItem MDESK_DEL{owner_, "MDESK_DEL", "アイコンを、デスクトップから、削除する (&D)"};
    ui::MenuItem N8{owner_, "N8"};
    ui::MenuItem MHelp0{owner_, "MHelp0", "ヘルプ(&H)"};
    ui::MenuItem MHELP_MOKUJI{owner_, "MHELP_MOKUJI", "ヘルプ...(&H)"};
    ui::MenuItem MHELP_KEYWORD{owner_, "MHELP_KEYWORD", "キーワードで検索...(&K)"};
    ui::MenuItem N12{owner_, "N12"};
    ui::MenuItem MHELP_VERCUT{owner_, "MHELP_VERCUT", "ﾊﾞｰｼﾞｮﾝ番号削除...(&C)"};
    ui::MenuItem N13{owner_, "N13"};
    ui::MenuItem MQ_A{owner_, "MQ_A", "問い合わせ先...(&Q)"};
    ui::MenuItem MAbout{owner_, "MAbout", "パージョン情報...(&V)"};
    ui::MenuItem N9{owner_, "N9"};
    ui::MenuItem PX{owner_, "PX", "終了する"};
    ui::MenuItem N10{owner_, "N10"};
    ui::MenuItem POUT{owner_, "POUT", "このメニューを閉じる"};

    ui::PopupMenu PopupMenu2{owner_, "PopupMenu2"};
    ui::MenuItem PL0{owner_, "PL0", "一番上、vaz"};
    ui::MenuItem PL1{owner_, "PL1", "一番上、キャプチャー画面"};
    ui::MenuItem PL2{owner_, "PL2", "一番上、壁紙"};
    ui::MenuItem N21{owner_, "N21"};
    ui::MenuItem PLHARIGAMI{owner_, "PLHARIGAMI", "壁紙貼り付け"};
    ui::MenuItem N22{owner_, "N22"};
    ui::MenuItem PLOUT{owner_, "PLOUT", "このメニューを閉じる"};

    // The check marks, captions and enabled items from what the cover is.
    void ShowState(const CoverModel& cover, const FaceCommands& faces);
    // The icon submenu offers to add what is not there and to remove what is.
    void ShowIcons(bool onDesktop, bool inStartup);
    // Shows a menu at the pointer, owned by `owner`, until it closes; the item chosen, or none.
    ui::MenuItem* Track(CoverMenu menu, HWND owner);
};

}  // namespace obsc32
