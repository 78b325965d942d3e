#include "app/GameState.h"

int currentLevel = 1;
int timeLimit = 0;
int neededKills = 0;
float speedLevel = 0.0f;
int killCount = 0;
int usedAmmo = 0;
double levelSeconds = 0.0;
double displayFps = 0.0;
double fpsRefreshTime = 0.0;
double levelStartTime = 0.0;
float timeScale = 1.0f;
bool levelCompleting = false;
float completingTimer = 0.0f;
bool levelWon = false;
bool timeUp = false;
bool paused = false;
bool mouseCaptured = true;
int renderedObjectCount = 0;
double scrollOffset = 0.0;

void resetLevelState()
{
    paused = false;
    mouseCaptured = true;
    levelCompleting = false;
    levelWon = false;
    completingTimer = 0.0f;
    killCount = 0;
    usedAmmo = 0;
    timeUp = false;
    levelSeconds = 0.0;
}

void resetGameState()
{
    resetLevelState();
    currentLevel = 1;
    timeLimit = 0;
    neededKills = 0;
    speedLevel = 0.0f;
    displayFps = 0.0;
    fpsRefreshTime = 0.0;
    levelStartTime = 0.0;
    timeScale = 1.0f;
    renderedObjectCount = 0;
    scrollOffset = 0.0;
}
