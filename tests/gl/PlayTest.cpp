// Whole levels played in-process through the real loop, window and context,
// with a scripted keyboard, mouse, pad and clock, on a level written by the test:
// flat ground, the player riding straight along +z, one crawler 60 units ahead
// driving away.
#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Startup.h"
#include "support/core/Process.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/InProcessGame.h"
#include "support/gl/TestLevel.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace {

GameState& state() { return game().state; }
World& world() { return game().world; }

class PlayTest : public InProcessGame {
protected:
    static void SetUpTestSuite() { startGameIn(TestLevel{}.write("play")); }

    void SetUp() override
    {
        InProcessGame::SetUp();
        game().settings.debugmode = false;
    }
};

// Loading ends at t = 2; Enter at 2.1 starts the level.

TEST_F(PlayTest, AShotKillsTheOnlyCrawlerAndTheSlowFinishWinsTheLevel)
{
    bool killed = false, completing = false;
    int debris = 0, fire = 0;
    float slowMotion = 0.0f;
    double wonAt = 0.0;
    script->holdKey(2.1, 2.2, Key::Enter);
    script->holdButton(2.5, 2.56, MouseButton::Left);
    script->at(2.7, [&] {
        killed = !world().crawlers.empty() && world().crawlers[0].destroyed;
        completing = state().levelCompleting;
        slowMotion = state().timeScale;
        debris = static_cast<int>(world().debrisEmitter->particles.objects.size());
        fire = static_cast<int>(world().fireballEmitter->particles.objects.size());
    });
    // Watch for the end of the finish on every poll.
    for (double t = 3.0; t < 20.0; t += 1.0 / 64.0)
        script->at(t, [&, t] {
            if (wonAt == 0.0 && state().levelWon)
                wonAt = t;
        });
    script->holdKey(16.0, 16.2, Key::Enter); // leave the winning screen
    script->at(18.5, [&] {
        EXPECT_EQ(state().currentLevel, 2) << "the next level is loaded";
        EXPECT_EQ(world().timeLimit, 540);
        EXPECT_EQ(state().killCount, 0);
        EXPECT_EQ(state().timeScale, 1.0f) << "the next level runs at full speed";
    });
    script->closeWindow(19.0);

    const std::string out = play();
    EXPECT_TRUE(killed);
    EXPECT_TRUE(completing);
    EXPECT_EQ(slowMotion, 0.05f);
    EXPECT_GT(debris, 100) << "the explosion's debris is flying";
    EXPECT_GT(fire, 50);
    // Half a scaled second at a twentieth of real time: about ten seconds.
    EXPECT_GT(wonAt, 2.5 + 9.5);
    EXPECT_LT(wonAt, 2.5 + 11.0);
    EXPECT_EQ(countOf(out, "Cleaning up...\n"), 2);
    EXPECT_EQ(script->sleeps, (std::vector<int>{2000, 500, 2000}));
}

TEST_F(PlayTest, TheCrawlerFiresBackFromBetweenOneAndTwoHundredUnits)
{
    // The crawler starts 60 ahead and drives away at 20 while the player
    // follows at 10: four seconds into the level it is more than 100 away.
    std::size_t shotsNear = 99, shotsFar = 0;
    script->holdKey(2.1, 2.2, Key::Enter);
    script->at(5.0, [&] { shotsNear = world().enemyWeapon.objects.size(); });
    for (double t = 7.0; t < 9.0; t += 0.1)
        script->at(t, [&] { shotsFar = std::max(shotsFar, world().enemyWeapon.objects.size()); });
    script->closeWindow(9.0);
    play();
    EXPECT_EQ(shotsNear, 0u) << "too close to fire";
    EXPECT_GT(shotsFar, 0u);
}

TEST_F(PlayTest, RenderTogglesActOnReleaseAndCarryOverToTheNextPlay)
{
    GLboolean blendDuring = GL_TRUE;
    bool wireframeWhileHeld = true;
    script->holdKey(2.1, 2.2, Key::Enter);
    script->holdKey(2.5, 3.0, Key::F3);
    script->at(2.9, [&] { wireframeWhileHeld = game().toggles.wireframe; });
    script->holdKey(3.2, 3.3, Key::F9);
    script->holdKey(3.5, 3.6, Key::F4);
    script->holdKey(3.7, 3.8, Key::F4);
    script->at(3.9, [&] { blendDuring = glIsEnabled(GL_BLEND); });
    script->closeWindow(4.0);
    play();
    const RenderToggles& toggles = game().toggles;
    EXPECT_FALSE(wireframeWhileHeld) << "holding the key changes nothing yet";
    EXPECT_TRUE(toggles.wireframe);
    EXPECT_FALSE(toggles.transparency);
    EXPECT_EQ(blendDuring, GL_FALSE) << "blending goes off at once";
    EXPECT_EQ(toggles.textureSamplingMode, 3);
    EXPECT_GT(game().notices.wireframeToggleTime, 2.9);
    EXPECT_GT(game().notices.transparencyToggleTime, 3.2);
}

TEST_F(PlayTest, ThePadAloneWinsALevelAndTheFocusPausesItOnTheWay)
{
    bool pausedAtStart = true, pausedWhileAway = false, pausedAfter = true, killed = false;
    script->plugPad(0.0, 100.0);
    script->holdPadButton(2.1, 2.2, PadButton::Start); // Enter on the waiting screen
    script->at(2.4, [&] { pausedAtStart = state().paused; });
    script->at(2.5, [&] { script->windowFocused = false; });
    script->at(2.7, [&] {
        pausedWhileAway = state().paused;
        script->windowFocused = true;
    });
    script->at(2.8, [&] { pausedAfter = state().paused; });
    script->holdPadAxis(2.9, 2.96, PadAxis::RightTrigger, 1.0f);
    script->at(3.2, [&] { killed = !world().crawlers.empty() && world().crawlers[0].destroyed; });
    script->holdPadButton(16.0, 16.2, PadButton::Start); // leave the winning screen
    script->at(18.5, [] { EXPECT_EQ(state().currentLevel, 2) << "the next level is loaded"; });
    script->closeWindow(19.0);

    play();
    EXPECT_FALSE(pausedAtStart) << "the Start that began the level does not pause it";
    EXPECT_TRUE(pausedWhileAway);
    EXPECT_FALSE(pausedAfter);
    EXPECT_TRUE(killed);
    EXPECT_EQ(state().currentLevel, 2);
}

TEST_F(PlayTest, AScreenshotThatCannotBeSavedSaysWhyAndPlayGoesOn)
{
    writeFile("screenshots", "a file where the folder would go");
    std::string notice;
    script->holdKey(2.1, 2.2, Key::Enter);
    script->holdKey(2.5, 2.6, Key::F12);
    script->at(2.8, [&] { notice = game().notices.screenshotText; });
    script->closeWindow(3.5);

    const std::string out = play();
    std::filesystem::remove("screenshots");
    EXPECT_EQ(notice, "Screenshot failed");
    EXPECT_EQ(countOf(out, "Screenshot failed: cannot make the folder screenshots"), 1) << out;
    EXPECT_GT(script->titles.size(), 60u) << "play went on";
}

} // namespace
