// A file held open so that no one else may write, rename or delete it meanwhile: what is checked is what
// gets deleted, even when someone tries to put another file in its place.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "ui/handles.hpp"

namespace obsc32 {

// Which file a path leads to: the volume and the file's number on it, however the path is spelled.
struct FileIdentity {
    unsigned long Volume = 0, High = 0, Low = 0;
    bool operator==(const FileIdentity&) const = default;
};
// None when the file or folder cannot be opened.
std::optional<FileIdentity> IdentityOf(const std::string& path);

class HeldFile {
public:
    // Empty when the file cannot be held: missing, or opened by someone who does not share its deletion (a
    // program still running from it, for one).
    explicit HeldFile(const std::string& path);

    explicit operator bool() const { return static_cast<bool>(file_); }
    std::optional<FileIdentity> Identity() const;
    // The held file's own attributes, a reparse point's too: the link is held, never what it leads to.
    // INVALID_FILE_ATTRIBUTES when they cannot be read.
    unsigned long Attributes() const;
    // The held bytes; none when they cannot be read (now).
    std::optional<std::vector<uint8_t>> Bytes() const;
    // Deletes the held file as the handle closes; false when the system refuses.
    bool Delete();

private:
    ui::FileHandle file_;
};

}  // namespace obsc32
