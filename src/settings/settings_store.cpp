#include "settings/settings_store.hpp"

#include <utility>

#include "settings/key_writer.hpp"
#include "settings/product.hpp"
#include "ui/registry.hpp"
#include "ui/startup_trace.hpp"

namespace obsc32 {

namespace {
std::string ReadOne(HKEY root, const std::string& key, const char* name) {
    ui::Registry reg(root);
    // An absent key reads as an empty value.
    (void)reg.OpenKey(key, false);
    return reg.ReadString(name);
}

struct ProductWriter : KeyWriter {
    ProductWriter() : KeyWriter(HKEY_CURRENT_USER, ProductKey) {}
};
}  // namespace

int ReadStoredVersion() { return StoredVersion(ReadProductString("Version")); }

std::string ReadProductString(const char* name) { return ReadOne(HKEY_CURRENT_USER, ProductKey, name); }

CoverSettings ReadCoverSettings() {
    ui::Registry reg(HKEY_CURRENT_USER);
    (void)reg.OpenKey(ProductKey, false);
    CoverSettings s = ParseCoverSettings([&](const char* name) { return reg.ReadString(name); });
    reg.CloseKey();
    ui::TraceStep("settings read");
    return s;
}

void WriteCoverSettings(const CoverSettings& s) {
    ProductWriter writer;
    for (const auto& [name, value] : CoverSettingsValues(s)) writer.Write(name, value);
}

StoredHotKey ReadStoredHotKey() {
    ui::Registry reg(HKEY_CURRENT_USER);
    (void)reg.OpenKey(ProductKey, false);
    const std::optional<DWORD> type = reg.ValueType("HotKey");
    if (!type) return {};
    if (*type != REG_SZ && *type != REG_EXPAND_SZ) return {StoredHotKey::Kind::NotText, ""};
    return {StoredHotKey::Kind::Text, reg.ReadString("HotKey")};
}

void WriteHotKey(const std::string& text) { ProductWriter().Write("HotKey", text); }

SetupSettings ReadSetupSettings() {
    ui::Registry reg(HKEY_CURRENT_USER);
    (void)reg.OpenKey(ProductKey, false);
    SetupSettings s;
    s.ExePath = reg.ReadString("EXEPATH");
    s.Group = reg.ReadString("Group");
    s.BackColor = NumberSetting(reg.ReadString("BackColor"), 0, 0) != 0;
    s.VanteColor = NumberSetting(reg.ReadString("VANTE_COLOR"), 1, 1) != 0;
    reg.CloseKey();
    return s;
}

void WriteInstallPlace(const std::string& exePath, const std::string& group) {
    ProductWriter writer;
    writer.Write("EXEPATH", exePath);
    writer.Write("Group", group);
}

void WriteInstalledVersion(int version, bool backColor, bool vanteColor) {
    ProductWriter writer;
    writer.Write("Version", std::to_string(version));
    writer.Write("BackColor", backColor ? "1" : "0");
    writer.Write("VANTE_COLOR", vanteColor ? "1" : "0");
}

void ClearStoredVersion() { ProductWriter().Write("Version", ""); }

// What cannot be removed stays and the uninstall goes on: it reports none of these.
void RemoveVersionValues() {
    ui::Registry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ProductKey, true).Ok()) return;
    (void)reg.DeleteValue("Version");
    (void)reg.DeleteValue("REC_TXT");
}

void RemoveProductSettings() {
    ui::Registry reg(HKEY_CURRENT_USER);
    (void)reg.DeleteKey(ProductKey);
    if (!reg.OpenKey(MakerKey, false).Ok()) return;
    // The maker key is shared with other products: it goes only when it is empty.
    bool empty = reg.GetKeyNames().empty() && reg.GetValueNames().empty();
    reg.CloseKey();
    if (empty) (void)reg.DeleteKey(MakerKey);
}

namespace {
// Without administrator rights the machine's list cannot be written: the user's own list holds per-user
// programs.
HKEY UninstallRoot() {
    ui::Registry probe(HKEY_LOCAL_MACHINE);
    return probe.OpenKey(UninstallKey, true).Ok() ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}
}  // namespace

std::optional<std::string> WriteMadeFolder(const std::string& madeFolder) {
    const HKEY root = UninstallRoot();
    ui::Registry reg(root);
    std::optional<std::string> earlier;
    if (reg.OpenKey(UninstallKey, false).Ok() && reg.ValueExists("MadeFolder"))
        earlier = reg.ReadString("MadeFolder");
    KeyWriter(root, UninstallKey).Write("MadeFolder", madeFolder);
    return earlier;
}

void PutBackMadeFolder(const std::optional<std::string>& earlier) {
    if (earlier) {
        (void)WriteMadeFolder(*earlier);
        return;
    }
    ui::Registry reg(UninstallRoot());
    if (!reg.OpenKey(UninstallKey, false).Ok()) return;
    (void)reg.DeleteValue("MadeFolder");
    // An entry that held nothing else goes with it.
    const bool empty = reg.GetKeyNames().empty() && reg.GetValueNames().empty();
    reg.CloseKey();
    if (empty) (void)reg.DeleteKey(UninstallKey);
}

void WriteUninstallEntry(const UninstallEntry& e) {
    KeyWriter writer(UninstallRoot(), UninstallKey);
    writer.Write("DisplayName", e.DisplayName);
    writer.Write("UninstallString", e.UninstallString);
    writer.Write("MadeFolder", e.MadeFolder);
    writer.Write("DisplayIcon", e.DisplayIcon);
    writer.Write("DisplayVersion", e.DisplayVersion);
    writer.Write("Publisher", e.Publisher);
    writer.Write("InstallLocation", e.InstallLocation);
    writer.WriteNumber("EstimatedSize", e.EstimatedSizeKb);
    // The program has nothing to change or repair: the list offers only its removal.
    writer.WriteNumber("NoModify", 1);
    writer.WriteNumber("NoRepair", 1);
}

std::string ReadStartupGroupName() {
    return ReadOne(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\MapGroups",
                   "StartUp");
}

std::string ReadSystemWallpaper() {
    return ReadOne(HKEY_USERS, ".Default\\Control Panel\\Desktop", "Wallpaper");
}

ShellFolders ReadShellFolders() {
    ui::Registry reg(HKEY_CURRENT_USER);
    (void)reg.OpenKey("Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", false);
    ShellFolders f{reg.ReadString("Programs"), reg.ReadString("Desktop"), reg.ReadString("Startup")};
    reg.CloseKey();
    ui::TraceStep("shell folders read");
    return f;
}

}  // namespace obsc32
