#include "ui/registry.hpp"

#include <algorithm>

namespace ui {

RegResult Registry::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    HKEY key = nullptr;
    LONG r = canCreate
                 ? RegCreateKeyExA(root_, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr)
                 : RegOpenKeyExA(root_, path.c_str(), 0, KEY_ALL_ACCESS, &key);
    // A key we may only read still serves the readers.
    if (r != ERROR_SUCCESS && !canCreate) r = RegOpenKeyExA(root_, path.c_str(), 0, KEY_READ, &key);
    if (r == ERROR_SUCCESS) key_.Reset(key);
    return {r};
}

std::string Registry::ReadString(const std::string& name) const {
    if (!key_) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::string text(size + 1, '\0');
    DWORD got = size;
    if (RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &got) != ERROR_SUCCESS)
        return {};
    // Stored data need not be terminated, and may hold a terminator early.
    text.resize(std::min<size_t>(got, text.size()));
    if (auto nul = text.find('\0'); nul != std::string::npos) text.resize(nul);
    return text;
}

bool Registry::ValueExists(const std::string& name) const {
    return key_ &&
           RegQueryValueExA(key_.Get(), name.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::ValueType(const std::string& name) const {
    DWORD type = 0;
    if (!key_ ||
        RegQueryValueExA(key_.Get(), name.c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

RegResult Registry::WriteString(const std::string& name, const std::string& value) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    return {RegSetValueExA(key_.Get(), name.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1))};
}

RegResult Registry::WriteDword(const std::string& name, DWORD value) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    return {RegSetValueExA(key_.Get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value)};
}

RegResult Registry::DeleteValue(const std::string& name) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    return {RegDeleteValueA(key_.Get(), name.c_str())};
}

namespace {
LONG DeleteTree(HKEY parent, const std::string& path) {
    HKEY raw = nullptr;
    if (LONG r = RegOpenKeyExA(parent, path.c_str(), 0, KEY_ALL_ACCESS, &raw); r != ERROR_SUCCESS) return r;
    Key key(raw);
    char name[256];
    for (;;) {
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key.Get(), 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (LONG r = DeleteTree(key.Get(), name); r != ERROR_SUCCESS) return r;
    }
    key.Reset();
    return RegDeleteKeyA(parent, path.c_str());
}
}  // namespace

RegResult Registry::DeleteKey(const std::string& path) { return {DeleteTree(root_, path)}; }

RegResult Registry::CanDeleteKey(const std::string& path) const {
    HKEY raw = nullptr;
    const LONG r = RegOpenKeyExA(root_, path.c_str(), 0, KEY_ALL_ACCESS, &raw);
    const Key opened(r == ERROR_SUCCESS ? raw : nullptr);
    return {r};
}

std::vector<std::string> Registry::GetKeyNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    char name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof name;
        if (RegEnumKeyExA(key_.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, len);
    }
    return names;
}

std::vector<std::string> Registry::GetValueNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    char name[16384];
    for (DWORD i = 0;; ++i) {
        DWORD len = sizeof name;
        if (RegEnumValueA(key_.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.emplace_back(name, len);
    }
    return names;
}

}  // namespace ui
