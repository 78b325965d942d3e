#include "game/ProjectileSystem.h"

#include <cstdlib>
#include <utility>

void armWeapon(ProjectileSystem& weapon, MeshBounds* projectileModel)
{
    weapon.model = projectileModel;
    weapon.interval = 0.2f;
    weapon.spawnScale = 0.5f;
}

void ProjectileSystem::spawn(const glm::vec3& start, glm::vec3 aim, double now)
{
    // Compared in double with the float interval widened, so 0.2 means 0.2f.
    if (now - lastSpawn > static_cast<double>(interval))
        launch(start, aim, now);
    if (now - lastSpawn > static_cast<double>(firingHold))
        firing = false;
}

void ProjectileSystem::launch(const glm::vec3& start, glm::vec3 aim, double now)
{
    firing = true;
    const int width = 100 - accuracy;
    const int half = width / 2;
    if (width != 0) { // perfect accuracy has no range to draw from
        aim.x += std::rand() % width - half;
        aim.y += std::rand() % width - half;
        aim.z += std::rand() % width - half;
    }

    PathFollower flight(PathFollower::oneWayMode);
    flight.followPath({start, aim});
    flight.speed = speed;

    GameObject& object = objects.emplace_back(model);
    object.scale = glm::vec3(spawnScale);
    object.placeOnPath(std::move(flight));
    lastSpawn = now;
}

void ProjectileSystem::update(float dt)
{
    // One stable pass: each survivor slides down over the arrived ones before it,
    // so the order is kept and nothing is moved twice.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        GameObject& object = objects[i];
        object.update(dt);
        if (object.arrived)
            continue;
        if (kept != i)
            objects[kept] = std::move(object);
        ++kept;
    }
    objects.erase(objects.begin() + static_cast<std::ptrdiff_t>(kept), objects.end());
}
