// The world's per-frame hot spots: the projectile pools, the heightmap lookup
// and the particle bursts of a kill.
#include "game/ParticleEmitter.h"
#include "game/ProjectileSystem.h"
#include "game/Terrain.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <random>
#include <vector>

namespace {

MeshBounds particleMesh;

// A pool of `count` objects flying at 800 units per second, every fourth of
// them within reach of its aim point, so a quarter are erased by one update.
std::vector<GameObject> poolWithArrivals(int count)
{
    std::vector<GameObject> objects;
    objects.reserve(count);
    for (int i = 0; i < count; ++i) {
        const glm::vec3 start(static_cast<float>(i % 1000) - 500.0f, 50.0f, static_cast<float>(i / 1000));
        const float distance = i % 4 == 0 ? 30.0f : 1000.0f;
        PathFollower flight(PathFollower::oneWayMode);
        flight.followPath({start, start + glm::vec3(0.0f, 0.0f, -distance)});
        flight.speed = 800.0f;
        GameObject& object = objects.emplace_back(&particleMesh);
        object.placeOnPath(flight);
    }
    return objects;
}

void projectileUpdate(benchmark::State& state)
{
    const std::vector<GameObject> prepared = poolWithArrivals(static_cast<int>(state.range(0)));
    ProjectileSystem pool;
    pool.model = &particleMesh;
    for (auto _ : state) {
        state.PauseTiming();
        pool.objects = prepared;
        state.ResumeTiming();
        pool.update(1.0f / 60.0f);
        benchmark::DoNotOptimize(pool.objects.data());
    }
    if (pool.objects.size() != prepared.size() - prepared.size() / 4)
        state.SkipWithError("a quarter of the pool should have arrived");
    state.SetItemsProcessed(state.iterations() * state.range(0));
    state.SetComplexityN(state.range(0));
}
BENCHMARK(projectileUpdate)->Arg(400)->Arg(4000)->Arg(40000)->Complexity(benchmark::oN);

void heightAtMillionPoints(benchmark::State& state)
{
    std::mt19937 random(42);
    std::uniform_int_distribution<int> byte(0, 255);
    std::vector<std::uint8_t> blue(1500 * 1500);
    for (auto& b : blue)
        b = static_cast<std::uint8_t>(byte(random));
    const Terrain map(1500, 1500, std::move(blue));

    // Mostly on the map, some beyond its edges, as projectiles and particles are.
    std::uniform_real_distribution<float> coordinate(-800.0f, 800.0f);
    std::vector<glm::vec2> points(1000000);
    for (auto& p : points)
        p = {coordinate(random), coordinate(random)};

    for (auto _ : state) {
        float sum = 0.0f;
        for (const glm::vec2& p : points)
            sum += map.heightAt(p.x, p.y);
        benchmark::DoNotOptimize(sum);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(points.size()));
}
BENCHMARK(heightAtMillionPoints)->Unit(benchmark::kMillisecond);

// A kill's debris burst into a freshly created emitter, growth of the pool included.
void debrisBurst(benchmark::State& state)
{
    MeshBounds debris;
    const int density = static_cast<int>(state.range(0));
    std::srand(1);
    std::size_t spawned = 0;
    for (auto _ : state) {
        state.PauseTiming();
        auto emitter = createEmitter(Effect::Debris, &debris, density);
        state.ResumeTiming();
        emitter->burst({100.0f, 20.0f, -300.0f}, 10.0);
        spawned = emitter->particles.objects.size();
        state.PauseTiming();
        emitter.reset();
        state.ResumeTiming();
    }
    state.counters["particles"] = static_cast<double>(spawned);
    state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(spawned));
}
BENCHMARK(debrisBurst)->Arg(10)->Arg(100);

} // namespace
