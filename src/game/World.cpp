#include "game/World.h"

void World::release()
{
    currentCamera = nullptr;
    cameras.clear();
    lights.clear();
    crawlers.clear();
    scenery.clear();
    playerWeapon.objects.clear();
    enemyWeapon.objects.clear();
    debrisEmitter.reset();
    dustEmitter.reset();
    fireballEmitter.reset();
    flashes = Flashes{};
    trackDust = TrackDust{};
    drone.reset();
    terrain.reset();
    events.clear();
}
