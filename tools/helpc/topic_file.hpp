// |TOPIC: every topic as a chain of records (its header with the title, then one display-text record per
// paragraph) laid out in uncompressed 4 KB blocks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

#include "helpc/help_source.hpp"

namespace helpc {

inline constexpr std::uint32_t kTopicBlockSize = 0x1000;
// Fonts of |FONT, as the records switch between them.
inline constexpr int kBodyFont = 0;
inline constexpr int kHeadingFont = 1;

struct TopicFile {
    std::string bytes;                   // whole blocks
    std::vector<std::uint32_t> offsets;  // each topic's TOPICOFFSET, as the indexes and |SYSTEM name it
};

// Throws HelpError naming the line whose paragraph does not fit a block.
TopicFile BuildTopicFile(const HelpSource& source);

}  // namespace helpc
