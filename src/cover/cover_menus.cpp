#include "cover/cover_menus.hpp"

namespace obsc32 {

CoverMenus::CoverMenus(ui::Component* owner) : owner_(owner) {
    P_KABE0.Add({&PKG0, &PKG1, &PKG2, &PKG3, &PKG4, &PKG5, &PKG6});
    // Each position's item by its number.
    int tag = 0;
    for (ui::MenuItem* item : P_KABE0.Items) item->Tag = tag++;
    MICON0.Add({&MICON_SET, &MICON_DEL, &N11, &MDESK_SET, &MDESK_DEL});
    MHelp0.Add({&MHELP_MOKUJI, &MHELP_KEYWORD, &N12, &MHELP_VERCUT, &N13, &MQ_A, &MAbout});
    PopupMenu1.Items.Add({&PKURO, &PCapChan, &PKABE,  &N1,      &P1,     &P2,      &N2,       &P3,  &N3,
                          &PGET,  &PHAKI,    &N4,     &P_KABE0, &N5,     &PKBLoad, &PBmpLoad, &N6,  &PS0,
                          &PS1,   &N7,       &MICON0, &N8,      &MHelp0, &N9,      &PX,       &N10, &POUT});
    PopupMenu2.Items.Add({&PL0, &PL1, &PL2, &N21, &PLHARIGAMI, &N22, &PLOUT});
    // The short menu's faces by their numbers.
    PL1.Tag = 1;
    PL2.Tag = 2;
}

void CoverMenus::ShowState(const CoverModel& cover, const FaceCommands& faces) {
    const int face = cover.FaceChosen() ? cover.Face() : -1;
    PKURO.Checked = face == 0;
    PCapChan.Checked = face == 1;
    PKABE.Checked = face == 2;
    P1.Checked = !cover.Bottom();
    P2.Checked = cover.Bottom();
    P3.Enabled = cover.Shown();
    PGET.Checked = faces.CaptureHeld();
    PHAKI.Checked = !faces.CaptureHeld();
    for (ui::MenuItem* item : P_KABE0.Items) item->Checked = item->Tag == static_cast<int>(faces.Position());
    PKBLoad.Checked = faces.SystemWallpaperSource();
    PBmpLoad.Checked = !faces.SystemWallpaperSource();
    PKBLoad.Caption = "壁紙ﾛｰﾄﾞ " + faces.SystemWallpaper();
    PBmpLoad.Caption = "BMPﾛｰﾄﾞ " + faces.BmpPath();
    PS0.Checked = cover.AutoStart();
    PS1.Checked = cover.StartOnTop();
    PS1.Enabled = cover.AutoStart();
}

void CoverMenus::ShowIcons(bool onDesktop, bool inStartup) {
    MDESK_SET.Visible = !onDesktop;
    MDESK_DEL.Visible = onDesktop;
    MICON_SET.Visible = !inStartup;
    MICON_DEL.Visible = inStartup;
}

ui::MenuItem* CoverMenus::Track(CoverMenu menu, HWND owner) {
    POINT pt{};
    GetCursorPos(&pt);
    return (menu == CoverMenu::Short ? PopupMenu2 : PopupMenu1).Track(pt.x, pt.y, owner);
}

}  // namespace obsc32
