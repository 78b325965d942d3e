#include "game/LevelConstruction.h"

#include "game/LevelRules.h"

void armLevel(World& world, const LevelMeshes& meshes, int particleDensity)
{
    armWeapon(world.playerWeapon, meshes.projectile);
    armWeapon(world.enemyWeapon, meshes.projectile);
    world.debrisEmitter = createEmitter(Effect::Debris, meshes.projectileParticle, particleDensity);
    world.dustEmitter = createEmitter(Effect::Dust, meshes.dustCloud, particleDensity);
    world.fireballEmitter = createEmitter(Effect::Fireball, meshes.fireball, particleDensity);
}

void buildWorld(World& world, int currentLevel, const Settings& settings)
{
    const int crawlerCount = 0;
    world.neededKills = settings.randomchallenge ? randomChallengeKills(currentLevel) : crawlerCount;
    world.timeLimit = levelTimeLimit(currentLevel);
    world.speedLevel = levelSpeed(currentLevel);
}

void buildCameras(World&, const Settings&)
{
}

void buildLightsAndDrone(World&)
{
}
