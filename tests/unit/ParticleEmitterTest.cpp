#include "game/Flashes.h"
#include "game/LevelConstruction.h"
#include "game/ParticleEmitter.h"
#include "game/TrackDust.h"
#include "support/core/TestWorld.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace {

struct EmitterFixture : ::testing::Test {
    MeshBounds debris, dust, fire, shot;
    World world;

    // The level's emitters, as a level is armed with its meshes.
    void createEmitters(int density)
    {
        LevelMeshes meshes;
        meshes.projectile = &shot;
        meshes.projectileParticle = &debris;
        meshes.dustCloud = &dust;
        meshes.fireball = &fire;
        armLevel(world, meshes, density);
    }
};

} // namespace

TEST_F(EmitterFixture, ABurstSpawnsFloorOfCountPlusOneEvenInOneInstant)
{
    struct Case {
        int density;
        std::size_t debris, dust, fire;
    };
    for (const Case& c : {Case{10, 301, 101, 101}, Case{100, 3001, 1001, 1001}, Case{0, 1, 1, 1}, Case{-1, 0, 0, 0}}) {
        createEmitters(c.density);
        world.debrisEmitter->burst({0, 0, 0}, 3.0);
        world.dustEmitter->burst({0, 0, 0}, 3.0);
        world.fireballEmitter->burst({0, 0, 0}, 3.0);
        EXPECT_EQ(world.debrisEmitter->particles.objects.size(), c.debris) << "density " << c.density;
        EXPECT_EQ(world.dustEmitter->particles.objects.size(), c.dust) << "density " << c.density;
        EXPECT_EQ(world.fireballEmitter->particles.objects.size(), c.fire) << "density " << c.density;
    }
}

TEST_F(EmitterFixture, BurstDrawsZThenYThenXThenTheScaleThenThePoolJitter)
{
    ParticleEmitter emitter(&dust);
    emitter.count = 2.5f; // three particles
    emitter.spread = 20;
    emitter.randomScale = true;
    const glm::vec3 at(100, 5, -40);

    std::srand(99);
    emitter.burst(at, 1.0);

    std::srand(99);
    ASSERT_EQ(emitter.particles.objects.size(), 3u);
    float lastScale = 0.0f;
    for (const GameObject& particle : emitter.particles.objects) {
        glm::vec3 aim;
        aim.z = at.z + std::rand() % 20 - 10;
        aim.y = at.y + (std::rand() % 20) / 2;
        aim.x = at.x + std::rand() % 20 - 10;
        lastScale = static_cast<float>((std::rand() % 20 - 10) / 30.0);
        aim.x += std::rand() % 50 - 25;
        aim.y += std::rand() % 50 - 25;
        aim.z += std::rand() % 50 - 25;
        EXPECT_EQ(particle.target, aim);
        EXPECT_EQ(particle.position, at);
        EXPECT_EQ(particle.scale, glm::vec3(lastScale));
    }
    EXPECT_EQ(emitter.particles.spawnScale, lastScale) << "the pool keeps the last scale drawn";
}

TEST_F(EmitterFixture, AimPointsScatterSidewaysAndOnlyUpward)
{
    struct Case {
        int spread;
        float low, high, top;
    };
    // Pool jitter switched off (a range of 1 always adds 0) to see the emitter's own scatter.
    for (const Case& c : {Case{400, -200, 199, 199}, Case{20, -10, 9, 9}, Case{1, 0, 0, 0}}) {
        ParticleEmitter emitter(&debris);
        emitter.spread = c.spread;
        emitter.particles.accuracy = 99;
        const glm::vec3 at(10, 20, 30);
        std::srand(3);
        emitter.burst(at, 1.0);
        for (const GameObject& particle : emitter.particles.objects) {
            const glm::vec3 offset = particle.target - at;
            EXPECT_GE(offset.y, 0.0f) << "spread " << c.spread;
            EXPECT_LE(offset.y, c.top) << "spread " << c.spread;
            EXPECT_GE(offset.x, c.low);
            EXPECT_LE(offset.x, c.high);
            EXPECT_GE(offset.z, c.low);
            EXPECT_LE(offset.z, c.high);
        }
    }
}

TEST_F(EmitterFixture, TheThreeEmittersFollowTheirRecipes)
{
    createEmitters(7);
    struct Case {
        const ParticleEmitter* emitter;
        const MeshBounds* model;
        float count;
        int spread;
        bool randomScale;
        float speed, spawnScale;
    };
    for (const Case& c : {Case{world.debrisEmitter.get(), &debris, 210.0f, 400, false, 800.0f, 1.0f},
                          Case{world.dustEmitter.get(), &dust, 70.0f, 20, true, 40.0f, 0.15f},
                          Case{world.fireballEmitter.get(), &fire, 70.0f, 1, true, 10.0f, 0.001f}}) {
        ASSERT_NE(c.emitter, nullptr);
        EXPECT_EQ(c.emitter->model, c.model);
        EXPECT_EQ(c.emitter->particles.model, c.model);
        EXPECT_EQ(c.emitter->count, c.count);
        EXPECT_EQ(c.emitter->spread, c.spread);
        EXPECT_EQ(c.emitter->randomScale, c.randomScale);
        EXPECT_EQ(c.emitter->scaleSpread, 20);
        EXPECT_EQ(c.emitter->particles.speed, c.speed);
        EXPECT_EQ(c.emitter->particles.spawnScale, c.spawnScale);
        EXPECT_EQ(c.emitter->particles.interval, 0.0f);
        EXPECT_EQ(c.emitter->particles.accuracy, 50);
        EXPECT_EQ(c.emitter->particles.firingHold, 0.02f);
    }
}

TEST_F(EmitterFixture, ZeroSpreadsScatterNothingButKeepTheDrawOrder)
{
    ParticleEmitter emitter(&dust);
    emitter.count = 0.0f;
    emitter.spread = 0;
    emitter.randomScale = true;
    emitter.scaleSpread = 0;
    emitter.particles.accuracy = 100;
    std::srand(5);
    for (int draw = 0; draw < 4; ++draw) // z, y, x and the scale
        std::rand();
    const int next = std::rand();
    std::srand(5);
    emitter.burst({1, 2, 3}, 1.0);
    ASSERT_EQ(emitter.particles.objects.size(), 1u);
    EXPECT_EQ(emitter.particles.objects[0].target, glm::vec3(1, 2, 3));
    EXPECT_EQ(emitter.particles.objects[0].scale, glm::vec3(0.0f)) << "a zero range gives the zero scale";
    EXPECT_EQ(std::rand(), next) << "the same draws as any burst, so later outcomes do not shift";
}

TEST_F(EmitterFixture, AHugeDensityIsCappedAndNeverOverflows)
{
    for (int density : {100000, 2147483647}) {
        createEmitters(density);
        EXPECT_EQ(world.debrisEmitter->count, static_cast<float>(largestBurst - 1)) << density;
        world.debrisEmitter->burst({0, 0, 0}, 3.0);
        EXPECT_EQ(world.debrisEmitter->particles.objects.size(), static_cast<std::size_t>(largestBurst)) << density;
    }
    createEmitters(-2147483647);
    EXPECT_LT(world.dustEmitter->count, 0.0f) << "a negative density still spawns nothing";
}

// --- Flashes and the dust behind crawlers -----------------------------------

TEST(Flashes, AgeWithTheWorldAndGoAtTheEndOfTheirLifeInOrder)
{
    Flashes flashes;
    flashes.add(FlashKind::Hit, {1, 0, 0});
    flashes.add(FlashKind::Muzzle, {2, 0, 0}, {0, 0, 1});
    flashes.add(FlashKind::Impact, {3, 0, 0});
    flashes.update(0.05f);
    EXPECT_NEAR(flashProgress(flashes.live[1]), 0.05f / flashLife(FlashKind::Muzzle), 1e-6f);
    flashes.update(0.05f); // the muzzle flash has had its 0.06 s
    ASSERT_EQ(flashes.live.size(), 2u);
    EXPECT_EQ(flashes.live[0].kind, FlashKind::Hit);
    EXPECT_EQ(flashes.live[1].kind, FlashKind::Impact);
    flashes.update(1.0f);
    EXPECT_TRUE(flashes.live.empty());
}

TEST(TrackDust, RisesBehindTheTracksOfDrivingCrawlersNearThePlayerOnly)
{
    // One crawler drives within range; one stands, one drives too far away,
    // one is a wreck.
    TestWorld test;
    test.addCrawler({0, 0, 100});
    test.addCrawler({50, 0, 100}, 0.0f);
    test.addCrawler({0, 0, 600});
    test.addCrawler({-50, 0, 100}).speed = 0.0f;
    const Crawler& driving = test.world.crawlers.front();
    TrackDust dust;
    std::vector<glm::vec3> sides;
    for (int frame = 0; frame < 30; ++frame) {
        for (Crawler& crawler : test.world.crawlers) {
            crawler.prevModelMatrix = crawler.modelMatrix();
            crawler.update(0.05f);
        }
        const std::size_t before = dust.puffs.size();
        dust.update(test.world.crawlers, {0, 5, 0}, 0.05f);
        if (dust.puffs.size() > before)
            sides.push_back(dust.puffs.back().position);
    }
    ASSERT_GE(sides.size(), 4u);
    for (const DustPuff& puff : dust.puffs) {
        // Behind the one crawler that drives within range (it heads along +x).
        EXPECT_LT(puff.position.x, driving.position.x - 3.0f);
        EXPECT_NEAR(std::abs(puff.position.z - driving.position.z), 1.9f, 0.35f);
        EXPECT_LT(puff.age, dustPuffLife);
    }
    EXPECT_NE(sides[0].z > driving.position.z, sides[1].z > driving.position.z) << "one track, then the other";
    EXPECT_GT(dustPuffScale(dust.puffs.front()), dustPuffScale(dust.puffs.back())) << "older puffs have swelled";
}

TEST(TrackDust, NeitherItNorTheFlashesDrawFromTheGameplaysRandomNumbers)
{
    TestWorld test;
    test.addCrawler({0, 0, 100});
    std::srand(7);
    const int expected = std::rand();
    std::srand(7);
    TrackDust dust;
    Flashes flashes;
    for (int frame = 0; frame < 20; ++frame) {
        Crawler& crawler = test.world.crawlers.front();
        crawler.prevModelMatrix = crawler.modelMatrix();
        crawler.update(0.05f);
        dust.update(test.world.crawlers, {0, 5, 0}, 0.05f);
        flashes.add(FlashKind::Impact, crawler.position);
        flashes.update(0.05f);
    }
    EXPECT_FALSE(dust.puffs.empty());
    EXPECT_EQ(std::rand(), expected);
}
