#pragma once
// The words and places of the information lines on the waiting and end screens,
// and the level clock's "mm:ss" form. No drawing here: the screens draw these
// lines with the text renderer.
#include <glm/vec3.hpp>

#include <string>
#include <vector>

// One line of text: baseline start in window pixels (origin lower left), the
// factor on the font's 30-pixel glyphs, and the colour.
struct HudLine {
    std::string text;
    float x;
    float y;
    float scale;
    glm::vec3 color;
};

inline constexpr glm::vec3 hudWhite{1.0f, 1.0f, 1.0f};
inline constexpr glm::vec3 hudRed{0.573f, 0.0f, 0.0f};

// The level clock: whole minutes, a colon, the seconds of the minute; each field
// with a leading "0" below 10. Minutes may grow past two digits.
std::string clockText(double levelSeconds);

// The four lines of the waiting screen, for a window `height` pixels high.
std::vector<HudLine> levelInfoLines(int currentLevel, float speedLevel, int timeLimit, int neededKills, float height);

// The lines of the winning (two lines) or losing screen (a headline at twice
// the size, then the same two lines lower down).
std::vector<HudLine> endOfLevelLines(bool timeUp, int usedAmmo, double levelSeconds, float height);
