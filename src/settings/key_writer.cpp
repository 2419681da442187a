#include "settings/key_writer.hpp"

#include <utility>

#include "ui/component.hpp"

namespace obsc32 {

std::string KeyName(HKEY root, const std::string& path) {
    const char* name = root == HKEY_LOCAL_MACHINE ? "HKEY_LOCAL_MACHINE"
                       : root == HKEY_USERS       ? "HKEY_USERS"
                                                  : "HKEY_CURRENT_USER";
    return std::string(name) + "\\" + path;
}

KeyWriter::KeyWriter(HKEY root, std::string path) : reg_(root), path_(std::move(path)) {
    if (!reg_.OpenKey(path_, true).Ok()) throw ui::Error("レジストリーを開けません・・・\n" + Where());
}

void KeyWriter::Write(const std::string& name, const std::string& value) {
    if (!reg_.WriteString(name, value).Ok())
        throw ui::Error("レジストリーに書き込めません・・・\n" + Where() + "\n\"" + name + "\"");
}

void KeyWriter::WriteNumber(const std::string& name, DWORD value) {
    if (!reg_.WriteDword(name, value).Ok())
        throw ui::Error("レジストリーに書き込めません・・・\n" + Where() + "\n\"" + name + "\"");
}

std::string KeyWriter::Where() const { return KeyName(reg_.RootKey(), path_); }

}  // namespace obsc32
