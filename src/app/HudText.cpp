#include "app/HudText.h"

namespace {

constexpr float lineX = 25.0f;

std::string twoDigits(long long value)
{
    std::string text = std::to_string(value);
    if (value < 10)
        text.insert(text.begin(), '0');
    return text;
}

} // namespace

std::string clockText(double levelSeconds)
{
    const long long minutes = static_cast<long long>(levelSeconds / 60.0);
    const long long seconds = static_cast<long long>(levelSeconds) % 60;
    return twoDigits(minutes) + ":" + twoDigits(seconds);
}

std::vector<HudLine> levelInfoLines(int currentLevel, float speedLevel, int timeLimit, int neededKills, float height)
{
    return {
        {"Level " + std::to_string(currentLevel), lineX, height - 60.0f, 2.0f, hudWhite},
        // The speed is shown without its fraction, the limit in whole minutes.
        {"Speed level: " + std::to_string(static_cast<int>(speedLevel)), lineX, height - 90.0f, 1.0f, hudWhite},
        {"Time: " + std::to_string(timeLimit / 60) + " min", lineX, height - 120.0f, 1.0f, hudWhite},
        {"Needed kills: " + std::to_string(neededKills), lineX, height - 150.0f, 1.0f, hudWhite},
    };
}

std::vector<HudLine> endOfLevelLines(bool timeUp, int usedAmmo, double levelSeconds, float height)
{
    std::vector<HudLine> lines;
    // The headline takes the room of two lines, so the others move down by two.
    float k = 1.0f;
    if (timeUp) {
        lines.push_back({"Time is up!", lineX, height - 60.0f, 2.0f, hudWhite});
        k = 3.0f;
    }
    lines.push_back({"Used ammo: " + std::to_string(usedAmmo), lineX, height - 30.0f * k, 1.0f, hudWhite});
    lines.push_back({"Time: " + clockText(levelSeconds), lineX, height - 30.0f * (k + 1.0f), 1.0f, hudWhite});
    return lines;
}
