// One frame of the rules on a built level: the collision step and the gameplay
// update together, with a kill's worth of particles and a burst of shots alive.
// Level 1 as designed (its route files and heightmap), and a random-challenge
// level 10 with about 220 crawlers.
#include "app/LevelFlow.h"
#include "game/Gameplay.h"
#include "game/LevelConstruction.h"
#include "support/core/ScriptedInput.h"
#include "support/core/TestWorld.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

namespace fs = std::filesystem;

namespace {

struct BuiltLevel {
    TestMeshes meshes;
    World world;
    GameState state;
    Settings settings;
    ScriptedInput input{1.0 / 60.0};

    BuiltLevel(int level, bool randomchallenge)
    {
        settings.screenwidth = 1280;
        settings.screenheight = 720;
        settings.randomchallenge = randomchallenge;
        // The generated level: route files and heightmap, read as the game reads them.
        const fs::path previous = fs::current_path();
        fs::current_path(SANDLARK_GAME_DIR);
        std::srand(1);
        std::streambuf* console = std::cout.rdbuf(nullptr);
        armLevel(world, meshes.level(), 10);
        buildWorld(world, meshes.level(), loadTerrain(), level, settings);
        buildCameras(world, settings);
        buildLightsAndDrone(world, meshes.level());
        std::cout.rdbuf(console);
        fs::current_path(previous);
    }

    // Tops the pools up to 500 live particles and 20 live shots in flight
    // ahead of the player, as after a kill while firing.
    void refill()
    {
        const Camera& player = world.playerCamera();
        ParticleEmitter& debris = *world.debrisEmitter;
        while (debris.particles.objects.size() + world.fireballEmitter->particles.objects.size() < 500)
            debris.burst(player.position + 300.0f * player.forward(), input.time());
        // Shots above the dunes: each one under the ground would raise a
        // hundred dust particles every frame and measure the dust instead.
        const glm::vec3 above(0.0f, 40.0f, 0.0f);
        for (int i = static_cast<int>(world.playerWeapon.objects.size()); i < 20; ++i)
            world.playerWeapon.launch(player.position + above + player.forward() * (5.0f + 20.0f * i),
                                      player.position + above + 1000.0f * player.forward(), input.time());
    }
};

void rulesPerFrame(benchmark::State& benchmarkState, int level, bool randomchallenge)
{
    BuiltLevel built(level, randomchallenge);
    // Firing with the left button held, as in a fight.
    built.input.holdButton(0.0, 1e9, MouseButton::Left);
    for (auto _ : benchmarkState) {
        benchmarkState.PauseTiming();
        built.refill();
        built.input.pollEvents();
        benchmarkState.ResumeTiming();
        collisionStep(built.world, built.state, built.input.time());
        updateGameplay(built.world, built.state, built.settings, built.input, 1.0f / 60.0f);
        built.world.events.clear();
        benchmark::ClobberMemory();
    }
    benchmarkState.counters["crawlers"] = static_cast<double>(built.world.crawlers.size());
    benchmarkState.counters["particles"] =
        static_cast<double>(built.world.debrisEmitter->particles.objects.size() +
                            built.world.dustEmitter->particles.objects.size() +
                            built.world.fireballEmitter->particles.objects.size());
    benchmarkState.counters["shots"] = static_cast<double>(built.world.playerWeapon.objects.size());
}

void levelOne(benchmark::State& state) { rulesPerFrame(state, 1, false); }
void randomChallengeLevelTen(benchmark::State& state) { rulesPerFrame(state, 10, true); }
BENCHMARK(levelOne)->Unit(benchmark::kMicrosecond);
BENCHMARK(randomChallengeLevelTen)->Unit(benchmark::kMicrosecond);

} // namespace
