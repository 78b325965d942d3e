#pragma once
// An effect: a recipe (how many particles, how far they fly, how large) and the
// pool that holds its live particles. A particle is a pooled object that flies
// to a random point near the burst and vanishes there.
#include "assets/MeshBounds.h"
#include "game/ProjectileSystem.h"

#include <glm/vec3.hpp>

#include <memory>

struct ParticleEmitter {
    MeshBounds* model;            // the particle model
    float count = 300.0f;         // a burst spawns floor(count) + 1 particles, none if count < 0
    int spread = 400;             // width of the scatter of aim points, world units
    bool randomScale = false;     // draw a scale for every particle
    int scaleSpread = 20;         // range of the random scale
    ProjectileSystem particles;   // the live particles

    explicit ParticleEmitter(MeshBounds* model);

    // Flings one burst of particles out of `position`; `now` is the real clock.
    void burst(glm::vec3 position, double now);
};

// The level's three kinds of effect.
enum class Effect {
    Debris,   // sparks flung 200 units out of a destroyed crawler
    Dust,     // a puff where a player shot meets the ground
    Fireball, // slow fire drifting out of a destroyed crawler
};

// The highest particle density that is honoured: a burst of 30,000 debris.
// A larger setting (a stray digit in configuration.txt) would make the first
// kill launch millions of particles and stall the game for good.
inline constexpr int largestParticleDensity = 1000;

// One emitter of `effect` with its particle model; `density` is the particle
// density setting and multiplies the burst size (at most largestParticleDensity).
std::unique_ptr<ParticleEmitter> createEmitter(Effect effect, MeshBounds* model, int density);
