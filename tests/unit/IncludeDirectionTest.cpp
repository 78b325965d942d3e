// The source folders form layers, and includes only ever point down them:
// platform, then assets, then game, then render and audio side by side (neither
// sees the other), and finally app. The core library (every file compiled into
// sandlark_core) never reaches OpenGL, GLFW or the media libraries, not even
// through a header of a header.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const fs::path sourceRoot = fs::path(SANDLARK_SOURCE_DIR) / "src";

// The folders each folder may include (itself among them).
const std::map<std::string, std::set<std::string>> mayInclude = {
    {"platform", {"platform"}},
    {"assets", {"platform", "assets"}},
    {"game", {"platform", "assets", "game"}},
    {"render", {"platform", "assets", "game", "render"}},
    {"audio", {"platform", "game", "audio"}},
    {"app", {"platform", "assets", "game", "render", "audio", "app"}},
};

std::string readText(const fs::path& file)
{
    std::ifstream in(file);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

struct Include {
    std::string target; // as written between the quotes or angle brackets
    bool system;        // <...>
};

std::vector<Include> includesOf(const fs::path& file)
{
    static const std::regex directive(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
    std::vector<Include> found;
    std::istringstream lines(readText(file));
    for (std::string line; std::getline(lines, line);) {
        std::smatch match;
        if (std::regex_search(line, match, directive))
            found.push_back({match[2], match[1] == "<"});
    }
    return found;
}

// "assets/Mesh.h" -> "assets"; the helpers folder belongs to render.
std::string folderOf(const std::string& relative)
{
    return relative.substr(0, relative.find('/'));
}

// Source files each library is built from, as the folders' sources.cmake list them.
std::set<std::string> librarySources(const std::string& library)
{
    std::set<std::string> files;
    static const std::regex block(R"(target_sources\((\w+)\s+PRIVATE([^)]*)\))");
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        if (entry.path().filename() != "sources.cmake")
            continue;
        const std::string text = readText(entry.path());
        for (std::sregex_iterator it(text.begin(), text.end(), block), end; it != end; ++it) {
            if ((*it)[1] != library)
                continue;
            std::istringstream names((*it)[2].str());
            for (std::string name; names >> name;)
                if (name[0] != '#')
                    files.insert(name);
        }
    }
    return files;
}

bool isGraphicsHeader(const std::string& target)
{
    static const std::regex graphics(R"(^(GL/|GLFW/|assimp/|FreeImage|ft2build|freetype|AL/|sndfile))");
    return std::regex_search(target, graphics);
}

} // namespace

TEST(IncludeDirection, NoFolderIncludesAFolderAboveOrBesideIt)
{
    std::vector<std::string> upward;
    int checked = 0;
    for (const auto& entry : fs::recursive_directory_iterator(sourceRoot)) {
        const std::string extension = entry.path().extension().string();
        if (extension != ".h" && extension != ".cpp")
            continue;
        const std::string relative = fs::relative(entry.path(), sourceRoot).generic_string();
        const std::string folder = folderOf(relative);
        ASSERT_TRUE(mayInclude.count(folder)) << relative << " is in a folder without a layer";
        for (const Include& include : includesOf(entry.path())) {
            if (include.system)
                continue;
            ++checked;
            const std::string target = folderOf(include.target);
            ASSERT_TRUE(mayInclude.count(target)) << relative << " includes \"" << include.target << "\"";
            if (!mayInclude.at(folder).count(target))
                upward.push_back(relative + " -> " + include.target);
        }
    }
    EXPECT_GT(checked, 100) << "the source tree was not found";
    EXPECT_TRUE(upward.empty()) << ::testing::PrintToString(upward);
}

TEST(IncludeDirection, TheCoreLibraryNeverReachesGraphicsOrMediaLibraries)
{
    const std::set<std::string> core = librarySources("sandlark_core");
    const std::set<std::string> graphics = librarySources("sandlark_gl");
    ASSERT_GT(core.size(), 15u);
    ASSERT_GT(graphics.size(), 10u);

    // Walk every file a core source reaches through its own includes.
    std::vector<std::string> pending(core.begin(), core.end());
    std::set<std::string> seen(core.begin(), core.end());
    std::vector<std::string> violations;
    while (!pending.empty()) {
        const std::string file = pending.back();
        pending.pop_back();
        if (graphics.count(file))
            violations.push_back(file + " is compiled into the GL library");
        for (const Include& include : includesOf(sourceRoot / file)) {
            if (include.system) {
                if (isGraphicsHeader(include.target))
                    violations.push_back(file + " -> <" + include.target + ">");
                continue;
            }
            // A header whose source file is built into the GL library is GL code.
            const std::string source = fs::path(include.target).replace_extension(".cpp").generic_string();
            if (graphics.count(source))
                violations.push_back(file + " -> " + include.target);
            if (seen.insert(include.target).second)
                pending.push_back(include.target);
        }
    }
    EXPECT_TRUE(violations.empty()) << ::testing::PrintToString(violations);
}
