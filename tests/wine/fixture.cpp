#include "wine/fixture.hpp"

#include <shellapi.h>

#include "common/registry.hpp"
#include "settings/product.hpp"

namespace testing_wine {

namespace registry = testing_common::registry;

void DeleteProductKeys() { registry::DeleteTree(HKEY_CURRENT_USER, obsc32::MakerKey); }

void SetProductValue(const char* name, const std::string& value) {
    ASSERT_TRUE(registry::SetString(HKEY_CURRENT_USER, obsc32::ProductKey, name, value));
}

void SetProductDword(const char* name, DWORD value) {
    ASSERT_TRUE(registry::SetDword(HKEY_CURRENT_USER, obsc32::ProductKey, name, value));
}

std::string ReadProductValue(const char* name, DWORD* type) {
    const registry::Value v = registry::Read(HKEY_CURRENT_USER, obsc32::ProductKey, name);
    if (type) *type = v.type;
    return v.data.c_str();
}

std::vector<std::string> ProductValueNames() {
    std::vector<std::string> names;
    for (const auto& value : registry::ReadAll(HKEY_CURRENT_USER, obsc32::ProductKey))
        names.push_back(value.first);
    return names;
}

bool ClickAt(HWND wnd) { return input::Click(testing_common::CenterOf(wnd)); }

bool IsAtBottom(HWND wnd) { return testing_common::VisibleWindowsBelow(wnd).empty(); }

bool InTray(HWND wnd) {
    NOTIFYICONDATAA rec{};
    rec.cbSize = NOTIFYICONDATAA_V1_SIZE;
    rec.hWnd = wnd;
    return Shell_NotifyIconA(NIM_MODIFY, &rec);
}

}  // namespace testing_wine
