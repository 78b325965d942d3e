// The real binary under Xvfb: start-up that cannot open a window (and says why),
// full screen at a size the screen lacks, a game without a sound device, and
// closing the window on the waiting screen. (A whole run through level 1 is in
// LevelOneEndToEndTest.)
#include "support/core/GameWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

bool hasIdentityLines(const std::string& out) { return out.find("Renderer: ") != std::string::npos; }

TEST(StartupEndToEnd, WithoutConfigurationTheWindowCannotBeCreated)
{
    const std::string dir = makeGameDirectory("no-configuration", false);
    auto result = runProcess({std::string(SANDLARK_GAME_DIR) + "/sandlark"}, dir, 30);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "ERROR: GLWindow could not be created. (OpenGL 3.3)\n");
    EXPECT_EQ(result.out, "") << "no identity lines before the window exists";
}

TEST(StartupEndToEnd, AWindowSizeThatIsNoSizeOrTooLargeFailsCleanly)
{
    // Before, a negative width tripped an assertion inside GLFW (SIGABRT) and a
    // huge one ended in an X error with no message of ours.
    for (const char* size : {"screenwidth -5\nscreenheight 720\n", "screenwidth 1280\nscreenheight 0\n",
                             "screenwidth 100000\nscreenheight 100000\n", "screenwidth 20000\nscreenheight 200\n"}) {
        const std::string dir = makeGameDirectory("window-size", false);
        writeFile(dir + "/configuration.txt", std::string(size) + "soundvolume 0\n");
        const auto result = runProcess({std::string(SANDLARK_GAME_DIR) + "/sandlark"}, dir, 60);
        EXPECT_EQ(result.exitStatus, 1) << size;
        EXPECT_EQ(result.err, "ERROR: GLWindow could not be created. (OpenGL 3.3)\n") << size;
        EXPECT_EQ(result.out.find("testing"), std::string::npos) << size;
    }
}

TEST(StartupEndToEnd, WithoutADisplayGlfwSaysWhyBeforeTheFailure)
{
    const std::string dir = makeGameDirectory("no-display");
    const auto result = runProcess({"env", "-u", "DISPLAY", std::string(SANDLARK_GAME_DIR) + "/sandlark"}, dir, 60);
    EXPECT_EQ(result.exitStatus, 1);
    EXPECT_EQ(result.err, "GLFW: X11: The DISPLAY environment variable is missing\n"
                          "ERROR: GLWindow could not be created. (OpenGL 3.3)\n");
}

TEST(StartupEndToEnd, FullScreenWithoutThatModeFillsTheScreenItGets)
{
    // The screen is 1280 x 720 and has no 800 x 600 mode: the game gets the
    // whole screen and must draw over all of it, not into a corner.
    const std::string dir = makeGameDirectory("full-screen");
    writeFile(dir + "/configuration.txt", "fullscreen 1\nscreenwidth 800\nscreenheight 600\nsoundvolume 0\n");
    GameWindow game(dir);
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    ASSERT_TRUE(game.waitForOutput([](const std::string& out) { return out.find("e_fireball.obj loaded") != std::string::npos; },
                                   120));
    // The waiting screen comes two seconds after loading, later on a busy machine.
    Screenshot shot;
    for (int tries = 0; tries < 60 && shot.whiteInTopLeft() <= 100; ++tries) {
        pause(500);
        shot = game.screenshot("e2e-full-screen-waiting");
    }
    ASSERT_TRUE(shot.valid());
    for (const auto& [x, y] : {std::pair{1200, 700}, std::pair{1270, 20}, std::pair{900, 650}})
        EXPECT_GT(shot.brightestChannel(x, y), 20) << "the picture reaches " << x << ", " << y;
    EXPECT_GT(shot.whiteInTopLeft(), 100) << "the level's lines are drawn at the top left of the real screen";
    game.requestClose();
    EXPECT_EQ(game.process().wait(60).exitStatus, 0);
}

TEST(StartupEndToEnd, WithoutASoundDeviceOneLineSaysSoAndTheGamePlays)
{
    // No sound device at all (no backend OpenAL knows): one line says so and
    // the game plays as before.
    setenv("ALSOFT_DRIVERS", "no-such-backend", 1);
    GameWindow game(makeGameDirectory("enter-escape"));
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    EXPECT_EQ(game.title().rfind("Sandlark V1.1 ", 0), 0u) << game.title();
    ASSERT_TRUE(game.waitForOutput(hasIdentityLines, 30));

    // Hold Enter until the frame loop writes the frame rate into the title: the
    // key is only read on the waiting screen, after loading.
    game.keyDown("Return");
    const bool playing = game.waitForTitlePrefix("Sandlark V1.1 ", false, 120);
    game.keyUp("Return");
    ASSERT_TRUE(playing) << game.transcript();
    pause(1500);
    game.screenshot("e2e-playing");
    EXPECT_EQ(game.title().find("inf"), std::string::npos) << game.title();

    game.keyDown("Escape");
    auto result = game.process().wait(60);
    game.keyUp("Escape");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(linesOf(result.out).front().rfind("OpenGL version: ", 0), 0u);
    EXPECT_EQ(countOf(result.out, "Cleaning up...\n"), 1);
    EXPECT_EQ(linesOf(result.out).back(), "Cleaning up...");
    EXPECT_EQ(countOf(result.out, "No audio device: the game goes on without sound\n"), 1);
    EXPECT_EQ(result.err, "") << "the sound libraries' own complaints stay out of the way";
}

TEST(StartupEndToEnd, ClosingTheWindowOnTheWaitingScreenEndsCleanly)
{
    GameWindow game(makeGameDirectory("close-waiting"));
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    ASSERT_TRUE(game.waitForOutput(hasIdentityLines, 30));
    // Loading prints a line per model when there are models; then the loading
    // image stays up for two seconds before the waiting screen.
    if (std::filesystem::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
        game.waitForOutput([](const std::string& out) { return out.find("e_fireball.obj loaded") != std::string::npos; },
                           120);
    pause(3000);
    game.screenshot("e2e-waiting");

    game.requestClose();
    auto result = game.process().wait(60);
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(countOf(result.out, "Cleaning up...\n"), 1);
    EXPECT_EQ(result.err, "");
}

} // namespace
