#include "settings/uninstall_store.hpp"

#include "settings/key_writer.hpp"
#include "settings/product.hpp"
#include "ui/registry.hpp"

namespace obsc32 {

namespace {
constexpr const char* kMadeFolder = "MadeFolder";
}

void WriteHandOver(const HandOver& h) {
    KeyWriter writer(HKEY_CURRENT_USER, ScratchKey);
    for (auto [name, value] : {std::pair{"File", &h.File},
                               {"Title", &h.Title},
                               {"RmDir", &h.RmDir},
                               {"Color", &h.Color},
                               {"FColor", &h.FColor},
                               {"RmTop", &h.RmTop}})
        writer.Write(name, *value);
}

HandOver TakeHandOver() {
    HandOver h;
    ui::Registry reg(HKEY_CURRENT_USER);
    if (!reg.OpenKey(ScratchKey, false).Ok()) return h;
    h = {reg.ReadString("File"),  reg.ReadString("Title"),  reg.ReadString("RmDir"),
         reg.ReadString("Color"), reg.ReadString("FColor"), reg.ReadString("RmTop")};
    reg.CloseKey();
    (void)reg.DeleteKey(ScratchKey);
    return h;
}

void DeleteHandOver() { (void)ui::Registry(HKEY_CURRENT_USER).DeleteKey(ScratchKey); }

std::string ReadMadeFolder() {
    // This user's own entry, when this user's install wrote one, over the machine's, which may be another
    // user's. Every install writes the record, an empty one too.
    for (HKEY root : {HKEY_CURRENT_USER, HKEY_LOCAL_MACHINE}) {
        ui::Registry reg(root);
        if (reg.OpenKey(UninstallKey, false).Ok() && reg.ValueExists(kMadeFolder))
            return reg.ReadString(kMadeFolder);
    }
    return {};
}

bool CanRemoveUninstallEntry() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        const ui::RegResult r = ui::Registry(root).CanDeleteKey(UninstallKey);
        if (!r.Ok() && r.Code != ERROR_FILE_NOT_FOUND) return false;
    }
    return true;
}

void RemoveUninstallEntry() {
    // Not reported: stage 1 found both removable before it removed anything.
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER})
        (void)ui::Registry(root).DeleteKey(UninstallKey);
}

}  // namespace obsc32
