// The frame benchmark's scripted ride: the player camera rides and looks
// around, and each kill flings its 402 particles where the camera looks.
#include "ScriptedRide.h"

#include "game/LevelConstruction.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

namespace {

struct ScriptedRideTest : ::testing::Test {
    MeshBounds mesh;
    World world;
    ScriptedRide ride;

    void SetUp() override
    {
        LevelMeshes meshes;
        meshes.projectile = meshes.projectileParticle = meshes.dustCloud = meshes.fireball = &mesh;
        armLevel(world, meshes, 10); // the shipped particle density
        // A level-sized heightmap, flat: grey 100 everywhere, about 14 high.
        world.terrain = std::make_unique<Terrain>(1500, 1500, std::vector<std::uint8_t>(1500 * 1500, 100));
        world.cameras.push_back(std::make_unique<Camera>(1280, 720));
        auto player = std::make_unique<Camera>(1280, 720);
        PathFollower route;
        route.followPath({{0, 12, 0}, {0, 12, -1000}});
        route.speed = 10.0f;
        player->placeOnPath(route);
        player->offset = glm::vec3(0, 5, 0);
        world.cameras.push_back(std::move(player));
        world.currentCamera = &world.playerCamera();
        world.lights = levelLights(world.playerCamera());
    }

    size_t particles() const
    {
        return world.debrisEmitter->particles.objects.size() + world.fireballEmitter->particles.objects.size();
    }
};

} // namespace

TEST_F(ScriptedRideTest, CameraRidesItsRouteAndTurnsWhileTheHeadlightFollows)
{
    for (int frame = 0; frame < 30; ++frame)
        ride.step(world, frame);
    const Camera& camera = world.playerCamera();
    EXPECT_NEAR(camera.position.z, -10.0f, 0.01f) << "one second at the route's speed";
    EXPECT_NEAR(camera.yaw, 30.0f, 0.01f) << "30 degrees a second";
    EXPECT_GE(camera.pitch, 0.0f);
    EXPECT_LE(camera.pitch, 12.0f);
    const Light& headlight = world.lights[::headlight];
    EXPECT_FLOAT_EQ(headlight.position.y, 12.0f + 5.0f - 10.0f);
    EXPECT_NEAR(glm::distance(headlight.spotlightDirection, camera.forward()), 0.0f, 1e-6f);
}

TEST_F(ScriptedRideTest, KillsBurstTheirParticlesOnTheGroundInFrontOfTheCamera)
{
    ride.firstKillFrame = 40;
    ride.killInterval = 50;
    int shotsBefore = 0;
    for (int frame = 0; frame < 40; ++frame) {
        ride.step(world, frame);
        EXPECT_EQ(particles(), 0u) << "frame " << frame;
        if (frame >= 10)
            shotsBefore = std::max(shotsBefore, static_cast<int>(world.playerWeapon.objects.size()));
    }
    EXPECT_GT(shotsBefore, 0) << "the player fires in the second before a kill";

    ride.step(world, 40);
    ASSERT_EQ(particles(), 402u) << "301 debris and 101 fireballs at density 10";
    const Camera& camera = world.playerCamera();
    const glm::vec3 at = world.debrisEmitter->particles.objects.front().position;
    EXPECT_GT(glm::dot(at - camera.position, camera.forward()), 0.0f) << "in front of the camera";
    EXPECT_NEAR(at.y, groundHeightOfGrey(100), 1e-4f) << "on the ground";
    EXPECT_NEAR(glm::distance(glm::vec2(at.x, at.z), glm::vec2(camera.position.x, camera.position.z)),
                ride.killDistance, 1e-3f);
    EXPECT_EQ(glm::vec3(world.lights[explosionLight].position), at);

    EXPECT_TRUE(ride.killsAt(90));
    EXPECT_FALSE(ride.killsAt(89));
    EXPECT_FALSE(ride.killsAt(0));
}
