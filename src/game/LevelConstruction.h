#pragma once
// Fills the world for one play of a level. The three build steps always run in
// this order, after the weapons and emitters have been given their models;
// every random number is drawn with rand() in the order written here, so a
// seeded run builds the same level.
#include "game/Settings.h"
#include "game/World.h"

#include <memory>

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

// Step 1: takes the terrain, then places the scenery (the ground, the radar
// dome, a dust cloud, a hundred random rocks and the landmark butte), the
// crawlers on their patrol routes (from the level file, or random with
// `randomchallenge`), and sets the level's targets. The edge crawler that
// patrols the map's far side comes last and is not counted in `neededKills`.
void buildWorld(World& world, const LevelMeshes& meshes, std::unique_ptr<Terrain> terrain, int currentLevel,
                const Settings& settings);

// Step 2: the free camera above the field, the player's route (from the level
// file, or random with `randomchallenge`; flown high with `airmode`) and the
// player camera riding it; the current camera by `debugmode`. An empty route
// throws std::out_of_range("invalid vector<T> subscript").
void buildCameras(World& world, const Settings& settings);

// Step 3: the six lights (the headlight where the player camera starts) and
// the drone circling the landmark butte.
void buildLightsAndDrone(World& world, const LevelMeshes& meshes);
