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

// The level's three effects, created with its assets and released at its clean-up.
extern std::unique_ptr<ParticleEmitter> debrisEmitter;    // a crawler destroyed
extern std::unique_ptr<ParticleEmitter> dustEmitter;      // a player shot hitting the ground
extern std::unique_ptr<ParticleEmitter> fireballEmitter;  // a crawler destroyed

// Creates the three emitters with their models; `density` is the particle
// density setting and multiplies every burst.
void createEmitters(MeshBounds* debrisModel, MeshBounds* dustModel, MeshBounds* fireballModel, int density);

// Releases the three emitters and their live particles, debris first.
void releaseEmitters();
