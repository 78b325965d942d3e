// Reading the level files and building a level from them (or from seeded random
// numbers), without a display: meshes as bounds, a flat or sloped terrain.
#include "game/LevelConstruction.h"
#include "game/LevelFiles.h"
#include "support/core/Process.h"
#include "support/core/TestWorld.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

LevelFile parse(const std::string& text)
{
    std::istringstream in(text);
    return parseLevelFile(in);
}

// A terrain whose height grows with x: grey = column / 6, so every point's
// ground height tells where it was sampled.
std::unique_ptr<Terrain> slopedTerrain()
{
    std::vector<std::uint8_t> grey(1500u * 1500u);
    for (std::size_t row = 0; row < 1500; ++row)
        for (std::size_t column = 0; column < 1500; ++column)
            grey[row * 1500 + column] = static_cast<std::uint8_t>(column / 6);
    return std::make_unique<Terrain>(1500, 1500, std::move(grey));
}

} // namespace

TEST(LevelFiles, OnlyTheExactWordsVAndGCount)
{
    const LevelFile file = parse("# a comment\nv 1 2 3\nvt 0.5 0.5\nvn 0 1 0\nvx 9 9 9\n  v\t4 5 6\r\n"
                                 "g route1\nf 1 2 3\nv 7 8\nv 7 8 9 extra words\ngroup\ng\nv 10 11 12\n");
    ASSERT_EQ(file.vertices.size(), 4u);
    EXPECT_EQ(file.vertices[0], glm::vec3(1, 2, 3));
    EXPECT_EQ(file.vertices[1], glm::vec3(4, 5, 6));
    EXPECT_EQ(file.vertices[2], glm::vec3(7, 8, 9)) << "a line without three numbers is skipped";
    EXPECT_EQ(file.vertices[3], glm::vec3(10, 11, 12));
    EXPECT_EQ(file.groupEnds, (std::vector<std::size_t>{2, 3}));
}

TEST(LevelFiles, CrawlerRoutesAreScaledPutOnTheGroundAndGrouped)
{
    const auto terrain = slopedTerrain();
    const LevelFile file = parse("v 1000 55 -2000\nv 1100 0 -2000\ng a\nv -3000 7 500\ng b\nv 5 5 5\n");
    const auto routes = crawlerRoutes(file, *terrain);
    ASSERT_EQ(routes.size(), 2u) << "points after the last group line belong to no route";
    ASSERT_EQ(routes[0].size(), 2u);
    EXPECT_EQ(routes[0][0], glm::vec3(100, terrain->heightAt(100, -200), -200));
    EXPECT_NE(routes[0][0].y, routes[0][1].y) << "each point gets its own ground height";
    EXPECT_EQ(routes[1], (std::vector<glm::vec3>{{-300, terrain->heightAt(-300, 50), 50}}));
}

TEST(LevelFiles, AMissingFileSaysSoOnceAndReadsAsEmpty)
{
    const fs::path previous = fs::current_path();
    fs::current_path(makeScratchDirectory("level-files"));
    testing::internal::CaptureStdout();
    const LevelFile file = readLevelFile(crawlerRoutesPath);
    const std::string out = testing::internal::GetCapturedStdout();
    fs::current_path(previous);
    EXPECT_EQ(out, "Could not open the level file Assets\\World\\level1c2.obj\n");
    EXPECT_TRUE(file.vertices.empty());
    EXPECT_TRUE(file.groupEnds.empty());
}

// --- Building a level -------------------------------------------------------

class LevelConstruction : public ::testing::Test {
protected:
    void SetUp() override
    {
        previous = fs::current_path();
        dir = makeScratchDirectory("level-construction");
        fs::create_directories(dir + "/Assets/world"); // spelt as on disk, found as "World"
        fs::current_path(dir);
        settings.screenwidth = 1280;
        settings.screenheight = 720;
    }
    void TearDown() override { fs::current_path(previous); }

    void writeLevel(const std::string& crawlers, const std::string& player = "v 0 3 0\nv 0 3 10\nv 0 3 20\n")
    {
        writeFile(dir + "/Assets/world/level1c2.obj", crawlers);
        writeFile(dir + "/Assets/world/st01v002-pp.obj", player);
    }

    // The three steps, as the level flow runs them.
    void build(int level = 1)
    {
        testing::internal::CaptureStdout();
        armLevel(world, meshes.level(), 10);
        buildWorld(world, meshes.level(), flatTerrain(), level, settings);
        buildCameras(world, settings);
        buildLightsAndDrone(world, meshes.level());
        out = testing::internal::GetCapturedStdout();
    }

    TestMeshes meshes;
    World world;
    Settings settings;
    std::string dir, out;
    fs::path previous;
};

TEST_F(LevelConstruction, TheDesignedLevelHasItsRoutesTheDuckAndTheEdgeCrawler)
{
    // Three groups, the middle one a single point that cannot be followed.
    writeLevel("v 0 0 0\nv 100 0 0\nv 100 0 100\ng a\nv 50 0 50\ng b\nv -200 0 0\nv -200 0 300\ng c\n");
    build();
    EXPECT_EQ(out, "");
    ASSERT_EQ(world.crawlers.size(), 3u) << "two routes and the edge crawler";
    EXPECT_EQ(world.neededKills, 2) << "the edge crawler is not needed";
    EXPECT_EQ(world.timeLimit, 600);
    EXPECT_EQ(world.speedLevel, 10.0f);

    const Crawler& first = world.crawlers[0];
    EXPECT_EQ(first.position, glm::vec3(0, -2, 0));
    EXPECT_EQ(first.target, glm::vec3(10, -2, 0));
    EXPECT_EQ(first.speed, 20.0f);
    EXPECT_EQ(first.mode, PathFollower::loopingMode);
    EXPECT_EQ(first.bodyPart.model, &meshes.crawlerBody);
    EXPECT_EQ(first.marker.scale, glm::vec3(0.1f));

    const Crawler& odd = world.crawlers[1];
    EXPECT_EQ(odd.bodyPart.model, &meshes.duck) << "the last crawler of the file carries the duck";
    EXPECT_EQ(odd.marker.scale, glm::vec3(0.0f));

    const Crawler& edge = world.crawlers[2];
    ASSERT_EQ(edge.path.size(), 140u);
    EXPECT_EQ(edge.path.front(), glm::vec3(-690, -2, 700));
    EXPECT_EQ(edge.path.back(), glm::vec3(700, -2, 700));
    EXPECT_EQ(edge.speed, 10.0f);
    EXPECT_EQ(edge.bodyPart.model, &meshes.crawlerBody);
}

TEST_F(LevelConstruction, WithoutAnyCrawlerOnlyTheEdgeCrawlerPatrols)
{
    writeLevel("v 1 2 3\n");
    build();
    ASSERT_EQ(world.crawlers.size(), 1u);
    EXPECT_EQ(world.neededKills, 0);
    EXPECT_EQ(world.crawlers[0].bodyPart.model, &meshes.crawlerBody) << "no odd one out to make";
}

TEST_F(LevelConstruction, AMissingCrawlerFileIsReportedAndTheLevelStillBuilds)
{
    writeFile(dir + "/Assets/world/st01v002-pp.obj", "v 0 3 0\nv 0 3 10\n");
    build();
    EXPECT_EQ(out, "Could not open the level file Assets\\World\\level1c2.obj\n");
    EXPECT_EQ(world.crawlers.size(), 1u);
}

TEST_F(LevelConstruction, SceneryStandsWhereTheSeededDrawsPutIt)
{
    writeLevel("");
    std::srand(42);
    // The rocks draw x, then z, then the size, in that order, right at the start.
    const int x = std::rand() % 1500 - 750;
    const int z = std::rand() % 1500 - 750;
    const int size = std::rand() % 20 + 5;
    std::srand(42);
    build();
    ASSERT_EQ(world.scenery.size(), 104u);
    EXPECT_EQ(world.scenery[0].model, &meshes.ground);
    EXPECT_EQ(world.scenery[1].model, &meshes.radarDome);
    EXPECT_EQ(world.scenery[1].position, glm::vec3(-500, -2, -500));
    EXPECT_EQ(world.scenery[1].scale, glm::vec3(0.5f, 0.6f, 0.5f));
    EXPECT_EQ(world.scenery[2].position, glm::vec3(0, 0, -50));
    const GameObject& rock = world.scenery[3];
    EXPECT_EQ(rock.model, &meshes.rock);
    EXPECT_EQ(rock.position, glm::vec3(x, -7, z)) << "sunk five units into the sand";
    EXPECT_EQ(rock.scale, glm::vec3(static_cast<float>(size) / 100.0f));
    EXPECT_EQ(rock.prevModelMatrix, rock.modelMatrix()) << "scenery never moves";
    EXPECT_EQ(world.scenery[103].position, glm::vec3(700, -7, -700));
    EXPECT_EQ(world.scenery[103].scale, glm::vec3(1.8f));
    for (std::size_t i = 3; i < 103; ++i) {
        EXPECT_GE(world.scenery[i].scale.x, 0.05f);
        EXPECT_LE(world.scenery[i].scale.x, 0.24f);
    }
}

TEST_F(LevelConstruction, TheCamerasTheLightsAndTheDrone)
{
    writeLevel("", "v 5 3 7\nv 5 3 17\nv 5 3 27\n");
    build(2);
    const Camera& free = world.freeCamera();
    EXPECT_EQ(free.position, glm::vec3(0, 250, 200));
    EXPECT_EQ(free.pitch, 10.0f);
    EXPECT_EQ(free.nearPlane, 0.5f);
    EXPECT_EQ(free.farPlane, 1000.0f);
    EXPECT_FLOAT_EQ(free.aspectRatio, 1280.0f / 720.0f);

    const Camera& player = world.playerCamera();
    EXPECT_EQ(player.position, glm::vec3(5, 3, 7)) << "the route is read as written";
    EXPECT_EQ(player.target, glm::vec3(5, 3, 17));
    EXPECT_EQ(player.speed, 15.0f) << "level 2's speed";
    EXPECT_EQ(player.offset, glm::vec3(0, 5, 0));
    EXPECT_EQ(player.yaw, 180.0f);
    EXPECT_EQ(player.fieldOfView, 60.0f);
    EXPECT_FLOAT_EQ(player.aspectRatio, 1280.0f / 720.0f);
    EXPECT_EQ(world.currentCamera, &player);
    EXPECT_EQ(world.previousViewProjection, player.matrix());

    ASSERT_EQ(world.lights.size(), 6u);
    EXPECT_EQ(world.lights[headlight].position, glm::vec4(5, -7, 7, 1));
    EXPECT_EQ(world.lights[headlight].spotlightDirection, player.forward());
    ASSERT_NE(world.drone, nullptr);
    EXPECT_EQ(world.drone->position, glm::vec3(600, 120, -600));
    EXPECT_EQ(world.drone->path.size(), 5u);
    EXPECT_EQ(world.drone->speed, 80.0f);
    EXPECT_EQ(world.drone->scale, glm::vec3(1.5f));
}

TEST_F(LevelConstruction, DebugModeStartsFromTheFreeCameraAndFlyingTriplesTheSpeed)
{
    writeLevel("");
    settings.debugmode = true;
    settings.airmode = true;
    build();
    EXPECT_EQ(world.currentCamera, &world.freeCamera());
    EXPECT_EQ(world.previousViewProjection, world.freeCamera().matrix());
    EXPECT_EQ(world.playerCamera().speed, 30.0f);
}

TEST_F(LevelConstruction, AnEmptyPlayerRouteIsAProgrammingError)
{
    writeLevel("", "# nothing\n");
    try {
        build();
        FAIL() << "an empty route was accepted";
    } catch (const std::out_of_range& error) {
        testing::internal::GetCapturedStdout();
        EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
    }
}

TEST_F(LevelConstruction, RandomChallengeRoutesStayInsideTheSquareAndFlyHigh)
{
    settings.randomchallenge = true;
    settings.airmode = true;
    std::srand(3);
    build(2);
    const std::size_t crawlers = world.crawlers.size() - 1;
    EXPECT_GE(crawlers, 40u);
    EXPECT_LE(crawlers, 69u);
    EXPECT_EQ(world.neededKills, 15);
    EXPECT_EQ(world.timeLimit, 540);
    EXPECT_EQ(world.speedLevel, 15.0f);
    EXPECT_EQ(out, "") << "no level file is read";
    for (std::size_t i = 0; i < crawlers; ++i) {
        const Crawler& crawler = world.crawlers[i];
        EXPECT_GE(crawler.path.size(), 100u);
        EXPECT_LE(crawler.path.size(), 299u);
        EXPECT_GE(crawler.speed, 20.0f);
        EXPECT_LE(crawler.speed, 39.0f);
        for (const glm::vec3& point : crawler.path) {
            ASSERT_LE(std::abs(point.x), 700.0f);
            ASSERT_LE(std::abs(point.z), 700.0f);
        }
    }
    const Camera& player = world.playerCamera();
    EXPECT_EQ(player.speed, 45.0f);
    EXPECT_GE(player.path.size(), 200u);
    for (const glm::vec3& point : player.path) {
        ASSERT_LE(std::abs(point.x), 700.0f);
        ASSERT_LE(std::abs(point.z), 700.0f);
        ASSERT_GE(point.y, 96.0f);
        ASSERT_LE(point.y, 145.0f);
    }
}

TEST_F(LevelConstruction, RandomChallengeOnTheGroundRidesFiveAboveIt)
{
    settings.randomchallenge = true;
    std::srand(9);
    build(1);
    EXPECT_EQ(world.neededKills, 10);
    EXPECT_GE(world.crawlers.size() - 1, 20u);
    EXPECT_LE(world.crawlers.size() - 1, 49u);
    for (const glm::vec3& point : world.playerCamera().path)
        ASSERT_EQ(point.y, 3.0f) << "the flat ground is at -2";
}
