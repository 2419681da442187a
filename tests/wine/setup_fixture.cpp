#include "wine/setup_fixture.hpp"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include "common/registry.hpp"
#include "common/text.hpp"
#include "settings/product.hpp"
#include "ui/application.hpp"
#include "ui/registry.hpp"

namespace testing_wine {

void DeleteUninstallEntries() {
    for (HKEY root : {HKEY_LOCAL_MACHINE, HKEY_CURRENT_USER}) {
        // A test may have left it read-only; its owner may always give the access back.
        HKEY key;
        PSECURITY_DESCRIPTOR open = nullptr;
        if (RegOpenKeyExA(root, obsc32::UninstallKey, 0, WRITE_DAC, &key) == ERROR_SUCCESS) {
            if (ConvertStringSecurityDescriptorToSecurityDescriptorA("D:(A;;KA;;;WD)", SDDL_REVISION_1, &open,
                                                                     nullptr))
                RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, open);
            LocalFree(open);
            RegCloseKey(key);
        }
        (void)ui::Registry(root).DeleteKey(obsc32::UninstallKey);
    }
}

void SetupFixture::SetUp() {
    DeleteProductKeys();
    DeleteUninstallEntries();
    RemoveTree(kSetupRoot);
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(kSetupRoot).c_str(), nullptr));
    ASSERT_TRUE(CreateDirectoryW(testing_common::W(Source()).c_str(), nullptr));
    for (const char* name : {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP", "OBSC32.HTM"})
        ASSERT_NO_FATAL_FAILURE(WriteFile(Source() + name, std::string("the distribution's ") + name));
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    savedFolder_ = folder;
    SetCurrentDirectoryW(testing_common::W(kSetupRoot).c_str());
}

void SetupFixture::TearDown() {
    auto& app = ui::Application::Instance();
    app.Reset();
    app.SetTitle(obsc32::ProductTitle);
    SetCurrentDirectoryW(testing_common::W(savedFolder_).c_str());
    RemoveTree(kSetupRoot);
    DeleteProductKeys();
    DeleteUninstallEntries();
}

obsc32::TOBSC32SETUPForm& SetupFixture::Create(obsc32::StartModes mode, const std::string& firstArgument) {
    run_.StartMode = mode;
    run_.FirstArgument = firstArgument;
    auto& form = ui::Application::Instance().CreateForm<obsc32::TOBSC32SETUPForm>(run_);
    EXPECT_TRUE(form.HandleAllocated());
    if (mode == obsc32::StartModes::Normal) form.Show();
    return form;
}

void SetupFixture::WriteFile(const std::string& path, const std::string& text) {
    HANDLE f =
        CreateFileW(testing_common::W(path).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    ::WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

bool SetupFixture::IsFile(const std::string& path) {
    DWORD a = GetFileAttributesW(testing_common::W(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetupFixture::IsFolder(const std::string& path) {
    DWORD a = GetFileAttributesW(testing_common::W(path).c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SetupFixture::UninstallValue(HKEY root, const char* name) {
    ui::Registry reg(root);
    if (!reg.OpenKey(obsc32::UninstallKey, false).Ok()) return "<none>";
    return reg.ReadString(name);
}

void SetupFixture::MakeMachineEntryReadOnly() {
    HKEY key = nullptr;
    PSECURITY_DESCRIPTOR readOnly = nullptr;
    ASSERT_TRUE(!RegCreateKeyExA(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                 nullptr, &key, nullptr) &&
                ConvertStringSecurityDescriptorToSecurityDescriptorA("D:P(A;;KR;;;WD)", SDDL_REVISION_1,
                                                                     &readOnly, nullptr));
    const LONG set = RegSetKeySecurity(key, DACL_SECURITY_INFORMATION, readOnly);
    RegCloseKey(key);
    LocalFree(readOnly);
    ASSERT_EQ(set, ERROR_SUCCESS);
    ASSERT_FALSE(testing_common::registry::SetString(HKEY_LOCAL_MACHINE, obsc32::UninstallKey, "x", ""))
        << "the registry did not keep the key read-only";
}

}  // namespace testing_wine
