#include "assets/MaterialLibraryCheck.h"

#include <cctype>

namespace {

bool isLineEnd(char c)
{
    return c == '\n' || c == '\r' || c == '\f' || c == '\0';
}

bool startsWithIgnoringCase(std::string_view text, std::size_t at, std::string_view word)
{
    if (text.size() - at < word.size())
        return false;
    for (std::size_t i = 0; i < word.size(); ++i)
        if (std::tolower(static_cast<unsigned char>(text[at + i])) != word[i])
            return false;
    return true;
}

} // namespace

bool materialLibraryIsSafe(std::string_view text)
{
    for (std::size_t at = 0; at < text.size(); ++at) {
        const bool lineStart = at == 0 || isLineEnd(text[at - 1]);
        if (lineStart && text.substr(at, 6) == "newmtl")
            return true;
        if (startsWithIgnoringCase(text, at, "map_"))
            return false;
    }
    return true;
}
