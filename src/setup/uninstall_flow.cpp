// The two-stage uninstall in the hidden setup window. Stage 1 runs in the installed program: it removes
// icons, documents and settings, then hands the program file to a copy of itself in the Windows folder,
// stage 2, which deletes it once stage 1 has ended and removes the folders left empty.
#include <string>

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/TOBSC32SETUPForm.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/program_file.hpp"
#include "shell/sjis_path.hpp"
#include "shell/windir.hpp"
#include "ui/application.hpp"

namespace obsc32 {

namespace {
// A system colour goes as its index with the top bit set, so stage 2 shows it in its own scheme.
std::string ColorText(COLORREF color, std::initializer_list<int> systemColors, bool system) {
    if (system)
        for (int index : systemColors)
            if (GetSysColor(index) == color) return std::to_string(static_cast<int>(0x80000000u | index));
    return std::to_string(static_cast<int>(color));
}

COLORREF ColorOf(int value) {
    return value < 0 ? GetSysColor(value & 0xFF) : static_cast<COLORREF>(value) & 0xFFFFFF;
}
}  // namespace

void TOBSC32SETUPForm::Timer1Timer(ui::Component*) {
    auto& app = ui::Application::Instance();
    (void)Timer1.SetEnabled(false);
    if (MKBoxDlg1.MsgYesNoTimer(UninstallDisplayName + "\n" + kUninstallQuestion, 6) != 6) {
        MKBoxDlg1.MsgOK(kUninstallCancelled);
        Repaint();
        Close();
        return;
    }
    // The record of the folders the install made goes with the entry, so stage 2 gets it handed over.
    const std::string madeFolder = ReadMadeFolder();
    StopPoint("uninstall", 1);
    RemoveGroupIcon(ReadProductString("Group"));
    const std::string startup = ReadStartupGroupName();
    app.ProcessMessages();
    RemoveGroupIcon(startup);
    StopPoint("uninstall", 2);
    const std::string desktop = ReadShellFolders().Desktop;
    if (!desktop.empty()) {
        const std::string shortcut = YenAdd(desktop) + ProductLongTitle + ".lnk";
        if (FileExists(shortcut)) DeleteFileA(shortcut.c_str());
    }
    for (int i = 1; i < 4; ++i) DeleteFileA((ExeFolder + ProductFiles[static_cast<size_t>(i)]).c_str());
    StopPoint("uninstall", 3);
    RemoveVersionValues();
    StopPoint("uninstall", 4);
    if (MKBoxDlg1.MsgYesNoTimer(kRegistryQuestion, 6) == 6) RemoveProductSettings();
    StopPoint("uninstall", 5);

    // An older copy must never run a newer version's uninstall: anything but this very file is replaced.
    const std::string self = ui::Application::ExeName();
    const std::string temp = WinDir + UninstallerName;
    if (!SameFileBytes(self, temp)) CopyFileA(self.c_str(), temp.c_str(), FALSE);
    StopPoint("uninstall", 6);
    app.ProcessMessages();
    (void)WriteHandOver({self, Caption(), "", ColorValue(), FontColorValue(), madeFolder});
    StopPoint("uninstall", 7);
    // Removed only now: a stage 1 cut short before this leaves the entry, and the shell can start it again.
    RemoveUninstallEntry();

    // Neither stage may hold the install folder as its current directory; stage 2 inherits this one.
    const bool moved = SetCurrentDirectoryA(YenCut(WinDir).c_str()) != FALSE;
    app.ProcessMessages();
    const char* failure = nullptr;
    if (!moved)
        failure = kStartFailed2;
    else if (WinExec(("\"" + temp + "\" \"/DeleteFile\"").c_str(), SW_SHOW) < 32)
        failure = kStartFailed1;
    if (failure) MKBoxDlg1.MsgOK(failure);
    Repaint();
    if (failure) DeleteHandOver();
    Close();
}

void TOBSC32SETUPForm::RemoveGroupIcon(const std::string& group) {
    // A name the commands cannot carry would show or delete in some other group, or upset Program Manager.
    if (group.empty() || !FitsInCommand(group)) return;
    auto& app = ui::Application::Instance();
    (void)ProgmanExecute(ShowGroupCommand(group), DdeClientConv2);
    app.ProcessMessages();
    (void)ProgmanExecute(DeleteItemCommand(ProductLongTitle), DdeClientConv2);
    app.ProcessMessages();
}

std::string TOBSC32SETUPForm::ColorValue() const {
    return ColorText(Color(), {COLOR_BTNFACE, COLOR_WINDOW}, !VANTE_COLOR.Checked());
}

std::string TOBSC32SETUPForm::FontColorValue() const {
    return ColorText(FontColor(), {COLOR_WINDOWTEXT}, !VANTE_COLOR.Checked());
}

void TOBSC32SETUPForm::Timer2Timer(ui::Component*) {
    auto& app = ui::Application::Instance();
    (void)Timer2.SetEnabled(false);
    // Gone before anything can fail, so no later start reads it again.
    const HandOver handed = TakeHandOver();
    StopPoint("uninstall2", 1);
    ScratchFile = handed.File;
    SetCaption(handed.Title);
    ScratchRmDir = handed.RmDir;
    ScratchRmTop = handed.RmTop;
    ApplyHandedColors(handed.Color, handed.FColor);
    if (Caption().empty()) SetCaption(StageTwoCaption(UninstallerNumber));
    app.SetTitle(Caption());

    if (FirstArgument == "/DeleteFile" && IsProgramToDelete(ScratchFile)) {
        // Stage 1 may still be running it: Timer3 tries again.
        DeleteFileA(ScratchFile.c_str());
        (void)Timer3.SetEnabled(true);
        return;
    }
    VANTE_COLOR.SetChecked(false);
    VANTE_COLORClick(&VANTE_COLOR);
    SetCaption(StageTwoCaption(UninstallerNumber));
    app.SetTitle(Caption());
    MKBoxDlg1.MsgOK(kParameterError);
    Repaint();
    Close();
}

void TOBSC32SETUPForm::ApplyHandedColors(const std::string& color, const std::string& fontColor) {
    const HandedColors read = ReadHandedColors(color, fontColor);
    if (read.Color) SetColor(ColorOf(*read.Color));
    if (read.FontColor) SetFontColor(ColorOf(*read.FontColor));
}

bool TOBSC32SETUPForm::IsProgramToDelete(const std::string& path) const {
    if (!IsUsableHandOverFile(path) || !FileExists(path)) return false;
    // Never the running copy itself, and nothing that is not this product's program.
    if (SjisCase(path, false) == SjisCase(ui::Application::ExeName(), false)) return false;
    return InternalNameOf(path) == ProductCode;
}

void TOBSC32SETUPForm::Timer3Timer(ui::Component*) {
    (void)Timer3.SetEnabled(false);
    if (FileExists(ScratchFile) && !DeleteFileA(ScratchFile.c_str())) {
        if (++deleteAttempts_ < DeleteRetryLimit) {
            (void)Timer3.SetEnabled(true);
            return;
        }
        // Given up: the folders stay, as the file is still in one of them.
        MKBoxDlg1.MsgOK(std::string(kFileNotDeleted) + "\n" + ScratchFile);
        Repaint();
        Close();
        return;
    }
    if (ScratchRmDir != "n")
        for (const std::string& folder : FoldersToRemove(ScratchFile, ScratchRmTop, WinDir))
            if (!RemoveDirectoryA(folder.c_str())) break;
    MKBoxDlg1.MsgOK(kUninstallDone);
    Repaint();
    Close();
}

void TOBSC32SETUPForm::TimerErOutTimer(ui::Component*) {
    (void)TimerErOut.SetEnabled(false);
    MKBoxDlg1.MsgOK(kStillRunning);
    Repaint();
    Close();
}

}  // namespace obsc32
