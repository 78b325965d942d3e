// A stray digit in fParticleDensity must not make the first kill launch
// millions of particles: the density is honoured up to a limit.
#include "game/ParticleEmitter.h"

#include <gtest/gtest.h>

#include <climits>

TEST(ParticleDensityLimit, DensitiesBeyondTheLimitBurstLikeTheLimit)
{
    MeshBounds particle;
    for (const int density : {largestParticleDensity, largestParticleDensity + 1, 2000000000, INT_MAX}) {
        EXPECT_EQ(createEmitter(Effect::Debris, &particle, density)->count, 30.0f * largestParticleDensity) << density;
        EXPECT_EQ(createEmitter(Effect::Dust, &particle, density)->count, 10.0f * largestParticleDensity) << density;
        EXPECT_EQ(createEmitter(Effect::Fireball, &particle, density)->count, 10.0f * largestParticleDensity) << density;
    }
    EXPECT_EQ(createEmitter(Effect::Debris, &particle, largestParticleDensity - 1)->count,
              30.0f * (largestParticleDensity - 1));
    EXPECT_EQ(createEmitter(Effect::Debris, &particle, INT_MIN)->count, 30.0f * INT_MIN) << "below zero bursts nothing";
}

TEST(ParticleDensityLimit, AHugeDensityBurstsAFiniteNumberOfParticles)
{
    MeshBounds particle;
    const auto debris = createEmitter(Effect::Debris, &particle, INT_MAX);
    debris->burst({0.0f, 0.0f, 0.0f}, 1.0);
    EXPECT_EQ(debris->particles.objects.size(), 30u * largestParticleDensity + 1);
}
