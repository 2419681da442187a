// A registry key opened for writing, created when absent. Every failure is the command's: it throws
// ui::Error naming the key and the value.
#pragma once
#include <windows.h>

#include <string>

#include "ui/registry.hpp"

namespace obsc32 {

class KeyWriter {
public:
    KeyWriter(HKEY root, std::string path);
    void Write(const std::string& name, const std::string& value);
    void WriteNumber(const std::string& name, DWORD value);

private:
    std::string Where() const;
    ui::Registry reg_;
    std::string path_;
};

// "HKEY_LOCAL_MACHINE\<path>" and so on, as a message names a key.
std::string KeyName(HKEY root, const std::string& path);

}  // namespace obsc32
