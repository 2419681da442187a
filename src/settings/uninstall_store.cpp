#include "settings/uninstall_store.hpp"

#include "settings/product.hpp"
#include "ui/registry.hpp"

namespace obsc32 {

namespace {
constexpr const char* kMadeFolder = "MadeFolder";
}

bool WriteHandOver(const HandOver& h) {
    ui::Registry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ScratchKey, true)) return false;
    bool written = true;
    for (auto [name, value] : {std::pair{"File", &h.File},
                               {"Title", &h.Title},
                               {"RmDir", &h.RmDir},
                               {"Color", &h.Color},
                               {"FColor", &h.FColor},
                               {"RmTop", &h.RmTop}})
        written = reg.WriteString(name, *value) && written;
    return written;
}

HandOver TakeHandOver() {
    HandOver h;
    ui::Registry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ScratchKey, false)) return h;
    h = {reg.ReadString("File"),  reg.ReadString("Title"),  reg.ReadString("RmDir"),
         reg.ReadString("Color"), reg.ReadString("FColor"), reg.ReadString("RmTop")};
    reg.CloseKey();
    reg.DeleteKey(ScratchKey);
    return h;
}

void DeleteHandOver() { ui::Registry(HKEY_CURRENT_USER).DeleteKey(ScratchKey); }

std::string ReadMadeFolder() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        ui::Registry reg(root);
        if (reg.OpenKey(UninstallKey, false)) return reg.ReadString(kMadeFolder);
    }
    return {};
}

void RemoveUninstallEntry() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) ui::Registry(root).DeleteKey(UninstallKey);
}

}  // namespace obsc32
