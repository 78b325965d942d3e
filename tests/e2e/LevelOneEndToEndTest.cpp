// The first level of the real game on screen, from both cameras, with the HUD,
// the debug overlay, the pause, the help panel and a screenshot of the game's
// own, and the console lines of the whole run: start-up, loading, clean-up.
// Screenshots stay under build/test-output.
#include "support/core/GameWindow.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

namespace {

// The band of the screen above the horizon and the band below it, clear of the
// HUD's top line.
const Region upperBand{0, 60, 1280, 300};
const Region lowerBand{0, 440, 1280, 720};
const Region centre{600, 320, 700, 380};  // where the crosshair goes
const Region statistics{20, 600, 500, 705}; // three lines at the bottom left
const Region wireframeNotice{975, 670, 1280, 700};
const Region cullingNotice{975, 580, 1280, 610};
const Region pausedWord{500, 400, 780, 455}; // centred, below the crosshair
const Region helpPanel{102, 70, 1178, 383};
const Region screenshotNotice{600, 510, 1260, 548}; // above the toggles' notices
// What stands still while the world is paused: all but the HUD's top line, the
// statistics at the lower left and the notices at the lower right.
const Region stillPicture{0, 60, 1280, 500};

// The dusk sky is blue and violet overhead and on the side away from the sun.
bool isSkyBlue(int, int g, int b) { return b > g + 10 && b > 60; }
// Sand and sandstone: warm, red over green over blue.
bool isSand(int r, int g, int b) { return r >= g && g >= b && r - b > 20; }

// Pixels of `region` that differ clearly from their neighbour three to the right:
// textured sand has many, the sky's smooth haze next to none.
int detail(const Screenshot& shot, const Region& region)
{
    int found = 0;
    for (int y = region.top; y < region.bottom; ++y)
        for (int x = region.left; x + 3 < region.right; ++x) {
            const auto p = shot.at(x, y), q = shot.at(x + 3, y);
            found += (std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]) > 12) ? 1 : 0;
        }
    return found;
}

// A frame that shows the desert: sky above, sand below, and the variety of a
// rendered picture rather than a cleared or single-colour frame.
void expectSkyAndGround(const Screenshot& shot, const std::string& what)
{
    ASSERT_TRUE(shot.valid()) << what;
    EXPECT_GT(shot.count(upperBand, isSkyBlue), upperBand.area() / 5) << what << ": sky in the upper part";
    EXPECT_LT(shot.count(lowerBand, isSkyBlue), lowerBand.area() / 50) << what << ": no sky below the horizon";
    EXPECT_GT(shot.count(lowerBand, isSand), lowerBand.area() * 7 / 10) << what << ": sand in the lower part";
    EXPECT_GT(shot.distinctColours(shot.whole()), 60) << what << ": a rendered picture";
    EXPECT_GT(shot.count(killCounterArea, isHudRed), 30) << what << ": the kill counter";
    EXPECT_GT(shot.count(levelClockArea, isHudRed), 80) << what << ": the level clock";
}

bool hasCrosshair(const Screenshot& shot) { return shot.count(centre, isWhite) > 8; }

TEST(LevelOneEndToEnd, BothCamerasTheHudAndTheOverlayThenEscapeEndsTheGame)
{
    if (!std::filesystem::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
        GTEST_SKIP() << "the generated Assets/ are not in the game directory";
    // The shipped settings, but the level starts with the free camera, and no
    // sound device is looked for (a machine with one would print no line about it).
    const std::string dir = makeGameDirectory("level-one");
    std::string settings = readFile(dir + "/configuration.txt");
    const size_t debug = settings.find("\ndebugmode 0");
    ASSERT_NE(debug, std::string::npos) << settings;
    settings.replace(debug, 12, "\ndebugmode 1");
    writeFile(dir + "/configuration.txt", settings + "soundvolume 0\n");
    GameWindow game(dir);
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    EXPECT_EQ(game.title(), "Sandlark V1.1 ");
    ASSERT_TRUE(game.startPlaying(240)) << game.transcript();
    EXPECT_EQ(game.title().find("inf"), std::string::npos) << game.title();

    // The free camera looks over the level from above; debug mode has no crosshair.
    pause(1000);
    const Screenshot free = game.screenshot("level1-free-camera");
    expectSkyAndGround(free, "free camera");
    // The haze of the sky's lower half is sand-coloured too, but smooth: a few
    // hundred grained pixels in a band this size, where the ground's sand has
    // about twenty thousand. The bound sits far from both: what else moves in
    // the frame (crawlers, the drone, the headlight) must not tip it. (The
    // moving player camera blurs the grain, so only the free camera is measured.)
    EXPECT_GT(detail(free, lowerBand), lowerBand.area() / 100) << "the ground, not the sky below the horizon";
    EXPECT_FALSE(hasCrosshair(free));

    // Key 8 hands the view to the player's camera, with the normal controls and the crosshair.
    game.tap("8");
    const Screenshot player = game.waitForScreenshot("level1-player-camera", hasCrosshair, 20);
    EXPECT_TRUE(hasCrosshair(player)) << "the player's camera in mouse-look mode";
    expectSkyAndGround(player, "player camera");
    EXPECT_GT(differingPixels(free, player, upperBand), upperBand.area() / 4) << "another view: the sun's side";
    EXPECT_EQ(player.count(statistics, isOverlayGreen), 0) << "no statistics before F2";

    // F2: the statistics lines at the lower left.
    game.tap("F2");
    const auto showsStatistics = [](const Screenshot& shot) { return shot.count(statistics, isOverlayGreen) > 300; };
    EXPECT_TRUE(showsStatistics(game.waitForScreenshot("overlay-statistics", showsStatistics, 20)));
    // F3 and F8: each notice at the lower right for two seconds.
    game.tap("F3");
    const auto showsWireframe = [](const Screenshot& shot) {
        return shot.count(wireframeNotice, isOverlayGreen) > 150;
    };
    EXPECT_TRUE(showsWireframe(game.waitForScreenshot("overlay-wireframe-notice", showsWireframe, 10)));
    game.tap("F8");
    const auto showsCulling = [](const Screenshot& shot) { return shot.count(cullingNotice, isOverlayGreen) > 150; };
    EXPECT_TRUE(showsCulling(game.waitForScreenshot("overlay-culling-notice", showsCulling, 10)));

    // P: the world stands still and says so in the middle of the screen.
    const int whiteBefore = game.screenshot("before-pause").count(pausedWord, isWhite);
    game.tap("p");
    const auto showsPaused = [whiteBefore](const Screenshot& shot) {
        return shot.count(pausedWord, isWhite) > whiteBefore + 300;
    };
    const Screenshot paused = game.waitForScreenshot("paused", showsPaused, 10);
    EXPECT_TRUE(showsPaused(paused));
    // F1: the controls on a dark panel; F1 again takes it away.
    game.tap("F1");
    const int whitePaused = paused.count(helpPanel, isWhite);
    const auto showsHelp = [whitePaused](const Screenshot& shot) {
        return shot.count(helpPanel, isWhite) > whitePaused + 5000;
    };
    EXPECT_TRUE(showsHelp(game.waitForScreenshot("help-panel", showsHelp, 10)));
    game.tap("F1");
    const auto helpGone = [&showsHelp](const Screenshot& shot) { return !showsHelp(shot); };
    EXPECT_TRUE(helpGone(game.waitForScreenshot("help-hidden", helpGone, 10)));

    // F12: the window as a PNG of its size in screenshots/, the picture on the
    // screen, and a notice naming the file for two seconds.
    game.tap("F12");
    const auto showsNotice = [](const Screenshot& shot) { return shot.count(screenshotNotice, isOverlayGreen) > 300; };
    const Screenshot screen = game.waitForScreenshot("screenshot-notice", showsNotice, 20);
    EXPECT_TRUE(showsNotice(screen));
    const std::string savedAs = "Screenshot saved as ";
    ASSERT_TRUE(game.waitForOutput([&](const std::string& out) { return out.find(savedAs) != std::string::npos; }, 20))
        << game.transcript();
    const std::string out = game.process().outputSoFar();
    const size_t name = out.find(savedAs) + savedAs.size();
    const std::string file = out.substr(name, out.find('\n', name) - name);
    EXPECT_EQ(file.rfind("screenshots/sandlark-", 0), 0u) << file;
    EXPECT_EQ(shellOutput("identify -format '%m %w %h' '" + dir + "/" + file + "' 2>/dev/null"), "PNG 1280 720");
    const Screenshot saved = loadPicture(dir + "/" + file);
    ASSERT_TRUE(saved.valid()) << file;
    EXPECT_LT(differingPixels(saved, screen, stillPicture), stillPicture.area() / 100) << "the frame on the screen";
    EXPECT_GT(saved.count(pausedWord, isWhite), whiteBefore + 300) << "with the word PAUSED";

    game.keyDown("Escape");
    const ProcessResult result = game.process().wait(60);
    game.keyUp("Escape");
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");

    // Start-up: the context's identity, the three render targets, the two
    // post-processing targets; then loading prints its model lines, F12 its
    // line, and Escape the one clean-up line.
    const auto lines = linesOf(result.out);
    ASSERT_EQ(lines.size(), 4u + 7u + 34u + 1u + 1u) << result.out;
    const char* const labels[] = {"OpenGL version: ", "GLSL version: ", "Vendor: ", "Renderer: "};
    for (int i = 0; i < 4; ++i) {
        EXPECT_EQ(lines[i].rfind(labels[i], 0), 0u) << lines[i];
        EXPECT_GT(lines[i].size(), std::string(labels[i]).size()) << "the driver's answer follows the label";
    }
    const std::vector<std::string> targets(lines.begin() + 4, lines.begin() + 11);
    EXPECT_EQ(targets, (std::vector<std::string>{"testing", "testing", "testing", "Initialize framebuffer...",
                                                 "Framebuffer successfully initialized!", "Initialize framebuffer...",
                                                 "Framebuffer successfully initialized!"}));
    for (size_t i = 11; i < 45; ++i)
        EXPECT_EQ(lines[i].rfind(i % 2 == 1 ? "Load model Assets\\" : "Model Assets\\", 0), 0u) << lines[i];
    EXPECT_EQ(lines[45], savedAs + file);
    EXPECT_EQ(lines.back(), "Cleaning up...");
}

} // namespace
