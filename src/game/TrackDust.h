#pragma once
// The dust a driving crawler kicks up behind its tracks: puffs that rise,
// swell and thin out. Only crawlers near enough to the player to be seen raise
// any. The puffs vary by a small generator of their own, never by rand(): the
// gameplay's random numbers come from rand() in a fixed order.
#include "game/Crawler.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <vector>

struct DustPuff {
    glm::vec3 position{0.0f};
    float age = 0.0f;  // seconds since it was raised
    float spin = 0.0f; // its turn about the vertical, radians
};

// Seconds a puff lasts.
inline constexpr float dustPuffLife = 1.2f;

// A puff's scale of the dust-cloud model: small when raised, swelling as it ages.
float dustPuffScale(const DustPuff& puff);

struct TrackDust {
    std::vector<DustPuff> puffs;  // oldest first
    float sinceLastPuffs = 0.0f;  // seconds since the crawlers last raised puffs
    bool leftTrack = false;       // which track the last puffs rose behind
    std::uint32_t state = 1u;     // the generator's state

    // Ages and lifts the puffs, drops the old ones, and every sixth of a
    // second or so raises one behind each crawler that moved since its last
    // frame within sight of `viewer`, alternately behind its left and right
    // track. Call it after the crawlers' own update.
    void update(const std::vector<Crawler>& crawlers, const glm::vec3& viewer, float dt);
};
