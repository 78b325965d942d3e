#include "game/TrackDust.h"

#include <glm/geometric.hpp>
#include <glm/gtc/constants.hpp>

#include <algorithm>
#include <cmath>

namespace {

constexpr float puffInterval = 0.15f; // seconds between a crawler's puffs
constexpr float dustRange = 300.0f;   // beyond this a puff would be a speck in the haze
constexpr float riseSpeed = 1.5f;     // units per second
constexpr float trackOffset = 1.9f;   // from the crawler's centre line to a track's
constexpr float behindTracks = 3.9f;  // from its origin to just behind its tracks

// The next number in [0, 1) of a small linear congruential generator.
float nextUnit(std::uint32_t& state)
{
    state = state * 1664525u + 1013904223u;
    return static_cast<float>(state >> 8) / 16777216.0f;
}

} // namespace

float dustPuffScale(const DustPuff& puff)
{
    const float progress = std::clamp(puff.age / dustPuffLife, 0.0f, 1.0f);
    return 0.12f + 0.33f * std::sqrt(progress);
}

void TrackDust::update(const std::vector<Crawler>& crawlers, const glm::vec3& viewer, float dt)
{
    for (DustPuff& puff : puffs) {
        puff.age += dt;
        puff.position.y += riseSpeed * dt;
    }
    puffs.erase(std::remove_if(puffs.begin(), puffs.end(), [](const DustPuff& puff) { return puff.age >= dustPuffLife; }),
                puffs.end());

    sinceLastPuffs += dt;
    if (sinceLastPuffs < puffInterval)
        return;
    sinceLastPuffs = 0.0f;
    leftTrack = !leftTrack;
    for (const Crawler& crawler : crawlers) {
        const glm::vec3 previous(crawler.prevModelMatrix[3]);
        const bool moved = glm::distance(previous, crawler.position - crawler.pivot) > 1e-3f;
        if (!moved || glm::distance(crawler.position, viewer) > dustRange)
            continue;
        // Three draws in a fixed order: across, behind, the turn.
        const float across = (nextUnit(state) - 0.5f) * 0.6f;
        const float behind = nextUnit(state) * 0.6f;
        const float spin = nextUnit(state) * glm::two_pi<float>();
        const float side = leftTrack ? -trackOffset : trackOffset;
        const glm::vec3 local(side + across, 0.5f, -behindTracks - behind);
        puffs.push_back({crawler.position + glm::vec3(crawler.rotation * glm::vec4(local, 0.0f)), 0.0f, spin});
    }
}
