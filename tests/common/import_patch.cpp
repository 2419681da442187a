#include "common/import_patch.hpp"

namespace testing_common {

namespace {
// The import table entry of this program that holds the function, or null.
void** Slot(const char* module, const char* name) {
    auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
    auto* nt =
        reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    void* target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name));
    for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name; ++imp)
        for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk); t->u1.Function; ++t)
            if (reinterpret_cast<void*>(t->u1.Function) == target)
                return reinterpret_cast<void**>(&t->u1.Function);
    return nullptr;
}
}  // namespace

ImportPatch::ImportPatch(const char* module, const char* name, void* replacement)
    : slot_(Slot(module, name)) {
    if (slot_) original_ = Exchange(replacement);
}

ImportPatch::~ImportPatch() {
    if (slot_) Exchange(original_);
}

void* ImportPatch::Exchange(void* to) {
    DWORD protect;
    VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protect);
    void* was = *slot_;
    *slot_ = to;
    VirtualProtect(slot_, sizeof *slot_, protect, &protect);
    return was;
}

}  // namespace testing_common
