#include "cover/cover_icons.hpp"

#include "cover/TOBSCURIO32VANTE.hpp"
#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/program_file.hpp"
#include "shell/sjis_path.hpp"
#include "ui/application.hpp"
#include "ui/busy_cursor.hpp"
#include "ui/scope_guard.hpp"

namespace obsc32 {

void StartupIcon(bool add, const std::string& programPath, const std::string& title, ui::DdeClientConv& conv,
                 const Notice& tell) {
    ui::BusyCursor busy;
    const std::string StartupGroupName = ReadStartupGroupName();
    if (StartupGroupName.empty()) {
        tell(kNoStartupGroup);
        return;
    }
    // A name the command cannot carry would leave Program Manager without a current group, and the item
    // command after it would act on whatever group that is, or none.
    if (!FitsInCommand(StartupGroupName)) {
        tell(std::string(kUnusableStartupGroup) + "\n" + SjisLeft(StartupGroupName, 64));
        return;
    }
    // Only the item command's result matters: the group usually exists already.
    (void)ProgmanExecute(CreateGroupCommand(StartupGroupName), conv);
    ui::Application::Instance().ProcessMessages();
    std::string result =
        ProgmanExecute(add ? AddItemCommand(programPath, title) : DeleteItemCommand(title), conv);
    if (!result.empty()) tell(result);
    ui::Application::Instance().ProcessMessages();
}

void TOBSCURIO32VANTE::WireIconMenu() {
    MICON0.OnClick = [this](ui::Component* s) { MICON0Click(s); };
    MICON_SET.OnClick = [this](ui::Component* s) { MICON_SETClick(s); };
    MICON_DEL.OnClick = MICON_SET.OnClick;
    MDESK_SET.OnClick = [this](ui::Component* s) { MDESK_SETClick(s); };
    MDESK_DEL.OnClick = MDESK_SET.OnClick;
}

void TOBSCURIO32VANTE::MICON0Click(ui::Component*) {
    // Never stored: the files say whether the icons are there, each time the submenu opens.
    MDESK_SET.Visible = !FileExists(DesktopShortcutPath);
    MDESK_DEL.Visible = !MDESK_SET.Visible;
    MICON_SET.Visible = !FileExists(StartupShortcutPath);
    MICON_DEL.Visible = !MICON_SET.Visible;
}

void TOBSCURIO32VANTE::MICON_SETClick(ui::Component* sender) {
    ui::BusyCursor busy;
    MenuBusyFlag = -1;
    ui::ScopeGuard idle([this] { MenuBusyFlag = 0; });
    StartupIcon(sender == &MICON_SET, ui::Application::Instance().ExeName(), ProductLongTitle, DdeClientConv2,
                [this](const std::string& text) { MKBoxDlg1.MsgOK(text); });
}

void TOBSCURIO32VANTE::MDESK_SETClick(ui::Component* sender) {
    ui::BusyCursor busy;
    MenuBusyFlag = -1;
    ui::ScopeGuard idle([this] { MenuBusyFlag = 0; });
    if (sender == &MDESK_DEL) {
        // Not reported: the submenu shows what is left.
        DeleteFileA(DesktopShortcutPath.c_str());
    } else if (FileExists(DesktopShortcutPath)) {
        MKBoxDlg1.MsgOK(kAlreadyOnDesktop);
    } else if (!CopyFileA(ProgramsShortcutPath.c_str(), DesktopShortcutPath.c_str(), FALSE)) {
        // The copy is of the shortcut the setup had Program Manager make in the program's group.
        MKBoxDlg1.MsgOK(std::string(kDesktopCopyFailed) + "\n" + ProductLongTitle);
    }
}

}  // namespace obsc32
