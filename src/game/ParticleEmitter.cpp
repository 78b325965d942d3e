#include "game/ParticleEmitter.h"

#include <algorithm>
#include <cstdlib>

ParticleEmitter::ParticleEmitter(MeshBounds* model) : model(model)
{
    particles.model = model;
    particles.interval = 0.0f;
}

void ParticleEmitter::burst(glm::vec3 position, double now)
{
    if (count < 0.0f)
        return;
    // A zero range has nothing to draw from; it scatters nothing instead.
    const int s = spread != 0 ? spread : 1;
    const int scaleRange = scaleSpread != 0 ? scaleSpread : 1;
    int spawned = 0;
    do {
        // Three draws, z, y, x: sideways over [-s/2, s/2), upward only over [0, s/2).
        glm::vec3 aim;
        aim.z = position.z + std::rand() % s - s / 2;
        aim.y = position.y + (std::rand() % s) / 2;
        aim.x = position.x + std::rand() % s - s / 2;
        if (randomScale) {
            // Zero and negative scales come out too; the pool keeps the last one.
            particles.spawnScale = static_cast<float>((std::rand() % scaleRange - scaleRange / 2) / 30.0);
        }
        // A burst happens in one instant of the clock, so the interval test would
        // drop all particles but the first: every particle of a burst is launched.
        particles.launch(position, aim, now);
        ++spawned;
    } while (count >= static_cast<float>(spawned));
}

namespace {

// How one kind of effect differs from the defaults.
struct Recipe {
    int countPerDensity;  // burst size per unit of density
    int spread;
    bool randomScale;
    float speed;          // of the particles
    float spawnScale;     // until the first burst draws its own
};

} // namespace

std::unique_ptr<ParticleEmitter> createEmitter(Effect effect, MeshBounds* model, int density)
{
    static const Recipe debris{30, 400, false, 800.0f, 1.0f};
    static const Recipe dust{10, 20, true, 40.0f, 0.15f};
    static const Recipe fireball{10, 1, true, 10.0f, 0.001f};
    const Recipe& recipe = effect == Effect::Debris ? debris : effect == Effect::Dust ? dust : fireball;
    auto emitter = std::make_unique<ParticleEmitter>(model);
    // The product is an integer first; widened so a huge setting cannot overflow it.
    emitter->count =
        static_cast<float>(static_cast<long long>(recipe.countPerDensity) * std::min(density, largestParticleDensity));
    emitter->spread = recipe.spread;
    emitter->randomScale = recipe.randomScale;
    emitter->particles.speed = recipe.speed;
    emitter->particles.spawnScale = recipe.spawnScale;
    return emitter;
}
