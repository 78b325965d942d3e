// A stray digit in fParticleDensity must not make the first kill launch
// millions of particles: one burst never exceeds largestBurst particles, and
// the product never overflows.
#include "game/ParticleEmitter.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ParticleDensityLimit, EveryEffectStopsAtTheLargestBurstAndBelowItIsExact)
{
    MeshBounds particle;
    const float largest = static_cast<float>(largestBurst - 1); // a burst is count + 1 particles
    for (const int density : {10000, 2000000000, INT_MAX}) {
        EXPECT_EQ(createEmitter(Effect::Debris, &particle, density)->count, largest) << density;
        EXPECT_EQ(createEmitter(Effect::Dust, &particle, density)->count, largest) << density;
        EXPECT_EQ(createEmitter(Effect::Fireball, &particle, density)->count, largest) << density;
    }
    EXPECT_EQ(createEmitter(Effect::Debris, &particle, 666)->count, 19980.0f);
    EXPECT_EQ(createEmitter(Effect::Debris, &particle, 667)->count, largest);
    EXPECT_EQ(createEmitter(Effect::Dust, &particle, 1999)->count, 19990.0f);
    EXPECT_LT(createEmitter(Effect::Debris, &particle, INT_MIN)->count, 0.0f) << "below zero bursts nothing";
}
