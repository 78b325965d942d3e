#include "game/LevelRules.h"

#include <gtest/gtest.h>

TEST(LevelRules, TimeLimitShrinksByAMinutePerLevelDownToOne)
{
    EXPECT_EQ(levelTimeLimit(1), 600);
    EXPECT_EQ(levelTimeLimit(2), 540);
    EXPECT_EQ(levelTimeLimit(9), 120);
    EXPECT_EQ(levelTimeLimit(10), 60);
    EXPECT_EQ(levelTimeLimit(11), 60);
    EXPECT_EQ(levelTimeLimit(12), 60);
    EXPECT_EQ(levelTimeLimit(40), 60);
}

TEST(LevelRules, SpeedGrowsByFiveUpToFifty)
{
    EXPECT_FLOAT_EQ(levelSpeed(1), 10.0f);
    EXPECT_FLOAT_EQ(levelSpeed(2), 15.0f);
    EXPECT_FLOAT_EQ(levelSpeed(8), 45.0f);
    EXPECT_FLOAT_EQ(levelSpeed(9), 50.0f);
    EXPECT_FLOAT_EQ(levelSpeed(12), 50.0f);
}

TEST(LevelRules, RandomChallengeNeedsFiveKillsPerLevelPlusFive)
{
    EXPECT_EQ(randomChallengeKills(1), 10);
    EXPECT_EQ(randomChallengeKills(2), 15);
}
