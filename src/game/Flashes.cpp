#include "game/Flashes.h"

#include <algorithm>

float flashLife(FlashKind kind)
{
    // A muzzle flash shows for a frame or two even at a slow frame rate; a
    // hit's flash outlasts the first frames of the fire it hides. Sparks and
    // hits are born in the collision step and aged once before they are first
    // drawn.
    switch (kind) {
    case FlashKind::Muzzle:
        return 0.06f;
    case FlashKind::EnemyMuzzle:
        return 0.08f;
    case FlashKind::Impact:
        return 0.2f;
    case FlashKind::Hit:
        return 0.35f;
    }
    return 0.0f;
}

float flashProgress(const Flash& flash)
{
    return std::clamp(flash.age / flashLife(flash.kind), 0.0f, 1.0f);
}

void Flashes::add(FlashKind kind, const glm::vec3& position, const glm::vec3& direction)
{
    live.push_back({kind, position, direction, 0.0f});
}

void Flashes::update(float dt)
{
    for (Flash& flash : live)
        flash.age += dt;
    live.erase(std::remove_if(live.begin(), live.end(),
                              [](const Flash& flash) { return flash.age >= flashLife(flash.kind); }),
               live.end());
}
