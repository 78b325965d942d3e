#include "game/ParticleEmitter.h"

#include <cstdlib>

std::unique_ptr<ParticleEmitter> debrisEmitter;
std::unique_ptr<ParticleEmitter> dustEmitter;
std::unique_ptr<ParticleEmitter> fireballEmitter;

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

void createEmitters(MeshBounds* debrisModel, MeshBounds* dustModel, MeshBounds* fireballModel, int density)
{
    debrisEmitter = std::make_unique<ParticleEmitter>(debrisModel);
    debrisEmitter->count = static_cast<float>(30LL * density);
    debrisEmitter->spread = 400;
    debrisEmitter->randomScale = false;
    debrisEmitter->particles.speed = 800.0f;
    debrisEmitter->particles.spawnScale = 1.0f;

    dustEmitter = std::make_unique<ParticleEmitter>(dustModel);
    dustEmitter->count = static_cast<float>(10LL * density);
    dustEmitter->spread = 20;
    dustEmitter->randomScale = true;
    dustEmitter->particles.speed = 40.0f;
    dustEmitter->particles.spawnScale = 0.15f;

    fireballEmitter = std::make_unique<ParticleEmitter>(fireballModel);
    fireballEmitter->count = static_cast<float>(10LL * density);
    fireballEmitter->spread = 1;
    fireballEmitter->randomScale = true;
    fireballEmitter->particles.speed = 10.0f;
    fireballEmitter->particles.spawnScale = 0.001f;
}

void releaseEmitters()
{
    debrisEmitter.reset();
    dustEmitter.reset();
    fireballEmitter.reset();
}
