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

TEST(HudText, WaitingScreenLinesWithTheLevelsRecordsBelow)
{
    // A limit that is not whole minutes is rounded down; the speed loses its fraction.
    LevelRecord record;
    record.bestTime = RecordFigure{151, "2025-06-30"};
    record.leastAmmo = RecordFigure{14, "2025-06-30"};
    const auto lines = levelInfoLines(3, 12.9f, 659, 7, record, 720.0f);
    ASSERT_EQ(lines.size(), 6u);
    expectLine(lines[0], "Level 3", 660.0f, 2.0f);
    expectLine(lines[1], "Speed level: 12", 630.0f, 1.0f);
    expectLine(lines[2], "Time: 10 min", 600.0f, 1.0f);
    expectLine(lines[3], "Needed kills: 7", 570.0f, 1.0f);
    expectLine(lines[4], "BEST TIME: 2:31", 540.0f, 1.0f);
    expectLine(lines[5], "LEAST AMMO: 14", 510.0f, 1.0f);

    const auto first = levelInfoLines(1, 10.0f, 600, -2, LevelRecord{}, 480.0f);
    ASSERT_EQ(first.size(), 5u);
    EXPECT_EQ(first[2].text, "Time: 10 min");
    EXPECT_EQ(first[3].text, "Needed kills: -2");
    EXPECT_FLOAT_EQ(first[0].y, 420.0f);
    expectLine(first[4], "NO RECORD YET", 300.0f, 1.0f);
}

TEST(HudText, WinningScreenHasTwoLinesAtTheTopWithItsNewRecords)
{
    const auto lines = endOfLevelLines(false, 123, 65.0, 720.0f);
    ASSERT_EQ(lines.size(), 2u);
    expectLine(lines[0], "Used ammo: 123", 690.0f, 1.0f);
    expectLine(lines[1], "Time: 01:05", 660.0f, 1.0f);
    EXPECT_EQ(endOfLevelLines(false, 123, 65.0, 720.0f, {true, false})[1].text, "Time: 01:05  NEW RECORD");
    EXPECT_EQ(endOfLevelLines(false, 123, 65.0, 720.0f, {false, true})[0].text, "Used ammo: 123  NEW RECORD");
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

TEST(OverlayLines, TogglePressesReadAsTheirLabelsInTurn)
{
    // From the start values: sampling 1, mip-mapping 2.
    EXPECT_STREQ(samplingLabel(2), "nn");
    EXPECT_STREQ(samplingLabel(3), "bilinear");
    EXPECT_STREQ(mipmapLabel(3), "off");
    EXPECT_STREQ(mipmapLabel(4), "nn");
    EXPECT_STREQ(mipmapLabel(5), "linear");
    EXPECT_STREQ(onOffLabel(false), "off");
}

TEST(OverlayLines, PlacesCountsAndNoticesAsThePlayerSeesThem)
{
    OverlayState overlay;
    overlay.killCount = 3;
    overlay.levelSeconds = 6000.0; // 100 minutes: three digits
    overlay.toggles.showStatistics = true;
    overlay.displayFps = 59.0;
    overlay.now = 20.0;
    overlay.notices.mipmapToggleTime = 18.5;
    overlay.notices.transparencyToggleTime = 18.0; // exactly two seconds ago: gone
    overlay.toggles.mipmapMode = 3;
    const std::vector<HudLine> lines = overlayLines(overlay, 1280, 720);
    ASSERT_EQ(lines.size(), 6u);
    EXPECT_EQ(lines[0].text, "3");
    EXPECT_EQ(lines[0].x, 25.0f);
    EXPECT_EQ(lines[0].y, 675.0f);
    EXPECT_EQ(lines[0].color, hudRed);
    EXPECT_EQ(lines[1].text, "100:00");
    EXPECT_EQ(lines[1].x, 1160.0f);
    EXPECT_EQ(lines[2].text, "Frametime (ms): 16");
    EXPECT_EQ(lines[3].text, "FPS: 59");
    EXPECT_EQ(lines[3].y, 60.0f);
    EXPECT_EQ(lines[4].text, "Mip mapping: off");
    EXPECT_EQ(lines[4].x, 980.0f);
    EXPECT_EQ(lines[4].y, 90.0f);
    EXPECT_EQ(lines[5].text, "+");
    EXPECT_EQ(lines[5].x, 640.0f);
    EXPECT_EQ(lines[5].y, 360.0f);
}

TEST(OverlayLines, AFrameRateOfZeroShowsNoInfiniteFrameTime)
{
    OverlayState overlay;
    overlay.toggles.showStatistics = true;
    overlay.crosshair = false;
    const std::vector<HudLine> lines = overlayLines(overlay, 641, 481);
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_EQ(lines[2].text, "Frametime (ms): 0");
    EXPECT_EQ(lines[3].text, "FPS: 0");
}

TEST(OverlayLines, PausedTheScreenshotNoticeAndTheHelpPanelKeepClearOfEachOther)
{
    OverlayState overlay;
    overlay.paused = true;
    overlay.now = 10.0;
    overlay.notices.screenshotTime = 8.5;
    overlay.notices.screenshotText = "Saved as screenshots/sandlark-2026-12-07-20-15-00.png";
    const std::vector<HudLine> lines = overlayLines(overlay, 1280, 720);
    ASSERT_EQ(lines.size(), 5u);
    EXPECT_EQ(lines[2].text, overlay.notices.screenshotText);
    EXPECT_EQ(lines[2].align, Align::End);
    EXPECT_GT(lines[2].y, 150.0f) << "above the toggles' notices";
    EXPECT_EQ(lines[4].text, "PAUSED");
    EXPECT_EQ(lines[4].align, Align::Centre);
    EXPECT_EQ(lines[4].x, 640.0f);

    Settings settings;
    settings.mousesensitivity = 150;
    settings.invertmouse = true;
    settings.renderscale = 75;
    const HudPanel panel = helpPanel(1280, 720);
    EXPECT_LT(lines[4].y + 2.0f * 30.0f, panel.bottom) << "PAUSED below the panel";
    const std::vector<HudLine> help = helpLines(settings, 0.75f, 1280, 720);
    EXPECT_EQ(help[help.size() - 2].text, "Mouse sensitivity: 150%    Invert mouse: on    Raw mouse motion: on");
    EXPECT_EQ(help.back().text, "Render scale: 75%    Vertical sync: on");
    settings.renderscale = 0;
    settings.vsync = false;
    EXPECT_EQ(helpLines(settings, 0.625f, 1280, 720).back().text,
              "Render scale: automatic, now 63%    Vertical sync: off");
    for (const HudLine& line : help) {
        EXPECT_GT(line.y, panel.bottom + 10.0f) << line.text;
        EXPECT_LT(line.y + 30.0f * line.scale, panel.bottom + panel.height) << line.text;
    }
}
