#include "setup_bench_env.hpp"

#include "common/files.hpp"
#include "common/text.hpp"

namespace setup_bench {

namespace {
bool WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE f =
        CreateFileW(testing_common::W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return false;
    DWORD written = 0;
    const bool ok = ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
    return ok && written == text.size();
}
}  // namespace

// The program with its guide and help, from the build's dist folder when it has them, else stand-ins.
bool MakeDistribution(const std::string& dist, const std::string& exe, const std::string& exeDir) {
    testing_common::RemoveTree(dist);
    if (!CreateDirectoryW(testing_common::W(dist).c_str(), nullptr)) return false;
    if (!CopyFileW(testing_common::W(exe).c_str(), testing_common::W(dist + "\\OBSC32.EXE").c_str(), FALSE))
        return false;
    for (const char* name : {"OBSC32.TXT", "OBSC32.HLP"}) {
        const std::string built = exeDir + "dist\\" + name, copy = dist + "\\" + name;
        if (testing_common::Exists(built)
                ? !CopyFileW(testing_common::W(built).c_str(), testing_common::W(copy).c_str(), FALSE)
                : !WriteTextFile(copy, std::string("stand-in ") + name + "\r\n"))
            return false;
    }
    return true;
}

}  // namespace setup_bench
