#include "wine/setup_fixture.hpp"

#include <windows.h>
// After windows.h, which it needs.
#include <sddl.h>

#include <utility>

#include "settings/product.hpp"
#include "ui/application.hpp"
#include "ui/registry.hpp"
#include "wine/dde_server.hpp"

namespace testing_wine {

namespace {
void WriteTextFile(const std::string& path, const std::string& text) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    ASSERT_NE(f, INVALID_HANDLE_VALUE) << path;
    DWORD written = 0;
    WriteFile(f, text.data(), static_cast<DWORD>(text.size()), &written, nullptr);
    CloseHandle(f);
}

}  // namespace

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
        ui::Registry reg(root);
        reg.DeleteKey(obsc32::UninstallKey);
    }
}

void SetupFixture::SetUp() {
    DeleteProductKeys();
    DeleteUninstallEntries();
    RemoveTree(kSetupRoot);
    ASSERT_TRUE(CreateDirectoryA(kSetupRoot, nullptr));
    ASSERT_TRUE(CreateDirectoryA(Source().c_str(), nullptr));
    for (const char* name : {"OBSC32.EXE", "OBSC32.TXT", "OBSC32.HLP"})
        ASSERT_NO_FATAL_FAILURE(WriteTextFile(Source() + name, std::string("the distribution's ") + name));
    char folder[MAX_PATH] = {};
    GetCurrentDirectoryA(MAX_PATH, folder);
    savedFolder_ = folder;
    SetCurrentDirectoryA(kSetupRoot);
    savedExeFolder_ = obsc32::ExeFolder;
    obsc32::ExeFolder = Source();
    obsc32::StartMode = obsc32::StartModes::Normal;
}

void SetupFixture::TearDown() {
    auto& app = ui::Application::Instance();
    app.Reset();
    app.SetTitle(obsc32::ProductTitle);
    SetCurrentDirectoryA(savedFolder_.c_str());
    obsc32::ExeFolder = savedExeFolder_;
    RemoveTree(kSetupRoot);
    DeleteProductKeys();
    DeleteUninstallEntries();
}

obsc32::TOBSC32SETUPForm& SetupFixture::Create() {
    form_ = &ui::Application::Instance().CreateForm<obsc32::TOBSC32SETUPForm>();
    EXPECT_TRUE(form_->HandleAllocated());
    form_->Show();
    return *form_;
}

SetupFixture::Installed SetupFixture::Install(const std::string& folder, const std::string& group,
                                              testing_common::BoxAnswer answer,
                                              const std::function<void(obsc32::TOBSC32SETUPForm&)>& prepare) {
    Installed done;
    // The boxes' owner, the application's window, belongs to this thread: made on the install's thread it
    // would go with it.
    (void)ui::Application::Instance().Handle();
    EXPECT_NE(QuietDesktop(), nullptr) << "no desktop of the test's own";
    TestDdeServer progman("PROGMAN", "PROGMAN", true, std::string("Main\r\n", 7));
    EXPECT_TRUE(progman.Serving());
    RunOnQuietDesktop([&] {
        obsc32::TOBSC32SETUPForm f;
        f.OwnedByApplication = false;
        if (!f.Create()) return;
        f.Show();
        if (prepare) prepare(f);
        f.Edit1.SetText(folder);
        f.ComboBox1.SetText(group);
        BoxWatcher boxes(testing_common::kProgramBox, std::move(answer), QuietDesktop());
        f.Button3Click(&f.Button3);
        done.boxes = boxes.Texts();
        done.windowShown = IsWindowVisible(f.Handle());
        done.installButtonShown = IsWindowVisible(f.Button3.Handle());
    });
    // Program Manager is told asynchronously: the last commands may still be on their way.
    size_t seen = 0;
    WaitUntilSteady([&] { return std::exchange(seen, progman.Executes().size()) == seen; }, 300);
    done.commands = progman.Executes();
    last_ = done;
    return done;
}

bool SetupFixture::IsFile(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && !(a & FILE_ATTRIBUTE_DIRECTORY);
}

bool SetupFixture::IsFolder(const std::string& path) {
    DWORD a = GetFileAttributesA(path.c_str());
    return a != INVALID_FILE_ATTRIBUTES && (a & FILE_ATTRIBUTE_DIRECTORY);
}

std::string SetupFixture::FileText(const std::string& path) {
    HANDLE f = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (f == INVALID_HANDLE_VALUE) return "<none>";
    char buffer[256];
    DWORD got = 0;
    ReadFile(f, buffer, sizeof buffer, &got, nullptr);
    CloseHandle(f);
    return std::string(buffer, got);
}

std::string SetupFixture::UninstallValue(HKEY root, const char* name) {
    ui::Registry reg(root);
    if (!reg.OpenKey(obsc32::UninstallKey, false)) return "<none>";
    return reg.ReadString(name);
}

}  // namespace testing_wine
