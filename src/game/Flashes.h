#pragma once
// Short bursts of light that nothing collides with: the flash at a gun's
// muzzle for every shot, the spark where a player's shot meets the ground, the
// flash of a crawler hit before its fire. They age with the world's time and
// vanish; the renderer gives them their size and colour. They draw no random
// numbers: the gameplay's come from rand() in a fixed order.
#include <glm/vec3.hpp>

#include <vector>

enum class FlashKind {
    Muzzle,      // a shot leaving the player's weapon
    EnemyMuzzle, // a crawler firing
    Impact,      // a player's shot meeting the ground
    Hit,         // a crawler destroyed
};

struct Flash {
    FlashKind kind = FlashKind::Impact;
    glm::vec3 position{0.0f};
    glm::vec3 direction{0.0f}; // where a muzzle flash points (unit length); zero for the others
    float age = 0.0f;          // seconds since it began
};

// Seconds a flash of `kind` lasts.
float flashLife(FlashKind kind);

// How far through its life a flash is: 0 when it begins, 1 when it ends.
float flashProgress(const Flash& flash);

struct Flashes {
    std::vector<Flash> live; // in the order they began

    void add(FlashKind kind, const glm::vec3& position, const glm::vec3& direction = glm::vec3(0.0f));

    // Ages every flash by `dt` seconds and drops those past their life,
    // keeping the order of the rest.
    void update(float dt);
};
