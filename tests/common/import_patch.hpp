// Puts a test's own function in place of one the program imports, for a scope: the program's calls reach
// it through the import table. For failures of the platform that the test prefix cannot give for real, and
// for calls only a spy can see.
#pragma once
#include <windows.h>

namespace testing_common {

class ImportPatch {
public:
    ImportPatch(const char* module, const char* name, void* replacement);
    ~ImportPatch();
    ImportPatch(const ImportPatch&) = delete;
    ImportPatch& operator=(const ImportPatch&) = delete;

    bool Installed() const { return slot_ != nullptr; }
    template <typename F>
    F Original() const {
        return reinterpret_cast<F>(original_);
    }

private:
    void* Exchange(void* to);
    void** slot_;
    void* original_ = nullptr;
};

}  // namespace testing_common
