// The short-lived registry accessor: set the root, open a key, read or write, close.
#pragma once
#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "ui/handles.hpp"

namespace ui {

// What a registry call returned: the platform's status, for the caller to judge.
struct RegResult {
    LONG Code = ERROR_SUCCESS;
    bool Ok() const { return Code == ERROR_SUCCESS; }
};

class Registry {
public:
    explicit Registry(HKEY root = HKEY_CURRENT_USER) : root_(root) {}

    HKEY RootKey() const { return root_; }
    void SetRootKey(HKEY root) {
        CloseKey();
        root_ = root;
    }

    // Opens `path` under the root, creating it when `canCreate`.
    RegResult OpenKey(const std::string& path, bool canCreate);
    bool KeyIsOpen() const { return static_cast<bool>(key_); }
    void CloseKey() { key_.Reset(); }

    // A string value's text. An absent value, a closed key or a value that is not a string read as "".
    std::string ReadString(const std::string& name) const;
    bool ValueExists(const std::string& name) const;
    // The value's type (REG_SZ...); none when the value or the key is absent.
    std::optional<DWORD> ValueType(const std::string& name) const;
    // Writes a REG_SZ value.
    [[nodiscard]] RegResult WriteString(const std::string& name, const std::string& value);
    [[nodiscard]] RegResult WriteDword(const std::string& name, DWORD value);
    // An absent value gives ERROR_FILE_NOT_FOUND.
    RegResult DeleteValue(const std::string& name);
    // Deletes `path` (relative to the root) with everything below it; an absent key gives
    // ERROR_FILE_NOT_FOUND.
    RegResult DeleteKey(const std::string& path);
    // Whether DeleteKey may delete `path`: it opens the key with the access deleting it takes, and closes it.
    // An absent key gives ERROR_FILE_NOT_FOUND.
    RegResult CanDeleteKey(const std::string& path) const;
    std::vector<std::string> GetKeyNames() const;
    std::vector<std::string> GetValueNames() const;

private:
    HKEY root_;
    Key key_;
};

}  // namespace ui
