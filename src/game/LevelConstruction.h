#pragma once
// Fills the world for one play of a level. The three build steps always run in
// this order; the weapons and emitters are given their models first.
#include "game/Settings.h"
#include "game/World.h"

// The catalogue's meshes the world is built from, seen without OpenGL.
struct LevelMeshes {
    MeshBounds* crawlerBase = nullptr;        // running gear, track frame 1 (the part shots hit)
    MeshBounds* crawlerBase1 = nullptr;       // track frame 2
    MeshBounds* crawlerBase3 = nullptr;       // track frame 3
    MeshBounds* crawlerBody = nullptr;        // hull and turret
    MeshBounds* duck = nullptr;               // the odd crawler's body
    MeshBounds* drone = nullptr;              // the patrolling drone and every crawler's marker
    MeshBounds* destroyedCrawler = nullptr;   // the wreck
    MeshBounds* projectile = nullptr;         // both weapons' shots
    MeshBounds* projectileParticle = nullptr; // explosion debris
    MeshBounds* ground = nullptr;
    MeshBounds* rock = nullptr;
    MeshBounds* dustCloud = nullptr;
    MeshBounds* fireball = nullptr;
    MeshBounds* radarDome = nullptr;
};

// Hands the level's meshes to the weapons (one shot per 0.2 s at half scale)
// and creates the three emitters, their bursts scaled by `particleDensity`.
void armLevel(World& world, const LevelMeshes& meshes, int particleDensity);

// Step 1: terrain, scenery, crawlers and the level's targets.
void buildWorld(World& world, int currentLevel, const Settings& settings);
// Step 2: the free camera, the player's route and the player camera.
void buildCameras(World& world, const Settings& settings);
// Step 3: the six lights and the patrolling drone.
void buildLightsAndDrone(World& world);
