#pragma once
// Deterministic randomness for the generator: a small PRNG and lattice noise.
// Nothing here touches rand(), so the game's own random sequence is never
// disturbed and every run of the generator produces the same bytes.
#include <cstdint>
#include <glm/glm.hpp>

// SplitMix64: tiny, fast and good enough for placing rocks and picking colours.
class Random {
public:
    explicit Random(uint64_t seed) : state(seed) {}
    uint64_t next();
    float uniform();                         // [0, 1)
    float range(float low, float high);      // [low, high)
    int integer(int low, int highInclusive);
private:
    uint64_t state;
};

// Integer hash of lattice coordinates and a seed, mapped to [0, 1).
float hash2(int x, int y, uint32_t seed);
float hash3(int x, int y, int z, uint32_t seed);

// Smooth value noise in [0, 1]. With period > 0 the lattice wraps every
// `period` cells, so a texture sampled over [0, period) tiles seamlessly.
float valueNoise(glm::vec2 p, uint32_t seed, int period = 0);
float valueNoise(glm::vec3 p, uint32_t seed);

// Fractal sums of value noise, normalised to about [0, 1]. Each octave doubles
// the frequency (and the period, so tiling survives).
float fbm(glm::vec2 p, uint32_t seed, int octaves, int period = 0, float gain = 0.5f);
float fbm(glm::vec3 p, uint32_t seed, int octaves, float gain = 0.5f);
// Ridged fractal: sharp crests where the noise crosses its middle value.
float ridged(glm::vec2 p, uint32_t seed, int octaves, int period = 0);

// Distance to the nearest and second-nearest feature point of a jittered grid
// (cellular noise), in cell units. With period > 0 the cells wrap.
glm::vec2 cellular(glm::vec2 p, uint32_t seed, int period = 0);

float smoothstep01(float edge0, float edge1, float x);
