// The real binary under Xvfb: start-up without a window, and closing the window
// on the waiting screen. (A whole run through level 1 is in LevelOneEndToEndTest.)
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
