#include "app/GamepadMappings.h"

#include <cctype>
#include <sstream>

namespace {

// GLFW copies each mapping into a buffer of 1024 bytes and silently skips longer lines.
constexpr std::size_t longestLine = 1023;
constexpr std::size_t longestName = 127;

bool isMapping(const std::string& line)
{
    if (line.size() > longestLine || line.size() < 34)
        return false;
    for (std::size_t i = 0; i < 32; ++i)
        if (!std::isxdigit(static_cast<unsigned char>(line[i])))
            return false;
    if (line[32] != ',')
        return false;
    const std::size_t nameEnd = line.find(',', 33);
    if (nameEnd == std::string::npos || nameEnd == 33 || nameEnd - 33 > longestName)
        return false;
    std::istringstream fields(line.substr(nameEnd + 1));
    for (std::string field; std::getline(fields, field, ',');) {
        // A trailing comma leaves an empty last field, as the file's own lines have.
        if (field.empty())
            continue;
        const std::size_t colon = field.find(':');
        if (colon == std::string::npos || colon == 0 || colon + 1 == field.size())
            return false;
    }
    return true;
}

bool isBlankOrComment(const std::string& line)
{
    for (const char c : line) {
        if (c == '#')
            return true;
        if (!std::isspace(static_cast<unsigned char>(c)))
            return false;
    }
    return true;
}

} // namespace

std::string gamepadMappingsProblem(const std::string& text)
{
    if (text.find('\0') != std::string::npos)
        return "it is not text";
    std::istringstream lines(text);
    int number = 0;
    for (std::string line; std::getline(lines, line);) {
        ++number;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!isBlankOrComment(line) && !isMapping(line))
            return "line " + std::to_string(number) + " is not a mapping";
    }
    return "";
}
