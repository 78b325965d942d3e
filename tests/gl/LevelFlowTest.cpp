// The real level loop, in-process, on a real window and context, with a scripted
// keyboard and clock: Enter, Escape, the time limit, wins and losses.
#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Startup.h"
#include "support/core/GameWindow.h"
#include "support/core/Process.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/InProcessGame.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>

namespace {

GameState& state() { return game().state; }
World& world() { return game().world; }

class LevelFlowTest : public InProcessGame {
protected:
    static void SetUpTestSuite()
    {
        // A game directory of our own: the shaders, the generated assets and a
        // small window.
        const std::string dir = makeGameDirectory("level-flow", false);
        writeFile(dir + "/configuration.txt", "screenwidth 320\nscreenheight 180\n");
        startGameIn(dir);
    }
};

// Loading ends at t = 2 (the 2000 ms sleep); the waiting screen polls from then on.

TEST_F(LevelFlowTest, TimeLimitLosesAndTheSameLevelIsPlayedAgain)
{
    bool timeUpSeen = false;
    script->holdKey(2.1, 2.3, Key::Enter);       // start the level
    script->jumpClock(3.0, 601.0);               // the ten minutes pass
    script->at(604.2, [&] { timeUpSeen = state().timeUp; });
    script->holdKey(604.2, 604.6, Key::Enter);   // leave the losing screen
    script->at(606.8, [&] { EXPECT_EQ(world().timeLimit, 600); });
    script->closeWindow(608.0);                  // during the second waiting screen or play

    const std::string out = play();
    EXPECT_TRUE(timeUpSeen);
    EXPECT_EQ(state().currentLevel, 1);
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 2);
    EXPECT_EQ(script->sleeps, (std::vector<int>{2000, 500, 2000}));
    EXPECT_TRUE(script->terminated);
    EXPECT_FALSE(script->gaveUp);
}

TEST_F(LevelFlowTest, WonLevelRaisesTheLevelAndTightensItsTargets)
{
    script->holdKey(2.1, 2.3, Key::Enter);
    script->at(4.0, [] {
        state().killCount = 7;
        state().usedAmmo = 90;
    });
    script->at(5.0, [] { state().levelWon = true; });
    script->holdKey(6.0, 6.3, Key::Enter);       // leave the winning screen
    script->at(8.8, [&] {
        EXPECT_EQ(world().timeLimit, 540);
        EXPECT_FLOAT_EQ(world().speedLevel, 15.0f);
        EXPECT_EQ(state().killCount, 0) << "every level starts its count afresh";
        EXPECT_EQ(state().usedAmmo, 0);
        EXPECT_FALSE(state().levelWon);
    });
    script->closeWindow(9.0);

    const std::string out = play();
    EXPECT_EQ(state().currentLevel, 2);
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 2);
    EXPECT_EQ(script->sleeps, (std::vector<int>{2000, 500, 2000}));
}

TEST_F(LevelFlowTest, StartLevelFollowsTheSettingUpToTheLevelReached)
{
    writeFile("records.txt", "version 1\nreached 3\nend\n");
    const struct {
        int startlevel, level;
        const char* notice;
    } cases[] = {{0, 3, ""}, {1, 1, ""}, {3, 3, ""}, {9, 3, "Level 9 is not reached yet: starting at level 3\n"}};
    for (const auto& c : cases) {
        game().settings.startlevel = c.startlevel;
        testing::internal::CaptureStdout();
        startAtChosenLevel();
        EXPECT_EQ(testing::internal::GetCapturedStdout(), c.notice);
        EXPECT_EQ(state().currentLevel, c.level) << "startlevel " << c.startlevel;
    }
    // The level chosen is the one played: level 3 has eight minutes.
    int timeLimit = 0;
    script->at(2.05, [&] { timeLimit = world().timeLimit; });
    script->closeWindow(2.5);
    play();
    EXPECT_EQ(timeLimit, 480);
    game().settings.startlevel = 1;
    game().records = RecordBook{};
    std::filesystem::remove("records.txt");
}

TEST_F(LevelFlowTest, WinInTheFrameTheTimeRunsOutCountsAsLost)
{
    script->holdKey(2.1, 2.3, Key::Enter);
    script->at(4.0, [] { state().levelWon = true; });
    script->jumpClock(4.0, 601.0);
    script->holdKey(606.0, 606.3, Key::Enter);
    script->closeWindow(609.0);

    play();
    EXPECT_EQ(state().currentLevel, 1);
}

TEST_F(LevelFlowTest, TimeLimitCountsFromEnterOnRealTime)
{
    bool upBeforeLimit = true;
    script->holdKey(100.0, 100.2, Key::Enter);   // a long wait on the waiting screen does not count
    // Neither pause nor slow motion stops the clock.
    script->at(101.0, [] { state().paused = true; state().timeScale = 0.05f; });
    script->jumpClock(101.0, 598.0);
    script->at(699.5, [&] { upBeforeLimit = state().timeUp; });
    script->at(701.0, [&] { EXPECT_TRUE(state().timeUp); });
    script->holdKey(701.0, 701.2, Key::Enter);
    script->closeWindow(704.0);

    play();
    EXPECT_FALSE(upBeforeLimit);
    EXPECT_EQ(script->sleeps, (std::vector<int>{2000, 500, 2000}));
}

TEST_F(LevelFlowTest, EscapeDuringPlayEndsWithoutAnEndScreen)
{
    script->holdKey(2.1, 2.3, Key::Enter);
    script->holdKey(3.0, 3.2, Key::Escape);

    const std::string out = play();
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 1);
    EXPECT_EQ(linesOf(out).back(), "Cleaning up...");
    EXPECT_EQ(script->sleeps, (std::vector<int>{2000}));
    EXPECT_TRUE(script->terminated);
    EXPECT_FALSE(script->gaveUp);
}

TEST_F(LevelFlowTest, EscapeOnTheWaitingScreenDoesNothing)
{
    double playStartedAt = 0.0;
    script->holdKey(2.0, 2.5, Key::Escape);
    script->holdKey(3.0, 3.2, Key::Enter);
    script->at(3.5, [&] { playStartedAt = state().levelStartTime; });
    script->closeWindow(4.0);

    const std::string out = play();
    EXPECT_GT(playStartedAt, 2.9) << "the level started only with Enter";
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 1);
    EXPECT_FALSE(script->titles.empty());
}

TEST_F(LevelFlowTest, ClosingTheWindowOnTheWaitingScreenCleansUpOnce)
{
    script->closeWindow(2.5);
    const std::string out = play();
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 1);
    EXPECT_EQ(linesOf(out).back(), "Cleaning up...");
    EXPECT_TRUE(script->titles.empty()) << "no frame was played";
    EXPECT_TRUE(script->terminated);
}

TEST_F(LevelFlowTest, FrameFiguresTitleClockAndBlurStrength)
{
    game().settings.fMotionblurFactor = 1.5f;
    double secondsAfterFirstFrame = -1.0;
    float blurScale = -1.0f, finishingBlurScale = -1.0f;
    auto readBlurScale = [](float& value) {
        const GLuint composite = game().postProcessing.compositeProgram->program;
        glUseProgram(composite);
        glGetUniformfv(composite, glGetUniformLocation(composite, "uVelocityScale"), &value);
        glUseProgram(0);
    };
    script->holdKey(2.1, 2.3, Key::Enter);
    script->at(2.5, [&] { secondsAfterFirstFrame = state().levelSeconds; });
    script->at(4.0, [&] { readBlurScale(blurScale); });
    script->at(4.5, [] { state().levelCompleting = true; });
    script->at(4.6, [&] { readBlurScale(finishingBlurScale); });
    script->closeWindow(4.7);

    play();
    // The first frame of the process refreshes the figure at once.
    EXPECT_EQ(secondsAfterFirstFrame, 1.0);
    // About two and a half seconds of play; the figure refreshes only after more
    // than a second, so the clock runs a little slow.
    EXPECT_EQ(state().levelSeconds, 3.0);
    EXPECT_EQ(state().displayFps, 64.0);
    EXPECT_FLOAT_EQ(blurScale, 64.0f / 60.0f * 1.5f);
    EXPECT_FLOAT_EQ(finishingBlurScale, 2.0f * 64.0f / 60.0f * 1.5f) << "the winning finish doubles the blur";
    ASSERT_FALSE(script->titles.empty());
    EXPECT_EQ(script->titles.back().rfind("Sandlark V1.1 ", 0), 0u);
    EXPECT_EQ(script->titles.back(), "Sandlark V1.1 64.000000");
}

TEST_F(LevelFlowTest, FramesWithoutElapsedTimeStayFinite)
{
    // A clock that stands still during play: every frame time is zero.
    auto frozen = std::make_unique<ScriptedInput>(0.0, 5000.0);
    script = frozen.get();
    game().input = std::move(frozen);
    script->holdKey(0.0, 3.0, Key::Enter);
    script->closeAfterPolls(50);

    play();
    ASSERT_FALSE(script->titles.empty());
    for (const std::string& title : script->titles)
        EXPECT_EQ(title, "Sandlark V1.1 0.000000");
    EXPECT_TRUE(std::isfinite(state().displayFps));
    EXPECT_EQ(state().levelSeconds, 0.0) << "no rate was measured, so the clock was not advanced";
}

} // namespace
