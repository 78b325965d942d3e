#include "game/LevelConstruction.h"

#include "app/GameState.h"
#include "app/Settings.h"
#include "game/LevelRules.h"

void buildWorld()
{
    int crawlerCount = 0;
    neededKills = randomchallenge ? randomChallengeKills(currentLevel) : crawlerCount;
    timeLimit = levelTimeLimit(currentLevel);
    speedLevel = levelSpeed(currentLevel);
}

void buildCameras()
{
}

void buildLightsAndDrone()
{
}
