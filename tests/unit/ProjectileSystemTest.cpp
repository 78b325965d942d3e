#include "game/ProjectileSystem.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

ProjectileSystem weapon()
{
    static MeshBounds projectile;
    ProjectileSystem result;
    armWeapon(result, &projectile);
    return result;
}

// A one-way object at `position` heading for `target`, as a pool holds them.
GameObject flying(glm::vec3 position, glm::vec3 target, float speed)
{
    PathFollower flight(PathFollower::oneWayMode);
    flight.followPath({position, target});
    flight.speed = speed;
    GameObject object(nullptr);
    object.placeOnPath(flight);
    return object;
}

} // namespace

TEST(ProjectileSystem, SpawnsOnlyWhenMoreThanTheIntervalHasPassed)
{
    struct Case {
        double gap;
        std::size_t objects;
    };
    // The interval is the float 0.2 widened: 0.2000000015 s is still inside it,
    // and a gap of exactly the interval is not more than it.
    for (const Case& c : {Case{0.1, 1}, Case{0.25, 2}, Case{0.2000000015, 1}, Case{static_cast<double>(0.2f), 1},
                          Case{0.2000001, 2}}) {
        ProjectileSystem w = weapon();
        w.spawn({0, 0, 0}, {0, 0, -1000}, 10.0);
        w.spawn({0, 0, 0}, {0, 0, -1000}, 10.0 + c.gap);
        EXPECT_EQ(w.objects.size(), c.objects) << "gap " << c.gap;
        EXPECT_EQ(w.lastSpawn, c.objects == 2 ? 10.0 + c.gap : 10.0);
    }
}

TEST(ProjectileSystem, FiringHoldsForTwentyMillisecondsAfterASpawn)
{
    ProjectileSystem w = weapon();
    w.spawn({0, 0, 0}, {0, 0, -1000}, 5.0);
    EXPECT_TRUE(w.firing);
    w.spawn({0, 0, 0}, {0, 0, -1000}, 5.01);
    EXPECT_TRUE(w.firing);
    w.spawn({0, 0, 0}, {0, 0, -1000}, 5.05);
    EXPECT_FALSE(w.firing);
    EXPECT_EQ(w.objects.size(), 1u);
}

TEST(ProjectileSystem, SpawnJittersTheAimWithThreeDrawsAndPlacesTheShot)
{
    ProjectileSystem w = weapon();
    const glm::vec3 start(1, 2, 3), aim(100, 200, -300);
    std::srand(77);
    w.spawn(start, aim, 1.0);
    std::srand(77);
    const int rx = std::rand(), ry = std::rand(), rz = std::rand();
    const glm::vec3 expected(aim.x + (rx % 50 - 25), aim.y + (ry % 50 - 25), aim.z + (rz % 50 - 25));

    ASSERT_EQ(w.objects.size(), 1u);
    const GameObject& shot = w.objects[0];
    EXPECT_EQ(shot.target, expected);
    EXPECT_EQ(shot.path, (std::vector<glm::vec3>{start, expected}));
    EXPECT_EQ(shot.targetIndex, 1u);
    EXPECT_EQ(shot.mode, PathFollower::oneWayMode);
    EXPECT_EQ(shot.speed, 800.0f);
    EXPECT_EQ(shot.position, start);
    EXPECT_EQ(shot.scale, glm::vec3(0.5f));
    EXPECT_NEAR(glm::length(glm::vec3(shot.rotation[2]) - glm::normalize(expected - start)), 0.0f, 1e-6f);
}

TEST(ProjectileSystem, JitterStaysWithinMinus25To24)
{
    ProjectileSystem w = weapon();
    w.interval = 0.0f;
    std::srand(5);
    for (int i = 0; i < 2000; ++i)
        w.spawn({0, 0, 0}, {0, 0, 0}, 1.0 + i);
    glm::vec3 low(100), high(-100);
    for (const GameObject& shot : w.objects) {
        low = glm::min(low, shot.target);
        high = glm::max(high, shot.target);
    }
    EXPECT_EQ(low, glm::vec3(-25));
    EXPECT_EQ(high, glm::vec3(24));
}

TEST(ProjectileSystem, UpdateErasesArrivalsAtOnceAndKeepsTheOrder)
{
    ProjectileSystem pool = weapon();
    pool.speed = 100.0f; // arrival within 10
    // Objects 1, 2 (side by side, so the one that slides into place is checked
    // too), 5 and 7 arrive in this update.
    const std::vector<float> distances{200, 15, 12, 300, 400, 5, 500, 0};
    for (std::size_t i = 0; i < distances.size(); ++i) {
        const glm::vec3 start(static_cast<float>(i), 0, 0);
        pool.objects.push_back(flying(start, start + glm::vec3(0, 0, distances[i]), 100.0f));
    }
    std::vector<glm::mat4> before;
    for (const GameObject& object : pool.objects)
        before.push_back(object.modelMatrix());

    pool.update(0.1f);

    ASSERT_EQ(pool.objects.size(), 4u);
    const std::vector<std::size_t> survivors{0, 3, 4, 6};
    for (std::size_t k = 0; k < survivors.size(); ++k) {
        const GameObject& object = pool.objects[k];
        EXPECT_EQ(object.position.x, static_cast<float>(survivors[k])) << "order kept";
        EXPECT_FLOAT_EQ(object.position.z, 10.0f) << "moved once";
        EXPECT_EQ(object.prevModelMatrix, before[survivors[k]]);
        EXPECT_FALSE(object.arrived);
        // Each survivor slid down with its own flight, not its neighbour's.
        const glm::vec3 start(static_cast<float>(survivors[k]), 0, 0);
        const glm::vec3 aim = start + glm::vec3(0, 0, distances[survivors[k]]);
        EXPECT_EQ(object.target, aim);
        EXPECT_EQ(object.path, (std::vector<glm::vec3>{start, aim}));
    }
}

TEST(ProjectileSystem, AShotAimedAtItsOwnStartIsErasedNotLeftAsNaN)
{
    ProjectileSystem pool = weapon();
    pool.accuracy = 99; // jitter range 1: every draw adds 0
    pool.spawn({7, 8, 9}, {7, 8, 9}, 1.0);
    ASSERT_EQ(pool.objects.size(), 1u);
    pool.update(0.016f);
    EXPECT_TRUE(pool.objects.empty());
}

TEST(ProjectileSystem, PerfectAccuracyAimsExactlyAndDrawsNothing)
{
    ProjectileSystem pool = weapon();
    pool.accuracy = 100; // a jitter of zero width
    std::srand(11);
    const int before = std::rand();
    std::srand(11);
    pool.spawn({0, 0, 0}, {0, 0, 500}, 1.0);
    ASSERT_EQ(pool.objects.size(), 1u);
    EXPECT_EQ(pool.objects[0].target, glm::vec3(0, 0, 500));
    EXPECT_EQ(std::rand(), before);
}
