#include "common/registry.hpp"

#include <ostream>

#include "common/text.hpp"

namespace testing_common::registry {

namespace {
class Key {
public:
    Key(HKEY root, const std::string& path, bool create, DWORD options = 0) {
        if (create)
            RegCreateKeyExW(root, W(path).c_str(), 0, nullptr, options, KEY_ALL_ACCESS, nullptr, &key_,
                            nullptr);
        else if (RegOpenKeyExW(root, W(path).c_str(), 0, KEY_ALL_ACCESS, &key_) != ERROR_SUCCESS)
            key_ = nullptr;
    }
    ~Key() {
        if (key_) RegCloseKey(key_);
    }
    Key(const Key&) = delete;
    Key& operator=(const Key&) = delete;
    HKEY Get() const { return key_; }

private:
    HKEY key_ = nullptr;
};

// Names and raw bytes (strings in UTF-16) of every value, in the order the key lists them.
std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> RawValues(HKEY key) {
    std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> values;
    std::vector<BYTE> data(65536);
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD nameLen = 256, type = 0, size = static_cast<DWORD>(data.size());
        if (RegEnumValueW(key, i, name, &nameLen, nullptr, &type, data.data(), &size) != ERROR_SUCCESS) break;
        values.push_back(
            {U(std::wstring(name, nameLen)), {type, std::string(data.begin(), data.begin() + size)}});
    }
    return values;
}

std::vector<std::string> Subkeys(HKEY key) {
    std::vector<std::string> names;
    for (DWORD i = 0;; ++i) {
        wchar_t name[256];
        DWORD len = 256;
        if (RegEnumKeyExW(key, i, name, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        names.push_back(U(std::wstring(name, len)));
    }
    return names;
}

// A string in UTF-8, without its one terminator; other values as stored.
Value FromRaw(DWORD type, const std::string& bytes) {
    if (type != REG_SZ && type != REG_EXPAND_SZ) return Value{type, bytes};
    std::wstring text(bytes.size() / 2, L'\0');
    bytes.copy(reinterpret_cast<char*>(text.data()), text.size() * 2);
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return Value{type, U(text)};
}
}  // namespace

void PrintTo(const Value& value, std::ostream* os) {
    *os << (value.type == REG_SZ      ? "REG_SZ"
            : value.type == REG_DWORD ? "REG_DWORD"
                                      : "type ")
        << (value.type == REG_SZ || value.type == REG_DWORD ? "" : std::to_string(value.type)) << " \""
        << value.data << "\"";
}

Value Sz(const std::string& text) { return Value{REG_SZ, text}; }
Value Dword(DWORD value) {
    return Value{REG_DWORD, std::string(reinterpret_cast<const char*>(&value), sizeof value)};
}

bool SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
            DWORD size) {
    Key k(root, key, true);
    return k.Get() && RegSetValueExW(k.Get(), W(name).c_str(), 0, type, static_cast<const BYTE*>(data),
                                     size) == ERROR_SUCCESS;
}

bool SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text) {
    const std::wstring wide = W(text);
    return SetRaw(root, key, name, REG_SZ, wide.c_str(),
                  static_cast<DWORD>((wide.size() + 1) * sizeof(wchar_t)));
}

bool SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value) {
    return SetRaw(root, key, name, REG_DWORD, &value, sizeof value);
}

void DeleteValue(HKEY root, const std::string& key, const std::string& name) {
    Key k(root, key, false);
    if (k.Get()) RegDeleteValueW(k.Get(), W(name).c_str());
}

bool CreateVolatileKey(HKEY root, const std::string& key) {
    return Key(root, key, true, REG_OPTION_VOLATILE).Get() != nullptr;
}

bool KeyExists(HKEY root, const std::string& key) { return Key(root, key, false).Get() != nullptr; }

// RegDeleteTreeA is newer than the Windows version the build targets.
bool DeleteTree(HKEY root, const std::string& key) {
    {
        Key k(root, key, false);
        if (!k.Get()) return !KeyExists(root, key);
        for (const std::string& sub : Subkeys(k.Get())) DeleteTree(k.Get(), sub);
    }
    return RegDeleteKeyW(root, W(key).c_str()) == ERROR_SUCCESS;
}

Value Read(HKEY root, const std::string& key, const std::string& name) {
    Key k(root, key, false);
    std::vector<BYTE> data(65536);
    DWORD type = REG_NONE, size = static_cast<DWORD>(data.size());
    if (!k.Get() ||
        RegQueryValueExW(k.Get(), W(name).c_str(), nullptr, &type, data.data(), &size) != ERROR_SUCCESS)
        return {};
    return FromRaw(type, std::string(data.begin(), data.begin() + size));
}

std::string StringOf(HKEY root, const std::string& key, const std::string& name) {
    const Value v = Read(root, key, name);
    return v.type == REG_SZ ? v.data : "<none>";
}

std::map<std::string, Value> ReadAll(HKEY root, const std::string& key) {
    std::map<std::string, Value> values;
    Key k(root, key, false);
    if (k.Get())
        for (const auto& [name, raw] : RawValues(k.Get())) values[name] = FromRaw(raw.first, raw.second);
    return values;
}

namespace {
SavedKey::Tree Save(HKEY key) {
    SavedKey::Tree tree;
    tree.values = RawValues(key);
    for (const std::string& sub : Subkeys(key)) tree.keys.push_back({sub, Save(Key(key, sub, false).Get())});
    return tree;
}

// Only what differs is written, so a reader of the key meanwhile never finds it empty.
void Put(HKEY root, const std::string& path, const SavedKey::Tree& tree) {
    Key k(root, path, true);
    if (!k.Get()) return;
    for (const auto& [name, raw] : RawValues(k.Get())) {
        bool kept = false;
        for (const auto& saved : tree.values) kept |= saved.first == name;
        if (!kept) RegDeleteValueW(k.Get(), W(name).c_str());
    }
    const auto now = RawValues(k.Get());
    for (const auto& saved : tree.values) {
        bool same = false;
        for (const auto& value : now) same |= value == saved;
        if (!same)
            RegSetValueExW(k.Get(), W(saved.first).c_str(), 0, saved.second.first,
                           reinterpret_cast<const BYTE*>(saved.second.second.data()),
                           static_cast<DWORD>(saved.second.second.size()));
    }
    for (const std::string& sub : Subkeys(k.Get())) {
        bool kept = false;
        for (const auto& saved : tree.keys) kept |= lstrcmpiW(W(saved.first).c_str(), W(sub).c_str()) == 0;
        if (!kept) DeleteTree(k.Get(), sub);
    }
    for (const auto& [name, sub] : tree.keys) Put(k.Get(), name, sub);
}
}  // namespace

SavedKey::SavedKey(HKEY root, const std::string& key) : root_(root), key_(key) {
    Key k(root, key, false);
    if (k.Get()) {
        tree_ = Save(k.Get());
        return;
    }
    for (size_t end = 0; missingTop_.empty(); ++end) {
        end = key.find('\\', end);
        const std::string part = key.substr(0, end);
        if (!KeyExists(root, part)) missingTop_ = part;
        if (end == std::string::npos) break;
    }
}

SavedKey::~SavedKey() {
    if (missingTop_.empty())
        Put(root_, key_, tree_);
    else
        DeleteTree(root_, missingTop_);
}

}  // namespace testing_common::registry
