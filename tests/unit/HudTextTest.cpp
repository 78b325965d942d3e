#include "app/HudText.h"

#include <gtest/gtest.h>

namespace {

TEST(HudText, ClockIsMinutesAndSecondsWithLeadingZeros)
{
    const std::pair<double, const char*> cases[] = {
        {0.0, "00:00"},   {9.0, "00:09"},     {59.9, "00:59"},      {65.0, "01:05"},
        {600.0, "10:00"}, {5999.0, "99:59"},  {6000.0, "100:00"},   {6009.0, "100:09"},
    };
    for (const auto& [seconds, text] : cases)
        EXPECT_EQ(clockText(seconds), text) << seconds;
}

void expectLine(const HudLine& line, const std::string& text, float y, float scale)
{
    EXPECT_EQ(line.text, text);
    EXPECT_FLOAT_EQ(line.x, 25.0f) << text;
    EXPECT_FLOAT_EQ(line.y, y) << text;
    EXPECT_FLOAT_EQ(line.scale, scale) << text;
    EXPECT_EQ(line.color, glm::vec3(1.0f)) << text;
}

TEST(HudText, WaitingScreenLines)
{
    // A limit that is not whole minutes is rounded down; the speed loses its fraction.
    const auto lines = levelInfoLines(3, 12.9f, 659, 7, 720.0f);
    ASSERT_EQ(lines.size(), 4u);
    expectLine(lines[0], "Level 3", 660.0f, 2.0f);
    expectLine(lines[1], "Speed level: 12", 630.0f, 1.0f);
    expectLine(lines[2], "Time: 10 min", 600.0f, 1.0f);
    expectLine(lines[3], "Needed kills: 7", 570.0f, 1.0f);

    const auto first = levelInfoLines(1, 10.0f, 600, -2, 480.0f);
    EXPECT_EQ(first[2].text, "Time: 10 min");
    EXPECT_EQ(first[3].text, "Needed kills: -2");
    EXPECT_FLOAT_EQ(first[0].y, 420.0f);
}

TEST(HudText, WinningScreenHasTwoLinesAtTheTop)
{
    const auto lines = endOfLevelLines(false, 123, 65.0, 720.0f);
    ASSERT_EQ(lines.size(), 2u);
    expectLine(lines[0], "Used ammo: 123", 690.0f, 1.0f);
    expectLine(lines[1], "Time: 01:05", 660.0f, 1.0f);
}

TEST(HudText, LosingScreenIsHeadedByTimeIsUpAtTwiceTheSize)
{
    const auto lines = endOfLevelLines(true, 0, 600.0, 720.0f);
    ASSERT_EQ(lines.size(), 3u);
    expectLine(lines[0], "Time is up!", 660.0f, 2.0f);
    expectLine(lines[1], "Used ammo: 0", 630.0f, 1.0f);
    expectLine(lines[2], "Time: 10:00", 600.0f, 1.0f);
}

} // namespace
