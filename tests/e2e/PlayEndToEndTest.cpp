// Levels of the test's own on the real desert, played by the real binary: the
// player stands still on flat sand looking along +z (where the player's camera
// looks at the start) with one crawler parked right in front. A crawler on
// screen, a kill, the slow finish, the winning screen with its new records, the
// next level, and the records on the next run's waiting screen.
// Screenshots stay under build/test-output.
#include "app/Records.h"
#include "game/Terrain.h"
#include "support/core/GameWindow.h"
#include "support/core/PrivateDisplay.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <filesystem>
#include <sstream>

namespace {

// The generated collision heightmap read as the game reads it: the blue byte of
// every pixel, bottom row first.
Terrain generatedTerrain()
{
    const std::string image = std::string(SANDLARK_GAME_DIR) + "/Assets/world/desertHeightmapCollision.jpg";
    const std::string raw = makeScratchDirectory("heightmap") + "/blue.gray";
    std::istringstream size(shellOutput("identify -format '%w %h' '" + image + "' 2>/dev/null"));
    int width = 0, height = 0;
    size >> width >> height;
    shellOutput("convert '" + image + "' -flip -channel B -separate -depth 8 'gray:" + raw + "' 2>/dev/null");
    const std::string bytes = readFile(raw);
    std::filesystem::remove(raw);
    return Terrain(width, height, std::vector<std::uint8_t>(bytes.begin(), bytes.end()));
}

// Where the player stands, and the height of the sand there.
struct Spot {
    float x = 0.0f, z = 0.0f, ground = 0.0f;
    float rise = 1e9f; // the most the sand around and ahead departs from `ground`
};

// The flattest place away from the map's edges, the radar dome and the butte,
// over `ahead` units along +z and `left` to `right` across: a parked crawler a
// few units ahead stands at the player's height, and a shot fired straight
// ahead flies level over the sand into it.
Spot flatSpot(const Terrain& terrain, float ahead = 60.0f, float left = -10.0f, float right = 10.0f)
{
    Spot best;
    for (float x = -450.0f; x <= 450.0f; x += 25.0f)
        for (float z = -450.0f; z <= 300.0f; z += 25.0f) {
            Spot here{x, z, terrain.heightAt(x, z), 0.0f};
            for (float dz = -10.0f; dz <= ahead; dz += 2.0f)
                for (float dx = left; dx <= right; dx += 5.0f)
                    here.rise = std::max(here.rise, std::abs(terrain.heightAt(x + dx, z + dz) - here.ground));
            if (here.rise < best.rise)
                best = here;
        }
    return best;
}

std::string vertex(float x, float y, float z)
{
    std::ostringstream line;
    line.precision(9);
    line << "v " << x << ' ' << y << ' ' << z << '\n';
    return line.str();
}

// A route of two equal points stands still. The crawler file is drawn at ten
// times the world's scale, and the game puts its points on the ground.
std::string parkedCrawler(const Spot& spot, float ahead)
{
    const std::string point = vertex(10.0f * spot.x, 0.0f, 10.0f * (spot.z + ahead));
    return point + point + "g parked\n";
}

// The player's route is in world units, 2 above the sand (the eye rides 5 higher).
std::string standingPlayer(const Spot& spot)
{
    const std::string point = vertex(spot.x, spot.ground + 2.0f, spot.z);
    return point + point;
}

const std::string configuration = "screenwidth 1280\nscreenheight 720\nsoundvolume 0\n";

// Where a crawler 12 units ahead shows: below the centre, its hull reaching the
// bottom of the screen.
const Region crawlerAhead{480, 470, 800, 720};

// The information lines at the top left, as rows of white: the waiting screen
// has four lines down to 150 pixels from the top, the winning screen two, the
// second ending 60 from the top.
const Region firstTwoLines{25, 0, 420, 62};
const Region lowerLines{25, 64, 420, 160};
const Region fourthLine{25, 125, 420, 156};
// The waiting screen's records below the four lines; on the winning screen,
// where "NEW RECORD" stands beside the ammo and the time.
const Region recordLines{25, 157, 420, 216};
const Region newRecordBesideAmmo{230, 5, 420, 33};
const Region newRecordBesideTime{230, 35, 420, 63};
// The screens between levels have no level clock.
bool isScreen(const Screenshot& shot) { return shot.count(levelClockArea, isHudRed) < 10; }
bool isWaitingScreen(const Screenshot& shot) { return isScreen(shot) && shot.count(fourthLine, isWhite) > 40; }
bool isWinningScreen(const Screenshot& shot)
{
    return isScreen(shot) && shot.count(firstTwoLines, isWhite) > 100 && shot.count(lowerLines, isWhite) < 10;
}

void expectCleanEnd(const ProcessResult& result, int cleanups)
{
    EXPECT_EQ(result.exitStatus, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(countOf(result.out, "Cleaning up...\n"), cleanups) << result.out;
    const auto lines = linesOf(result.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines.back(), "Cleaning up...");
}

class PlayEndToEnd : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!std::filesystem::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
            GTEST_SKIP() << "the generated Assets/ are not in the game directory";
        terrain = generatedTerrain();
        ASSERT_GT(terrain.width, 0) << "the heightmap could not be read";
        spot = flatSpot(terrain);
        ASSERT_LT(spot.rise, 1.5f) << "no flat place in the desert for the test";
    }

    Terrain terrain;
    Spot spot;
};

TEST_F(PlayEndToEnd, ACrawlerRightInFrontOfThePlayerIsOnScreen)
{
    // The same place twice at the same time, each game on an X display of its
    // own (they would fight over the one pointer): with the crawler 12 units
    // ahead, and with it parked far behind. Everything else in view is the same.
    GameWindow ahead(
        makeLevelDirectory("crawler-ahead", configuration, parkedCrawler(spot, 12.0f), standingPlayer(spot)));
    const PrivateDisplay secondDisplay;
    GameWindow behind(
        makeLevelDirectory("crawler-behind", configuration, parkedCrawler(spot, -300.0f), standingPlayer(spot)));
    ASSERT_NE(ahead.waitForWindow(), "") << ahead.transcript();
    ASSERT_NE(behind.waitForWindow(), "") << behind.transcript();
    ASSERT_TRUE(ahead.startPlaying(240)) << ahead.transcript();
    ASSERT_TRUE(behind.startPlaying(240)) << behind.transcript();
    const Screenshot with = ahead.screenshot("crawler-ahead");
    const Screenshot without = behind.screenshot("crawler-behind");
    ASSERT_TRUE(with.valid() && without.valid());

    const Region sky{0, 60, 1280, 300}; // below the HUD's figures
    EXPECT_GT(differingPixels(with, without, crawlerAhead), crawlerAhead.area() / 8) << "the crawler in front";
    EXPECT_LT(differingPixels(with, without, sky), sky.area() / 100) << "the same view otherwise";

    // Either way out of play ends the game after its clean-up.
    ahead.requestClose();
    expectCleanEnd(ahead.process().wait(60), 1);
    behind.keyDown("Escape");
    expectCleanEnd(behind.process().wait(60), 1);
    behind.keyUp("Escape");
}

// The fire a player sees: the player's warm white-gold tracers flying ahead
// below the horizon (above the muzzle flash at the bottom), the crawler's
// red-orange fire to the right (below the horizon: the sky's own orange does
// not reach there).
const Region tracerColumn{560, 385, 720, 600};
const Region crawlerSide{680, 370, 1280, 560};
bool isPlayerFire(int r, int g, int b) { return r > 230 && g > 200 && b < 200; }
bool isCrawlerFire(int r, int g, int b) { return r > 200 && g > 60 && g < 170 && b < 90; }

TEST_F(PlayEndToEnd, ACrawlerInRangeAndThePlayerTradeFireThatShows)
{
    // A crawler drives to and fro 25 to the right of the player's view, 110 to
    // 150 ahead: inside its range (100 to 200), so it fires at the player, and
    // out of the way of the player's shots, which fly straight ahead.
    const Spot wide = flatSpot(terrain, 160.0f, -35.0f, 10.0f);
    const std::string patrol = vertex(10.0f * (wide.x - 25.0f), 0.0f, 10.0f * (wide.z + 110.0f)) +
                               vertex(10.0f * (wide.x - 25.0f), 0.0f, 10.0f * (wide.z + 150.0f)) + "g patrol\n";
    GameWindow game(makeLevelDirectory("trading-fire", configuration, patrol, standingPlayer(wide)));
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    ASSERT_TRUE(game.startPlaying(240)) << game.transcript();
    pause(1000);
    game.buttonDown(1);
    // A frame with a tracer of the player's in flight, above the muzzle flash.
    const auto tradingFire = [](const Screenshot& shot) {
        return shot.count(tracerColumn, isPlayerFire) > 15 && shot.count(crawlerSide, isCrawlerFire) > 10;
    };
    const Screenshot fire = game.waitForScreenshot("trading-fire", tradingFire, 60);
    game.buttonUp(1);
    EXPECT_TRUE(tradingFire(fire)) << fire.count(tracerColumn, isPlayerFire) << " pixels of the player's tracers, "
                                   << fire.count(crawlerSide, isCrawlerFire) << " of the crawler's; the sand rises "
                                   << wide.rise << " round the player";
    game.requestClose();
    expectCleanEnd(game.process().wait(60), 1);
}

TEST_F(PlayEndToEnd, AKillWinsTheLevelTheNextLevelWaitsAndTheNextRunShowsTheRecords)
{
    const std::string dir =
        makeLevelDirectory("won-level", configuration, parkedCrawler(spot, 12.0f), standingPlayer(spot));
    // Records of a slow and wasteful win, which this one beats.
    writeFile(dir + "/records.txt", "version 1\nreached 1\nlevel1.besttime 500\nlevel1.besttime.date 2020-01-01\n"
                                    "level1.leastammo 99999\nlevel1.leastammo.date 2020-01-01\nend\n");
    GameWindow game(dir);
    ASSERT_NE(game.waitForWindow(), "") << game.transcript();
    const Screenshot firstWaiting = game.waitForScreenshot("level1-waiting", isWaitingScreen, 240);
    ASSERT_TRUE(isWaitingScreen(firstWaiting)) << game.transcript();
    ASSERT_TRUE(game.startPlaying(240)) << game.transcript();
    pause(1000);
    const Screenshot before = game.screenshot("kill-before");

    // The left button held: the crawler stands a few units past the muzzle, where
    // the first shot is tested before it has moved, so the first shot hits. The
    // first frame that counts the kill shows the blast at its start.
    const int zero = before.count(killCounterArea, isHudRed);
    const auto counted = [zero](const Screenshot& shot) { // a 1 has fewer red pixels than a 0
        return shot.count(killCounterArea, isHudRed) < zero * 3 / 4;
    };
    const auto fired = std::chrono::steady_clock::now();
    game.buttonDown(1);
    const Screenshot explosion = game.waitForScreenshot("kill-explosion", counted, 60);
    game.buttonUp(1);
    ASSERT_TRUE(counted(explosion)) << "the kill counter: " << explosion.count(killCounterArea, isHudRed)
                                    << " red pixels, " << zero << " before the shot";
    EXPECT_GT(differingPixels(before, explosion, crawlerAhead), crawlerAhead.area() / 8) << "the blast and the wreck";

    // Half a second of game time at a twentieth of real time, then half a
    // second's pause: the winning screen comes more than ten seconds after the shot.
    const Screenshot won = game.waitForScreenshot("winning-screen", isWinningScreen, 120);
    const double finish = std::chrono::duration<double>(std::chrono::steady_clock::now() - fired).count();
    ASSERT_TRUE(isWinningScreen(won)) << game.transcript();
    EXPECT_GT(finish, 10.0) << "the finish runs in slow motion";
    EXPECT_LT(finish, 60.0);
    EXPECT_GT(won.count(newRecordBesideAmmo, isWhite), 80);
    EXPECT_GT(won.count(newRecordBesideTime, isWhite), 80);
    // The file has the new records by the time the winning screen shows.
    const ParsedRecords kept = parseRecords(readFile(dir + "/records.txt"));
    ASSERT_EQ(kept.damage, "");
    EXPECT_EQ(kept.records.reached, 2);
    const LevelRecord& level1 = kept.records.levels.at(1);
    ASSERT_TRUE(level1.bestTime && level1.leastAmmo);
    EXPECT_LT(level1.bestTime->value, 500);
    EXPECT_LT(level1.leastAmmo->value, 99999);
    EXPECT_EQ(level1.bestTime->date, todayText());

    // Enter, held until the level is cleaned up (and let go long before the
    // next waiting screen looks at it): the next level loads.
    game.keyDown("Return");
    const bool cleaned = game.waitForOutput(
        [](const std::string& out) { return out.find("Cleaning up...") != std::string::npos; }, 60);
    game.keyUp("Return");
    ASSERT_TRUE(cleaned) << game.transcript();
    ASSERT_TRUE(game.waitForOutput([](const std::string& out) { return countOf(out, " loaded\n") == 2 * 17; }, 240))
        << game.transcript();
    const Screenshot secondWaiting = game.waitForScreenshot("level2-waiting", isWaitingScreen, 60);
    ASSERT_TRUE(isWaitingScreen(secondWaiting));
    // The same picture with other figures: the level number, its speed and its time.
    const Region text{25, 0, 420, 160};
    EXPECT_GT(differingPixels(firstWaiting, secondWaiting, text), 150) << "level 2's lines differ from level 1's";
    EXPECT_LT(differingPixels(firstWaiting, secondWaiting, {420, 0, 1280, 720}), 1000) << "the same waiting image";

    // Escape does nothing on the waiting screen; during play it ends the game.
    game.tap("Escape");
    pause(1000);
    ASSERT_TRUE(game.process().running()) << game.transcript();
    ASSERT_TRUE(game.startPlaying(120)) << game.transcript();
    game.keyDown("Escape");
    const ProcessResult result = game.process().wait(60);
    game.keyUp("Escape");
    expectCleanEnd(result, 2);

    // After the winning screen: the clean-up, then the next level's loading lines.
    const auto lines = linesOf(result.out);
    const auto cleanup = std::find(lines.begin(), lines.end(), "Cleaning up...");
    ASSERT_GE(std::distance(cleanup, lines.end()), 36) << result.out;
    EXPECT_EQ(*(cleanup + 1), "Load model Assets\\MGCrawlerModel03.obj");
    EXPECT_EQ(*(cleanup + 34), "Model Assets\\world\\e_fireball.obj loaded");

    // The next run starts at level 1 again and shows its new records.
    GameWindow next(dir);
    ASSERT_NE(next.waitForWindow(), "") << next.transcript();
    const Screenshot nextWaiting = next.waitForScreenshot("level1-waiting-next-run", isWaitingScreen, 240);
    ASSERT_TRUE(isWaitingScreen(nextWaiting)) << next.transcript();
    EXPECT_LT(differingPixels(firstWaiting, nextWaiting, {25, 0, 420, 156}), 50) << "level 1's four lines";
    EXPECT_GT(nextWaiting.count({25, 187, 420, 216}, isWhite), 40) << "two lines of records";
    EXPECT_GT(differingPixels(firstWaiting, nextWaiting, recordLines), 60) << "with the new figures";
    next.requestClose();
    expectCleanEnd(next.process().wait(60), 1);
}

} // namespace
