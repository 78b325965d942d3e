#pragma once
// Everything a play of a level puts into the world: the ground's heightmap, the
// scenery, the crawlers, the shots and effects, the cameras and lights, the
// drone, and the targets the level is built with. The simulation changes it;
// the renderer only reads it.
#include "game/Camera.h"
#include "game/Crawler.h"
#include "game/Flashes.h"
#include "game/GameEvent.h"
#include "game/GameObject.h"
#include "game/Light.h"
#include "game/ParticleEmitter.h"
#include "game/ProjectileSystem.h"
#include "game/Terrain.h"
#include "game/TrackDust.h"

#include <glm/mat4x4.hpp>

#include <memory>
#include <vector>

struct World {
    std::unique_ptr<Terrain> terrain;        // the collision heightmap
    std::vector<GameObject> scenery;         // drawn in order; the first is the ground
    std::vector<Crawler> crawlers;           // in creation order
    // The weapons live for the whole process: a level's clean-up takes their
    // shots and keeps their settings.
    ProjectileSystem playerWeapon;
    ProjectileSystem enemyWeapon;
    std::unique_ptr<ParticleEmitter> debrisEmitter;   // a crawler destroyed
    std::unique_ptr<ParticleEmitter> dustEmitter;     // a player shot meeting the ground
    std::unique_ptr<ParticleEmitter> fireballEmitter; // a crawler destroyed
    Flashes flashes;                                  // muzzle flashes, sparks and hits
    TrackDust trackDust;                              // raised behind driving crawlers
    std::vector<std::unique_ptr<Camera>> cameras;     // 0: the free camera, 1: the player camera
    Camera* currentCamera = nullptr;                  // the camera every pass renders from
    glm::mat4 previousViewProjection{1.0f};           // currentCamera's matrix when the last frame was drawn
    std::vector<Light> lights;                        // in shader-array order
    std::unique_ptr<GameObject> drone;                // the patrolling drone
    std::vector<GameEvent> events;                    // what happened since they were last handed on

    // The level's targets, set when it is built.
    int neededKills = 0;     // kills that win the level
    int timeLimit = 0;       // seconds allowed
    float speedLevel = 0.0f; // the player's travel speed along the route

    Camera& freeCamera() const { return *cameras.at(0); }
    Camera& playerCamera() const { return *cameras.at(1); }

    // Releases what one play of a level built, in clean-up order: the cameras,
    // the lights, the crawlers, the scenery, the weapons' shots (their settings
    // stay), the emitters and the other effects, then the rest.
    void release();
};
