#include "platform/Platform.h"

#include <algorithm>
#include <cctype>
#include <chrono>
#include <filesystem>
#include <iostream>
#include <system_error>
#include <thread>

#include <termios.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

bool equalsIgnoringCase(const std::string& a, const std::string& b)
{
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](unsigned char x, unsigned char y) {
               return std::tolower(x) == std::tolower(y);
           });
}

// Finds the entry of `folder` whose name equals `name` ignoring case. Returns the
// exact name when it exists, the first case-insensitive match otherwise (in
// sorted order, so the choice is stable), or `name` itself when nothing matches.
std::string matchComponent(const fs::path& folder, const std::string& name)
{
    std::error_code error;
    if (fs::exists(folder / name, error))
        return name;
    std::string best;
    for (const auto& entry : fs::directory_iterator(folder.empty() ? fs::path(".") : folder, error)) {
        const std::string candidate = entry.path().filename().string();
        if (equalsIgnoringCase(candidate, name) && (best.empty() || candidate < best))
            best = candidate;
    }
    return best.empty() ? name : best;
}

} // namespace

std::string resolvePath(const std::string& path)
{
    if (path.empty())
        return path;
    std::string slashed = path;
    std::replace(slashed.begin(), slashed.end(), '\\', '/');

    fs::path resolved;
    bool first = true;
    size_t start = 0;
    while (start <= slashed.size()) {
        size_t end = slashed.find('/', start);
        if (end == std::string::npos)
            end = slashed.size();
        const std::string component = slashed.substr(start, end - start);
        if (first && component.empty()) {
            resolved = "/"; // absolute path
        } else if (component.empty() || component == "." || component == "..") {
            if (!component.empty())
                resolved /= component;
        } else {
            resolved /= matchComponent(resolved, component);
        }
        first = false;
        start = end + 1;
    }
    return resolved.string();
}

void consolePause()
{
    std::cout << "Press any key to continue . . ." << std::flush;
    if (isatty(STDIN_FILENO)) {
        // Wait for a single key without needing Enter, as the Windows pause does.
        termios saved{};
        const bool haveTerminal = tcgetattr(STDIN_FILENO, &saved) == 0;
        if (haveTerminal) {
            termios raw = saved;
            raw.c_lflag &= ~static_cast<tcflag_t>(ICANON | ECHO);
            raw.c_cc[VMIN] = 1;
            raw.c_cc[VTIME] = 0;
            tcsetattr(STDIN_FILENO, TCSANOW, &raw);
        }
        char key = 0;
        [[maybe_unused]] ssize_t ignored = read(STDIN_FILENO, &key, 1);
        if (haveTerminal)
            tcsetattr(STDIN_FILENO, TCSANOW, &saved);
    }
    std::cout << std::endl;
}

void sleepMilliseconds(int milliseconds)
{
    if (milliseconds > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}
