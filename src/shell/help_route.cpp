#include "shell/help_route.hpp"

namespace obsc32 {

bool HasOldHelpViewer(unsigned majorVersion) { return majorVersion < 6; }

std::string FileUrl(const std::string& path, const std::string& anchor) {
    std::string url = "file:///";
    for (char c : path) {
        switch (c) {
            case '\\': url += '/'; break;
            // A blank ends an unquoted argument; '#', '?' and '%' would start the anchor, a query or an escape.
            case ' ': url += "%20"; break;
            case '#': url += "%23"; break;
            case '?': url += "%3F"; break;
            case '%': url += "%25"; break;
            default: url += c;
        }
    }
    return anchor.empty() ? url : url + "#" + anchor;
}

std::string BrowserCommandLine(const std::string& registered, const std::string& url) {
    std::string line;
    bool placed = false;
    for (std::size_t i = 0; i < registered.size(); ++i) {
        const char next = i + 1 < registered.size() ? registered[i + 1] : '\0';
        if (registered[i] == '%' && (next == '1' || next == 'L' || next == 'l')) {
            line += url;
            placed = true;
            ++i;
        } else if (registered[i] == '%' && next == '*') {
            ++i;  // no further arguments
        } else {
            line += registered[i];
        }
    }
    return placed ? line : line + " \"" + url + "\"";
}

}  // namespace obsc32
