#include "game/Crawler.h"

#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

namespace {

struct CrawlerFixture : ::testing::Test {
    MeshBounds base, base1, base3, body, wreck, drone;
    CrawlerMeshes meshes{&base, &base1, &base3, &body, &wreck, &drone};

    PathFollower patrol(float speed)
    {
        PathFollower route(PathFollower::loopingMode);
        route.followPath({{0, 0, 0}, {100, 0, 0}});
        route.speed = speed;
        return route;
    }
};

} // namespace

TEST_F(CrawlerFixture, TracksRunOneTwoOneThreeAndTheResetUpdateKeepsFrameThree)
{
    Crawler crawler(meshes);
    crawler.placeOnPath(patrol(10.0f));
    // 0.045 s steps stay clear of the 0.05 boundaries: timer 0.045, 0.09, 0.135,
    // 0.18, 0.225 (reset), then 0.045 again.
    const std::vector<MeshBounds*> expected{&base, &base1, &base, &base3, &base3, &base, &base1, &base, &base3, &base3};
    for (std::size_t frame = 0; frame < expected.size(); ++frame) {
        crawler.update(0.045f);
        EXPECT_EQ(crawler.basePart.model, expected[frame]) << "update " << frame + 1;
    }
    EXPECT_FLOAT_EQ(crawler.trackTimer, 0.0f);
}

TEST_F(CrawlerFixture, TheMarkersFirstPreviousMatrixHasItsSmallSize)
{
    // The velocity pass compares this frame's matrix with the previous one; a
    // first previous matrix at full size would streak every marker on frame one.
    const Crawler crawler(meshes);
    EXPECT_EQ(crawler.marker.prevModelMatrix, glm::scale(glm::mat4(1.0f), glm::vec3(0.1f)));
    EXPECT_EQ(crawler.basePart.prevModelMatrix, glm::mat4(1.0f));
}

TEST_F(CrawlerFixture, PartsFollowAndTheMarkerHoversAndSpins)
{
    Crawler crawler(meshes);
    crawler.placeOnPath(patrol(10.0f));
    crawler.update(0.5f);
    crawler.update(0.5f);
    EXPECT_EQ(crawler.position, glm::vec3(10, 0, 0));
    EXPECT_EQ(crawler.basePart.position, crawler.position);
    EXPECT_EQ(crawler.bodyPart.position, crawler.position);
    EXPECT_EQ(crawler.basePart.rotation, crawler.rotation);
    EXPECT_EQ(crawler.bodyPart.rotation, crawler.rotation);
    EXPECT_EQ(crawler.marker.position, glm::vec3(10, 20, 0));
    EXPECT_EQ(crawler.marker.scale, glm::vec3(0.1f));
    // Two half-second updates: 2.25 radians clockwise seen from above.
    const glm::vec4 turned = crawler.marker.rotation * glm::vec4(1, 0, 0, 0);
    EXPECT_NEAR(turned.x, std::cos(2.25f), 1e-5f);
    EXPECT_NEAR(turned.z, std::sin(2.25f), 1e-5f);
}

TEST_F(CrawlerFixture, ADestroyedCrawlerKeepsItsWreckAndStaysPut)
{
    Crawler crawler(meshes);
    crawler.placeOnPath(patrol(10.0f));
    crawler.update(1.0f);
    const glm::mat4 facing = crawler.rotation;
    crawler.speed = 0.0f;
    crawler.destroyed = true;
    crawler.basePart.model = crawler.destroyedModel;
    for (int frame = 0; frame < 20; ++frame)
        crawler.update(0.05f);
    EXPECT_EQ(crawler.basePart.model, &wreck);
    EXPECT_EQ(crawler.position, glm::vec3(10, 0, 0));
    EXPECT_EQ(crawler.rotation, facing);
}
