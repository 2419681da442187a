// The install behind "設定": folders, files, registry values and Program Manager icons, in that order.
#include <vector>

#include "settings/product.hpp"
#include "settings/settings_store.hpp"
#include "settings/uninstall_store.hpp"
#include "setup/TOBSC32SETUPForm.hpp"
#include "setup/setup_values.hpp"
#include "setup/stop_point.hpp"
#include "setup/uninstall_values.hpp"
#include "shell/progman.hpp"
#include "shell/progman_commands.hpp"
#include "shell/sjis_path.hpp"
#include "ui/application.hpp"
#include "ui/busy_cursor.hpp"

namespace obsc32 {

namespace {
// The full path of a folder text, relative to the current directory; "" when it has none.
std::string FullFolderPath(const std::string& path) {
    DWORD size = GetFullPathNameA(path.c_str(), 0, nullptr, nullptr);
    if (size == 0) return {};
    std::string full(size, '\0');
    DWORD n = GetFullPathNameA(path.c_str(), size, full.data(), nullptr);
    if (n == 0 || n >= size) return {};
    full.resize(n);
    return full;
}

// CreateDirectory's own limit: MAX_PATH less room for an 8.3 name.
constexpr size_t kMaxFolderPath = MAX_PATH - 12;

std::string Upper(std::string text) {
    if (!text.empty()) CharUpperBuffA(text.data(), static_cast<DWORD>(text.size()));
    return text;
}
}  // namespace

void TOBSC32SETUPForm::Button3Click(ui::Component*) {
    auto& app = ui::Application::Instance();
    Button3.Hide();
    {
        ui::BusyCursor busy;
        app.ProcessMessages();
        bool done = false;
        try {
            done = Install();
        } catch (const ui::Error& e) {
            // A registry write that failed: what came before stays, "Version" is not written.
            MKBoxDlg1.MsgOK(e.what());
            Repaint();
        }
        if (done) {
            Repaint();
            Close();
            return;
        }
    }
    Button3.Show();
}

void TOBSC32SETUPForm::Refuse(const std::string& text, ui::Control* repaint) {
    Button3.Show();
    MessageBeep(MB_ICONEXCLAMATION);
    MKBoxDlg1.MsgOK(text);
    if (repaint)
        repaint->Repaint();
    else
        Repaint();
}

bool TOBSC32SETUPForm::Install() {
    auto& app = ui::Application::Instance();
    const std::string group = ComboBox1.Text();
    if (group.empty()) {
        Refuse(kNoGroupText, &ComboBox1);
        return false;
    }
    if (Edit1.Text().empty()) {
        Refuse(kNoFolderText, nullptr);
        return false;
    }
    // Program Manager reads such a name as part of its command and fails, or fails outright.
    if (!FitsInCommand(group)) {
        Refuse("[ " + SjisLeft(group, 64) + " ]\n" + kUnusableGroupText, &ComboBox1);
        return false;
    }

    const std::string full = FullFolderPath(Edit1.Text());
    // A text the system cannot make a path of (too long, say) would otherwise end up as the current
    // drive's root.
    if (full.empty()) {
        MKBoxDlg1.MsgOK("[ " + Edit1.Text() + " ]\n" + kFolderFailedText);
        Repaint();
        return false;
    }
    const std::string path = YenAdd(full);
    std::string made;
    const std::string installFolder = MakeFolders(path, YenCut(path), made);
    if (installFolder.empty()) return false;
    // Known at once: an install cut short before its entry leaves what it made to the next one.
    if (!made.empty()) WriteMadeFolder(MadeFolderRecord(made, {}, installFolder));
    StopPoint("install", 1);
    if (!CopyProductFiles(installFolder)) return false;
    const std::string installedExePath = installFolder + ProductFiles[0];

    app.ProcessMessages();
    WriteInstallPlace(YenCut(installFolder), group);
    StopPoint("install", 5);

    app.ProcessMessages();
    SendIconCommands(group, installedExePath);
    StopPoint("install", 6);
    if (CheckBoxST.Checked()) {
        const std::string startup = ReadStartupGroupName();
        if (startup.empty())
            MKBoxDlg1.MsgOK(kNoStartupGroup);
        else if (!FitsInCommand(startup))
            MKBoxDlg1.MsgOK(std::string(kUnusableStartupGroup) + "\n" + SjisLeft(startup, 64));
        else
            SendIconCommands(startup, installedExePath);
    }

    WriteUninstallEntry(UninstallDisplayName, installedExePath + " /uninstall",
                        MadeFolderRecord(made, ReadMadeFolder(), installFolder));
    StopPoint("install", 7);
    WriteInstalledVersion(ProgramVersion, CheckBoxBkColor.Checked(), VANTE_COLOR.Checked());
    StopPoint("install", 8);
    app.ProcessMessages();

    SetForegroundWindow(Handle());
    BringWindowToTop(Handle());
    MKBoxDlg1.MsgOK(CompletionText(group));
    return true;
}

std::string TOBSC32SETUPForm::MakeFolders(const std::string& path, const std::string& shownName,
                                          std::string& made) {
    std::vector<std::string> FolderLevels;
    YenLevels(path, FolderLevels);
    bool asked = false;
    for (std::string& level : FolderLevels) {
        level = YenCut(FullFolderPath(level));
        // A folder that can be made current exists; the deepest one that exists stays current.
        if (!level.empty() && SetCurrentDirectoryA(level.c_str())) continue;
        if (!asked) {
            asked = true;
            if (MKBoxDlg1.MsgYesNoTimer(shownName + "\n" + kMakeFolderQuestion, 6) != 6) return {};
        }
        // Windows makes no folder whose path leaves no room for an 8.3 file name; some file systems would,
        // and the program could not be started from there.
        if (level.empty() || level.size() > kMaxFolderPath || !CreateDirectoryA(level.c_str(), nullptr)) {
            MKBoxDlg1.MsgOK("[ " + level + " ]\n" + kFolderFailedText);
            Repaint();
            return {};
        }
        if (made.empty()) made = level;
    }
    std::string folder = FolderLevels.empty() ? std::string() : YenAdd(FolderLevels.back());
    if (folder == "\\") folder.clear();
    // An existing folder too deep for the program's own path is no place for it either.
    if (folder.empty() || folder.size() + ProductFiles[0].size() >= MAX_PATH) {
        MKBoxDlg1.MsgOK("[ " + folder + " ]\n" + kBadDataText);
        Repaint();
        return {};
    }
    return folder;
}

bool TOBSC32SETUPForm::CopyProductFiles(const std::string& installFolder) {
    // Installing over the running copy: the files are already there.
    if (Upper(ExeFolder) == Upper(installFolder)) return true;
    for (int i = 0; i < 3; ++i) {
        // Named after the product whatever the running file is called.
        const std::string& name = ProductFiles[static_cast<size_t>(i)];
        if (!CopyFileA((ExeFolder + name).c_str(), (installFolder + name).c_str(), FALSE)) {
            MKBoxDlg1.MsgOK(name + "\n" + kCopyFailedText);
            Repaint();
            return false;
        }
        StopPoint("install", 2 + i);
    }
    return true;
}

void TOBSC32SETUPForm::SendIconCommands(const std::string& group, const std::string& programPath) {
    auto& app = ui::Application::Instance();
    // A command that fails is not reported: the install goes on without that icon.
    (void)ProgmanExecute(CreateGroupCommand(group), DdeClientConv2);
    app.ProcessMessages();
    (void)ProgmanExecute(AddItemCommand(programPath, ProductLongTitle), DdeClientConv2);
    app.ProcessMessages();
}

}  // namespace obsc32
