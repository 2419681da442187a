// The source tree keeps its house rules: includes point only down the layers, files stay small, a class
// keeps to its .hpp/.cpp pair.
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include <gtest/gtest.h>

namespace {

namespace fs = std::filesystem;

// What each folder of src may include besides itself; everything else would be an upward edge or a cycle.
const std::map<std::string, std::set<std::string>> kMayInclude = {
    {"ui", {}},
    {"shell", {"ui"}},
    {"settings", {"shell", "ui"}},
    {"widgets", {"shell", "ui"}},
    {"cover", {"widgets", "settings", "shell", "ui"}},
    {"setup", {"widgets", "settings", "shell", "ui"}},
    {"app", {"cover", "setup", "widgets", "settings", "shell", "ui"}},
    // Replacements of runtime parts, linked beside main: failures become the framework's errors.
    {"runtime", {"ui"}},
};

std::vector<fs::path> SourceFiles(const char* folder = "src") {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(fs::path(OBSC32_SOURCE_DIR) / folder))
        if (entry.is_regular_file() &&
            (entry.path().extension() == ".cpp" || entry.path().extension() == ".hpp"))
            files.push_back(entry.path());
    return files;
}

std::string FolderOf(const fs::path& file) { return file.parent_path().filename().string(); }
std::string Shown(const fs::path& file) { return fs::relative(file, OBSC32_SOURCE_DIR).string(); }

std::string TextOf(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The code alone: comments, string and character literals and preprocessor lines become spaces, so that
// nothing in them counts and every line keeps its number.
std::string CodeOf(std::string text) {
    auto blank = [&](size_t from, size_t to) {
        for (size_t i = from; i < to && i < text.size(); ++i)
            if (text[i] != '\n') text[i] = ' ';
    };
    bool lineStart = true;
    for (size_t i = 0; i < text.size();) {
        const char c = text[i];
        size_t end = i + 1;
        if (lineStart && c == '#') {
            // A directive runs on over lines ending in a backslash.
            while (end < text.size() && (text[end] != '\n' || text[end - 1] == '\\')) ++end;
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '/') {
            end = text.find('\n', i);
        } else if (c == '/' && i + 1 < text.size() && text[i + 1] == '*') {
            end = text.find("*/", i + 2);
            end = end == std::string::npos ? end : end + 2;
        } else if (c == '"' ||
                   (c == '\'' && (i == 0 || !std::isalnum(static_cast<unsigned char>(text[i - 1]))))) {
            while (end < text.size() && text[end] != c && text[end] != '\n') end += text[end] == '\\' ? 2 : 1;
            ++end;
        } else {
            if (c == '\n')
                lineStart = true;
            else if (c != ' ' && c != '\t')
                lineStart = false;
            ++i;
            continue;
        }
        end = std::min(end, text.size());
        blank(i, end);
        i = end;
    }
    return text;
}

// What a source declares and defines at namespace level (outside every class and function body).
struct Outline {
    // Classes and structs with a body, namespace-qualified.
    std::vector<std::string> Classes;
    struct Definition {
        std::vector<std::string> Namespaces;  // those open where it stands, outermost first
        std::vector<std::string> Qualifiers;  // the qualified name's parts before the member's own
        int Line;
    };
    std::vector<Definition> Definitions;
};

// "a::b::c"; an unnamed namespace's empty part is left out.
std::string Joined(const std::vector<std::string>& parts) {
    std::string joined;
    for (const std::string& part : parts)
        if (!part.empty()) joined += (joined.empty() ? "" : "::") + part;
    return joined;
}

bool IsWordChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }

// The parts of the qualified name `text` ends with ("ui", "Form", "Create"), when it has two at least and
// nothing before it assigns (a variable set from a qualified call is no definition).
std::vector<std::string> DefinedName(const std::string& text) {
    size_t i = text.size();
    auto blanks = [&] {
        while (i > 0 && std::isspace(static_cast<unsigned char>(text[i - 1]))) --i;
    };
    auto word = [&] {
        const size_t end = i;
        while (i > 0 && IsWordChar(text[i - 1])) --i;
        return text.substr(i, end - i);
    };
    blanks();
    const size_t symbols = i;
    while (i > 0 && std::string_view("=!<>+-*/%&|^[]").find(text[i - 1]) != std::string_view::npos) --i;
    if (i != symbols && (i < 8 || text.compare(i - 8, 8, "operator") != 0)) return {};
    std::vector<std::string> parts{word()};
    blanks();
    if (i > 0 && text[i - 1] == '~') --i;
    for (blanks(); i >= 2 && text.compare(i - 2, 2, "::") == 0; blanks()) {
        i -= 2;
        blanks();
        for (int angles = 0; i > 0 && (angles > 0 || text[i - 1] == '>'); --i)
            angles += text[i - 1] == '>' ? 1 : text[i - 1] == '<' ? -1 : 0;
        blanks();
        std::string part = word();
        if (part.empty()) break;
        parts.insert(parts.begin(), part);
    }
    if (parts.size() < 2 || parts.back().empty() || text.find('=') < i) return {};
    return parts;
}

// A statement at namespace level starts after a ";", a "}" or a namespace's "{": a qualified name before its
// first "(" is a member's definition, a "class" or "struct" before its "{" a class's body.
Outline OutlineOf(const std::string& code) {
    static const std::regex kNamespace(R"(\s*(?:inline\s+)?namespace\s*([\w:]*)\s*)");
    // Attributes, "final" and the bases may follow the name.
    static const std::regex kClass(R"(\s*(?:template\s*<[^;]*>\s*)?(?:class|struct)\s+)"
                                   R"((?:\[\[[^\]]*\]\]\s*)?(\w+)\s*(?:final\s*)?(?::[^;]*)?)");
    Outline outline;
    std::vector<std::string> namespaces;
    int depth = 0, parens = 0, line = 1;
    size_t start = 0;
    bool looked = false;
    auto nextStatement = [&](size_t at) {
        start = at;
        looked = false;
    };
    for (size_t i = 0; i < code.size(); ++i) {
        const char c = code[i];
        if (c == '\n') ++line;
        if (depth > 0) {
            depth += c == '{' ? 1 : c == '}' ? -1 : 0;
            if (depth == 0 && parens == 0) nextStatement(i + 1);
            continue;
        }
        std::smatch m;
        if (c == '(') {
            // Only a statement's first parenthesis: the names after it are arguments or calls.
            if (parens++ > 0 || looked) continue;
            looked = true;
            std::vector<std::string> name = DefinedName(code.substr(start, i - start));
            if (name.empty()) continue;
            name.pop_back();
            outline.Definitions.push_back({namespaces, name, line});
        } else if (c == ')') {
            --parens;
        } else if (c == ';' && parens == 0) {
            nextStatement(i + 1);
        } else if (c == '}') {
            if (!namespaces.empty()) namespaces.pop_back();
            nextStatement(i + 1);
        } else if (c == '{') {
            const std::string statement = code.substr(start, i - start);
            if (std::regex_match(statement, m, kNamespace)) {
                namespaces.push_back(m[1].str());
            } else {
                if (parens == 0 && std::regex_match(statement, m, kClass)) {
                    namespaces.push_back(m[1].str());
                    outline.Classes.push_back(Joined(namespaces));
                    namespaces.pop_back();
                }
                depth = 1;
                continue;
            }
            nextStatement(i + 1);
        }
    }
    return outline;
}

// The class a member definition belongs to, found as C++ finds a name: the first qualifier that names a
// class, looked up from the innermost namespace outwards; empty when none does (a namespace's function).
std::string ClassOf(const Outline::Definition& d, const std::map<std::string, fs::path>& classes) {
    for (auto last = d.Qualifiers.begin() + 1; last <= d.Qualifiers.end(); ++last) {
        for (auto inner = d.Namespaces.end();; --inner) {
            std::vector<std::string> name(d.Namespaces.begin(), inner);
            name.insert(name.end(), d.Qualifiers.begin(), last);
            if (classes.count(Joined(name))) return Joined(name);
            if (inner == d.Namespaces.begin()) break;
        }
    }
    return {};
}

}  // namespace

TEST(Layers, IncludesPointOnlyDown) {
    std::vector<fs::path> files = SourceFiles();
    ASSERT_GT(files.size(), 20u);
    for (const fs::path& file : files) {
        const std::string from = FolderOf(file);
        auto allowed = kMayInclude.find(from);
        ASSERT_NE(allowed, kMayInclude.end()) << "a folder the layers do not know: " << from;
        std::ifstream in(file);
        std::string line;
        int number = 0;
        while (std::getline(in, line)) {
            ++number;
            const std::string directive = "#include \"";
            if (line.rfind(directive, 0) != 0) continue;
            const std::string target = line.substr(directive.size());
            const std::string to = target.substr(0, target.find('/'));
            EXPECT_TRUE(to == from || allowed->second.count(to))
                << file.string() << ":" << number << " includes " << target;
        }
    }
}

// Finds each class with a body at namespace level in the src headers, then each member defined out of line in
// a src .cpp (a qualified name before a namespace-level statement's first "("): only the class's pair may.
TEST(Layers, FilesStaySmallAndEachClassKeepsToItsPair) {
    std::vector<fs::path> files = SourceFiles();
    for (const fs::path& tool : SourceFiles("tools")) files.push_back(tool);
    for (const fs::path& file : files) {
        std::ifstream in(file);
        std::string line;
        int lines = 0;
        while (std::getline(in, line)) ++lines;
        EXPECT_LE(lines, 400) << file.string();
    }

    std::map<std::string, fs::path> classes;
    for (const fs::path& header : SourceFiles())
        if (header.extension() == ".hpp")
            for (const std::string& name : OutlineOf(CodeOf(TextOf(header))).Classes) classes[name] = header;
    ASSERT_TRUE(classes.count("ui::Form") && classes.count("obsc32::TDIRVIEWForm"));
    // Each class's strays: the other .cpp files defining its members, with the first such line.
    std::map<std::string, std::map<std::string, int>> strays;
    for (const fs::path& source : SourceFiles()) {
        if (source.extension() != ".cpp") continue;
        for (const Outline::Definition& d : OutlineOf(CodeOf(TextOf(source))).Definitions) {
            const std::string owner = ClassOf(d, classes);
            if (owner.empty()) continue;
            fs::path pair = classes[owner];
            if (pair.replace_extension(".cpp") != source) strays[owner].emplace(Shown(source), d.Line);
        }
    }
    for (const auto& [name, places] : strays) {
        std::string list;
        for (const auto& [file, line] : places) list += "\n  " + file + ":" + std::to_string(line);
        ADD_FAILURE()
            << name << ", declared in " << Shown(classes[name])
            << ", has members defined outside its .cpp (a class too big for its pair is two classes):"
            << list;
    }
}
