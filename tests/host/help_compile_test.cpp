// One run of the help compiler: the target is replaced by a whole file, or left as it was.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include <gtest/gtest.h>

#include "helpc/compile.hpp"
#include "host/hlp_reader.hpp"

namespace fs = std::filesystem;

namespace {

std::string Read(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void Write(const fs::path& p, const std::string& text) { std::ofstream(p, std::ios::binary) << text; }

}  // namespace

TEST(HelpCompile, ReplacesTheTargetWholeOrLeavesItAlone) {
    const fs::path dir = fs::temp_directory_path() / ("helpc_test_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    const fs::path good = dir / "good.hps", bad = dir / "bad.hps", target = dir / "OUT.HLP";
    Write(good, ".help ヘルプ\r\n.font ＭＳ ゴシック\r\n.topic contents\r\n.title 目次\r\n本文\r\n");
    Write(bad, ".help ヘルプ\r\n.font ＭＳ ゴシック\r\n.topic contents\r\n{目次|nowhere}\r\n");
    Write(target, "old");

    EXPECT_EQ(helpc::CompileHelp(bad, target), bad.string() + ":3: topic 'contents' has no .title");
    EXPECT_EQ(Read(target), "old");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3)
        << "a file was left behind";

    EXPECT_EQ(helpc::CompileHelp(good, target), "");
    const hlp_reader::HelpFile written(Read(target));
    EXPECT_EQ(hlp_reader::ReadTopics(written.Internal("|TOPIC")).topics.at(0).paragraphs.at(2), "本文");
    EXPECT_EQ(std::distance(fs::directory_iterator(dir), fs::directory_iterator()), 3);

    EXPECT_EQ(helpc::CompileHelp(dir / "none.hps", target), (dir / "none.hps").string() + ": cannot be read");
    const fs::path nowhere = dir / "missing" / "OUT.HLP";
    EXPECT_EQ(helpc::CompileHelp(good, nowhere), nowhere.string() + ".tmp: cannot be written");
    EXPECT_FALSE(fs::exists(dir / "missing"));
    EXPECT_EQ(hlp_reader::HelpFile(Read(target)).Directory().size(), written.Directory().size());
    fs::remove_all(dir);
}
