#include "game/LevelRules.h"

int levelTimeLimit(int level)
{
    // The floor tests one level ahead: level 10 still gets (11 - 10) minutes,
    // level 11 and later fall back to one minute rather than zero or less.
    if ((10 - level) * 60 < 0)
        return 60;
    return (11 - level) * 60;
}

float levelSpeed(int level)
{
    const float speed = static_cast<float>((level - 1) * 5 + 10);
    return speed > 50.0f ? 50.0f : speed;
}

int randomChallengeKills(int level)
{
    return (level + 1) * 5;
}
