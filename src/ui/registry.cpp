#include "ui/registry.hpp"

#include <algorithm>

#include "ui/wide.hpp"

namespace ui {

namespace {
// A key or value name that does not convert exactly would name another one: the call is refused instead.
constexpr LONG kNoName = ERROR_NO_UNICODE_TRANSLATION;
}  // namespace

RegResult Registry::OpenKey(const std::string& path, bool canCreate) {
    CloseKey();
    const std::optional<std::wstring> wide = WideExact(path);
    if (!wide) return {kNoName};
    HKEY key = nullptr;
    LONG r = canCreate ? RegCreateKeyExW(root_, wide->c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                         nullptr)
                       : RegOpenKeyExW(root_, wide->c_str(), 0, KEY_ALL_ACCESS, &key);
    // A key we may only read still serves the readers.
    if (r != ERROR_SUCCESS && !canCreate) r = RegOpenKeyExW(root_, wide->c_str(), 0, KEY_READ, &key);
    if (r == ERROR_SUCCESS) key_.Reset(key);
    return {r};
}

std::string Registry::ReadString(const std::string& name) const {
    const std::optional<std::wstring> wide = WideExact(name);
    if (!key_ || !wide) return {};
    DWORD type = 0, size = 0;
    if (RegQueryValueExW(key_.Get(), wide->c_str(), nullptr, &type, nullptr, &size) != ERROR_SUCCESS)
        return {};
    if (type != REG_SZ && type != REG_EXPAND_SZ) return {};
    std::wstring text(size / sizeof(wchar_t) + 1, L'\0');
    DWORD got = size;
    if (RegQueryValueExW(key_.Get(), wide->c_str(), nullptr, &type, reinterpret_cast<BYTE*>(text.data()),
                         &got) != ERROR_SUCCESS)
        return {};
    // Stored data need not be terminated, may hold a terminator early, and may end in half a character.
    text.resize(std::min<size_t>(got / sizeof(wchar_t), text.size()));
    if (auto nul = text.find(L'\0'); nul != std::wstring::npos) text.resize(nul);
    return Narrow(text);
}

bool Registry::ValueExists(const std::string& name) const {
    const std::optional<std::wstring> wide = WideExact(name);
    return key_ && wide &&
           RegQueryValueExW(key_.Get(), wide->c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
}

std::optional<DWORD> Registry::ValueType(const std::string& name) const {
    const std::optional<std::wstring> wide = WideExact(name);
    DWORD type = 0;
    if (!key_ || !wide ||
        RegQueryValueExW(key_.Get(), wide->c_str(), nullptr, &type, nullptr, nullptr) != ERROR_SUCCESS)
        return std::nullopt;
    return type;
}

RegResult Registry::WriteString(const std::string& name, const std::string& value) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    const std::optional<std::wstring> wideName = WideExact(name), wideValue = WideExact(value);
    if (!wideName || !wideValue) return {kNoName};
    // Counted in bytes, with the terminator: a reader in another code page converts it whole.
    return {RegSetValueExW(key_.Get(), wideName->c_str(), 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(wideValue->c_str()),
                           static_cast<DWORD>((wideValue->size() + 1) * sizeof(wchar_t)))};
}

RegResult Registry::WriteDword(const std::string& name, DWORD value) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    const std::optional<std::wstring> wide = WideExact(name);
    if (!wide) return {kNoName};
    return {RegSetValueExW(key_.Get(), wide->c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value),
                           sizeof value)};
}

RegResult Registry::DeleteValue(const std::string& name) {
    if (!key_) return {ERROR_INVALID_HANDLE};
    const std::optional<std::wstring> wide = WideExact(name);
    if (!wide) return {kNoName};
    return {RegDeleteValueW(key_.Get(), wide->c_str())};
}

namespace {
// In the system's own names throughout: a subkey this program's texts cannot hold goes as well.
LONG DeleteTree(HKEY parent, const wchar_t* path) {
    HKEY raw = nullptr;
    if (LONG r = RegOpenKeyExW(parent, path, 0, KEY_ALL_ACCESS, &raw); r != ERROR_SUCCESS) return r;
    Key key(raw);
    wchar_t name[256];
    for (;;) {
        DWORD len = 256;
        if (RegEnumKeyExW(key.Get(), 0, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        if (LONG r = DeleteTree(key.Get(), name); r != ERROR_SUCCESS) return r;
    }
    key.Reset();
    return RegDeleteKeyW(parent, path);
}
}  // namespace

RegResult Registry::DeleteKey(const std::string& path) {
    const std::optional<std::wstring> wide = WideExact(path);
    if (!wide) return {kNoName};
    return {DeleteTree(root_, wide->c_str())};
}

RegResult Registry::CanDeleteKey(const std::string& path) const {
    const std::optional<std::wstring> wide = WideExact(path);
    if (!wide) return {kNoName};
    HKEY raw = nullptr;
    const LONG r = RegOpenKeyExW(root_, wide->c_str(), 0, KEY_ALL_ACCESS, &raw);
    const Key opened(r == ERROR_SUCCESS ? raw : nullptr);
    return {r};
}

std::vector<std::string> Registry::GetKeyNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    wchar_t name[256];
    for (DWORD i = 0;; ++i) {
        DWORD len = 256;
        if (RegEnumKeyExW(key_.Get(), i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS)
            break;
        names.push_back(Narrow(name, len));
    }
    return names;
}

std::vector<std::string> Registry::GetValueNames() const {
    std::vector<std::string> names;
    if (!key_) return names;
    std::wstring name(16384, L'\0');
    for (DWORD i = 0;; ++i) {
        DWORD len = static_cast<DWORD>(name.size());
        if (RegEnumValueW(key_.Get(), i, name.data(), &len, nullptr, nullptr, nullptr, nullptr) !=
            ERROR_SUCCESS)
            break;
        names.push_back(Narrow(name.data(), len));
    }
    return names;
}

}  // namespace ui
