// libFuzzer target: the setup window's group list order and the row it starts on, its proposed folder and
// its texts.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "fuzz_input.hpp"
#include "setup/setup_values.hpp"

using namespace obsc32;

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::Input in(data, size);
    // A group list names each group once, sorted.
    std::vector<std::string> names;
    while (!in.Empty() && names.size() < 32) {
        const int pick = in.Byte() % 4;
        names.push_back(pick == 0 ? kVanteGroup : pick == 1 ? kVanteGroup32 : in.Text());
    }
    std::sort(names.begin(), names.end());
    names.erase(std::unique(names.begin(), names.end()), names.end());
    const bool hadVante = std::count(names.begin(), names.end(), kVanteGroup) == 1;

    std::vector<std::string> arranged = names;
    ArrangeGroups(arranged);
    FUZZ_CHECK(!arranged.empty() && arranged.back() == kVanteGroup32);
    FUZZ_CHECK(std::count(arranged.begin(), arranged.end(), kVanteGroup32) == 1);
    FUZZ_CHECK(std::count(arranged.begin(), arranged.end(), std::string()) == 0);
    if (hadVante) FUZZ_CHECK(arranged.size() >= 2 && arranged[arranged.size() - 2] == kVanteGroup);
    // Every other name stays, in its order.
    std::vector<std::string> others, kept;
    for (const std::string& n : names)
        if (!n.empty() && n != kVanteGroup && n != kVanteGroup32) others.push_back(n);
    for (const std::string& n : arranged)
        if (n != kVanteGroup && n != kVanteGroup32) kept.push_back(n);
    FUZZ_CHECK(kept == others);

    const std::string stored =
        in.Bool() && !arranged.empty() ? arranged[in.Byte() % arranged.size()] : in.Text();
    const int row = GroupRowToSelect(arranged, stored);
    FUZZ_CHECK(row >= 0 && row < static_cast<int>(arranged.size()));
    if (!stored.empty() && std::find(arranged.begin(), arranged.end(), stored) != arranged.end())
        FUZZ_CHECK(arranged[static_cast<std::size_t>(row)] == stored);

    const std::string winDir = in.Text(), code = in.Text(), folder = in.Text();
    const std::string proposed = DefaultInstallFolder(winDir, code, folder);
    FUZZ_CHECK(folder.empty() ? proposed == winDir.substr(0, 3) + "VERADO32\\" + code : proposed == folder);
    const int version = static_cast<int>(in.Range(0, 100000));
    FUZZ_CHECK(VersionText(version) ==
               " V" + std::to_string(version / 10) + "." + std::to_string(version % 10));
    for (const std::string& file : ProductFileNames(code)) FUZZ_CHECK(file.rfind(code, 0) == 0);
    return 0;
}
