#include "shell/progman_commands.hpp"

#include "shell/path_text.hpp"

namespace obsc32 {

namespace {
constexpr char kEnd[] = ")]\r\n";
}  // namespace

std::string QuotedLongTitle(const std::string& title) { return "\"" + title + "\""; }

std::string CreateGroupCommand(const std::string& group) { return "[CreateGroup(" + group + kEnd; }

std::string AddItemCommand(const std::string& programPath, const std::string& title) {
    return "[AddItem(\"" + programPath + "\"," + QuotedLongTitle(title) + kEnd;
}

std::string DeleteItemCommand(const std::string& title) {
    return "[DeleteItem(" + QuotedLongTitle(title) + kEnd;
}

std::string ShowGroupCommand(const std::string& group) { return "[ShowGroup(" + group + ",1" + kEnd; }

bool FitsInCommand(const std::string& name) {
    if (ShownWidth(name) > 255 || !IsWholeUtf8(name)) return false;
    for (char c : name) {
        const auto b = static_cast<unsigned char>(c);
        if (b < 0x20 || b == '[' || b == ']' || b == '(' || b == ')' || b == ',' || b == '"') return false;
    }
    return true;
}

std::vector<std::string> SplitGroupsReply(const char* data, std::size_t size) {
    std::vector<std::string> names;
    const auto isNameByte = [](char c) { return static_cast<unsigned char>(c) >= 0x14; };
    std::size_t i = 0;
    auto atEnd = [&] { return i >= size || data[i] == '\0'; };
    if (!atEnd() && !isNameByte(data[i])) names.emplace_back();
    while (!atEnd()) {
        while (!atEnd() && !isNameByte(data[i])) ++i;
        const std::size_t start = i;
        while (!atEnd() && isNameByte(data[i])) ++i;
        if (i > start) names.emplace_back(data + start, i - start);
    }
    return names;
}

}  // namespace obsc32
