// Puts a test's own function in place of one the program imports, for a scope: the program's calls reach
// it through the import table. For failures of the platform that the test prefix cannot give for real.
#pragma once
#include <windows.h>

namespace testing_wine {

class ImportPatch {
public:
    ImportPatch(const char* module, const char* name, void* replacement) : slot_(Slot(module, name)) {
        if (slot_) original_ = Exchange(replacement);
    }
    ~ImportPatch() {
        if (slot_) Exchange(original_);
    }
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    template <typename F>
    F Original() const {
        return reinterpret_cast<F>(original_);
    }

private:
    static void** Slot(const char* module, const char* name) {
        auto* base = reinterpret_cast<BYTE*>(GetModuleHandleA(nullptr));
        auto* nt =
            reinterpret_cast<IMAGE_NT_HEADERS*>(base + reinterpret_cast<IMAGE_DOS_HEADER*>(base)->e_lfanew);
        const IMAGE_DATA_DIRECTORY& dir = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
        void* target = reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA(module), name));
        for (auto* imp = reinterpret_cast<IMAGE_IMPORT_DESCRIPTOR*>(base + dir.VirtualAddress); imp->Name;
             ++imp)
            for (auto* t = reinterpret_cast<IMAGE_THUNK_DATA*>(base + imp->FirstThunk); t->u1.Function; ++t)
                if (reinterpret_cast<void*>(t->u1.Function) == target)
                    return reinterpret_cast<void**>(&t->u1.Function);
        return nullptr;
    }
    void* Exchange(void* to) {
        DWORD protect;
        VirtualProtect(slot_, sizeof *slot_, PAGE_READWRITE, &protect);
        void* was = *slot_;
        *slot_ = to;
        VirtualProtect(slot_, sizeof *slot_, protect, &protect);
        return was;
    }
    void** slot_;
    void* original_ = nullptr;
};

}  // namespace testing_wine
