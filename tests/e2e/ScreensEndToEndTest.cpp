// The loading and waiting screens and the model import lines of the real game,
// in a real window under Xvfb.
#include "support/core/GameWindow.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* const modelOrder[] = {
    "Assets\\MGCrawlerModel03.obj",          "Assets\\MGCrawler_Base.obj",
    "Assets\\MGCrawler_Base1.obj",           "Assets\\MGCrawler_Base3.obj",
    "Assets\\MGCrawler_Body.obj",            "Assets\\duck.obj",
    "Assets\\marbleBox\\marbleBox.obj",      "Assets\\DestroyedMGCrawler01.obj",
    "Assets\\Gameobjects\\projectile02.obj", "Assets\\Gameobjects\\simpleExplosion.obj",
    "Assets\\Gameobjects\\p_cannon.obj",     "Assets\\e_drone01.obj",
    "Assets\\world\\st01v002-ground.obj",    "Assets\\world\\w_rock02.obj",
    "Assets\\world\\w_radarDome.obj",        "Assets\\world\\w_dustCloud.obj",
    "Assets\\world\\e_fireball.obj",
};

TEST(ScreensEndToEnd, LoadingThenWaitingScreenWithTheModelLinesInCatalogueOrder)
{
    if (!fs::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
        GTEST_SKIP() << "the generated Assets/ are not in the game directory";
    GameWindow game(makeGameDirectory("screens-e2e"));
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();

    // The loading image stays up while the level loads and for two seconds after.
    const std::string lastModel = std::string("Model ") + modelOrder[16] + " loaded";
    ASSERT_TRUE(game.waitForOutput([&](const std::string& out) { return out.find(lastModel) != std::string::npos; },
                                   120))
        << game.process().outputSoFar();
    const Screenshot loading = game.screenshot("loading-screen");
    ASSERT_TRUE(loading.valid());
    EXPECT_GT(loading.brightestChannel(640, 360) + loading.brightestChannel(100, 600), 20)
        << "the loading image is shown, not a black window";

    // Then the waiting screen: its image with the white lines in front of it.
    Screenshot waiting;
    for (int attempt = 0; attempt < 60 && game.process().running(); ++attempt) {
        pause(500);
        waiting = game.screenshot("waiting-screen");
        if (waiting.valid() && waiting.whiteInTopLeft() > loading.whiteInTopLeft() + 200)
            break;
    }
    ASSERT_TRUE(waiting.valid());
    // The loading screen has no lines; the waiting screen adds them in white.
    EXPECT_GT(waiting.whiteInTopLeft(), loading.whiteInTopLeft() + 200) << "the level lines are drawn";
    EXPECT_GT(waiting.brightestChannel(640, 360) + waiting.brightestChannel(1000, 650), 20)
        << "the waiting image shows behind the text";

    game.keyDown("Return");
    const bool playing = game.waitForTitlePrefix("Sandlark V1.1 ", false, 60);
    game.keyUp("Return");
    EXPECT_TRUE(playing);
    game.keyDown("Escape");
    const ProcessResult result = game.process().wait(60);
    game.keyUp("Escape");
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;

    // Each model prints two lines, in the catalogue's order, before anything
    // else of the catalogue prints.
    const auto lines = linesOf(result.out);
    size_t first = 0;
    while (first < lines.size() && lines[first].rfind("Load model ", 0) != 0)
        ++first;
    ASSERT_LE(first + 34, lines.size()) << result.out;
    for (size_t i = 0; i < 17; ++i) {
        EXPECT_EQ(lines[first + 2 * i], std::string("Load model ") + modelOrder[i]);
        EXPECT_EQ(lines[first + 2 * i + 1], std::string("Model ") + modelOrder[i] + " loaded");
    }
    EXPECT_EQ(countOf(result.out, "Cleaning up...\n"), 1);
}

} // namespace
