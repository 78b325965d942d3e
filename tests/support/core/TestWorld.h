#pragma once
// A small world built in memory for GL-free tests: meshes as bounds only, a
// flat terrain, the weapons and emitters armed as a level arms them, the two
// cameras and the six lights, the drone. Crawlers are added where a test wants them.
#include "game/LevelConstruction.h"
#include "game/World.h"

#include <memory>

struct TestMeshes {
    MeshBounds crawlerBase, crawlerBase1, crawlerBase3, crawlerBody, duck, drone, destroyedCrawler;
    MeshBounds projectile, projectileParticle, ground, rock, dustCloud, fireball, radarDome;

    // Extents like the game's models: a crawler base 5 wide, 7 tall (its
    // antenna) and 7 long standing on its origin; a shot 0.5 thick and 6 long.
    TestMeshes();
    LevelMeshes level();
};

// A terrain 1500 x 1500 pixels of one grey value (0: the ground at -2 everywhere).
std::unique_ptr<Terrain> flatTerrain(std::uint8_t grey = 0);

struct TestWorld {
    TestMeshes meshes;
    World world;

    // Armed with `particleDensity`; the player camera stands at `playerPosition`
    // looking along +z (yaw 180), riding a straight route along +z at `speed`.
    explicit TestWorld(int particleDensity = 10, glm::vec3 playerPosition = {0.0f, 5.0f, 0.0f}, float speed = 10.0f);

    // A crawler patrolling from `position` along +x at `speed`.
    Crawler& addCrawler(glm::vec3 position, float speed = 20.0f);

    // A player shot standing at `position` (half scale), heading along +z.
    GameObject& addShot(glm::vec3 position);
};
