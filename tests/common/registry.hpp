// The registry as tests and benchmarks set it up, read it back and leave it: plain writes and reads of
// values, whole key trees, and a key tree saved and put back as it was.
#pragma once
#include <windows.h>

#include <iosfwd>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace testing_common::registry {

struct Value {
    DWORD type = REG_NONE;  // REG_NONE: absent
    std::string data;       // for strings: the text without its terminator
    bool operator==(const Value&) const = default;
};
void PrintTo(const Value& value, std::ostream* os);
Value Sz(const std::string& text);
Value Dword(DWORD value);

// Each creates the key as needed; true when written.
bool SetRaw(HKEY root, const std::string& key, const std::string& name, DWORD type, const void* data,
            DWORD size);
bool SetString(HKEY root, const std::string& key, const std::string& name, const std::string& text);
bool SetDword(HKEY root, const std::string& key, const std::string& name, DWORD value);
void DeleteValue(HKEY root, const std::string& key, const std::string& name);
// A key that lasts only as long as the session: no lasting key can be created below it.
bool CreateVolatileKey(HKEY root, const std::string& key);
bool KeyExists(HKEY root, const std::string& key);
// The key and everything below it; true when it is gone, or was never there.
bool DeleteTree(HKEY root, const std::string& key);

Value Read(HKEY root, const std::string& key, const std::string& name);
// A string value's text; "<none>" when it is absent or no string.
std::string StringOf(HKEY root, const std::string& key, const std::string& name);
// Every value of the key by name; empty when the key is absent.
std::map<std::string, Value> ReadAll(HKEY root, const std::string& key);

// A key tree as it was when this was made, put back when it goes: values, subkeys, or the key's absence,
// with the keys above it that the meantime created.
class SavedKey {
public:
    SavedKey(HKEY root, const std::string& key);
    ~SavedKey();
    SavedKey(const SavedKey&) = delete;
    SavedKey& operator=(const SavedKey&) = delete;

    struct Tree {
        std::vector<std::pair<std::string, std::pair<DWORD, std::string>>> values;  // raw bytes
        std::vector<std::pair<std::string, Tree>> keys;
    };

private:
    const HKEY root_;
    const std::string key_;
    std::string missingTop_;  // the highest key of the path that was absent; empty when the key was there
    Tree tree_;
};

}  // namespace testing_common::registry
