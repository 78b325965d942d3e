#pragma once
// A pool of short-lived objects that fly in a straight line from a start point to
// an aimed point and vanish on arrival: the two weapons and every particle effect.
#include "assets/MeshBounds.h"
#include "game/GameObject.h"

#include <glm/vec3.hpp>

#include <vector>

struct ProjectileSystem {
    MeshBounds* model = nullptr;        // model of every spawned object
    std::vector<GameObject> objects;    // live objects, in spawn order
    bool firing = false;                // true from a spawn until `firingHold` seconds after it
    float speed = 800.0f;               // units per second
    float interval = 0.15f;             // minimum seconds between spawns
    int accuracy = 50;                  // aim jitter is 100 - accuracy units wide
    double lastSpawn = 0.0;             // time of the latest spawn, seconds
    float spawnScale = 1.0f;            // uniform scale of spawned objects
    float firingHold = 0.02f;           // seconds `firing` stays true after a spawn

    // Spawns one object from `start` toward a jittered `aim` unless the previous
    // spawn is `interval` or less ago; then clears `firing` once `firingHold` has
    // passed. `now` is the real clock in seconds (the caller reads it).
    void spawn(const glm::vec3& start, glm::vec3 aim, double now);

    // The spawn itself, without the interval test: jitters the aim (three draws,
    // x, y, z), appends the object at `start` turned toward the aim, sets
    // `firing` and `lastSpawn`.
    void launch(const glm::vec3& start, glm::vec3 aim, double now);

    // Moves every object and drops those that arrived in this same update,
    // keeping the order of the rest.
    void update(float dt);
};

// Gives a weapon its projectile model and the weapons' rate and size: one shot
// per 0.2 s at half scale.
void armWeapon(ProjectileSystem& weapon, MeshBounds* projectileModel);
