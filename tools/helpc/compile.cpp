#include "helpc/compile.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "helpc/help_file.hpp"
#include "helpc/help_source.hpp"

namespace helpc {

namespace fs = std::filesystem;

std::string CompileHelp(const fs::path& source, const fs::path& target) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return source.string() + ": cannot be read";
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return source.string() + ": cannot be read";

    std::string image;
    try {
        image = BuildHelpFile(ParseHelpSource(text));
    } catch (const HelpError& e) {
        const std::string where = e.Line() > 0 ? ":" + std::to_string(e.Line()) : "";
        return source.string() + where + ": " + e.what();
    }

    fs::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(image.data(), static_cast<std::streamsize>(image.size()));
        out.close();
        if (!out) {
            std::error_code ignored;
            fs::remove(temporary, ignored);
            return temporary.string() + ": cannot be written";
        }
    }
    std::error_code error;
    fs::rename(temporary, target, error);
    if (error) {
        std::error_code ignored;
        fs::remove(temporary, ignored);
        return target.string() + ": cannot be replaced: " + error.message();
    }
    return {};
}

}  // namespace helpc
