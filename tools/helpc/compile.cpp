#include "helpc/compile.hpp"

#include <fstream>
#include <iterator>
#include <system_error>

#include "helpc/help_file.hpp"
#include "helpc/help_source.hpp"
#include "helpc/html_help.hpp"

namespace helpc {

namespace fs = std::filesystem;

namespace {

// Written beside `target` first and moved over it, so a failed write leaves it as it was.
std::string WriteReplacing(const fs::path& target, const std::string& bytes) {
    fs::path temporary = target;
    temporary += ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
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

}  // namespace

std::string CompileHelp(const fs::path& source, const fs::path& target, const fs::path& html) {
    std::ifstream in(source, std::ios::binary);
    if (!in) return source.string() + ": cannot be read";
    const std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad()) return source.string() + ": cannot be read";

    std::string image, page;
    try {
        const HelpSource help = ParseHelpSource(text);
        image = BuildHelpFile(help);
        if (!html.empty()) page = BuildHtmlHelp(help);
    } catch (const HelpError& e) {
        const std::string where = e.Line() > 0 ? ":" + std::to_string(e.Line()) : "";
        return source.string() + where + ": " + e.what();
    }
    if (std::string failed = WriteReplacing(target, image); !failed.empty()) return failed;
    return html.empty() ? std::string() : WriteReplacing(html, page);
}

}  // namespace helpc
