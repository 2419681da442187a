#include "app/settings_store.hpp"

#include "app/product.hpp"
#include "ui/component.hpp"
#include "ui/registry.hpp"

namespace obsc32 {

namespace {
std::string ReadOne(HKEY root, const std::string& key, const char* name) {
    ui::Registry reg(root);
    if (!reg.OpenKey(key, false)) return {};
    std::string value = reg.ReadString(name);
    reg.CloseKey();
    return value;
}
}  // namespace

int ReadStoredVersion() { return StoredVersion(ReadProductString("Version")); }

std::string ReadProductString(const char* name) { return ReadOne(HKEY_CURRENT_USER, ProductKey(), name); }

CoverSettings ReadCoverSettings() {
    ui::Registry reg(HKEY_CURRENT_USER);
    reg.OpenKey(ProductKey(), false);
    CoverSettings s = ParseCoverSettings([&](const char* name) { return reg.ReadString(name); });
    reg.CloseKey();
    return s;
}

void WriteCoverSettings(const CoverSettings& s) {
    ui::Registry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ProductKey(), true)) throw ui::Error("レジストリーを開けません");
    for (const auto& [name, value] : CoverSettingsValues(s)) reg.WriteString(name, value);
    reg.CloseKey();
}

std::string ReadSystemWallpaper() {
    return ReadOne(HKEY_USERS, ".Default\\Control Panel\\Desktop", "Wallpaper");
}

std::string ReadShellFolder(const char* name) {
    return ReadOne(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                   name);
}

}  // namespace obsc32
