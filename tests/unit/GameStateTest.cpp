#include "game/GameState.h"

#include <gtest/gtest.h>

TEST(GameState, StartingALevelResetsItsProgressAndKeepsTheRest)
{
    GameState state;
    state.paused = true;
    state.mouseCaptured = false;
    state.levelCompleting = true;
    state.levelWon = true;
    state.completingTimer = 0.4f;
    state.killCount = 7;
    state.usedAmmo = 120;
    state.timeUp = true;
    state.levelSeconds = 95.0;
    state.currentLevel = 3;
    state.displayFps = 58.0;
    state.timeScale = 0.05f;

    state.startLevel();

    const LevelProgress fresh;
    EXPECT_EQ(state.paused, fresh.paused);
    EXPECT_EQ(state.mouseCaptured, true);
    EXPECT_EQ(state.levelCompleting, false);
    EXPECT_EQ(state.levelWon, false);
    EXPECT_EQ(state.completingTimer, 0.0f);
    EXPECT_EQ(state.killCount, 0);
    EXPECT_EQ(state.usedAmmo, 0);
    EXPECT_EQ(state.timeUp, false);
    EXPECT_EQ(state.levelSeconds, 0.0);
    // A won level ends in slow motion; the next one starts at full speed.
    EXPECT_EQ(state.timeScale, 1.0f);
    // These belong to the whole run.
    EXPECT_EQ(state.currentLevel, 3);
    EXPECT_EQ(state.displayFps, 58.0);
}
