#include "Noise.h"

#include <cmath>

uint64_t Random::next() {
    uint64_t z = (state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

float Random::uniform() { return float(next() >> 40) / float(1ull << 24); }

float Random::range(float low, float high) { return low + (high - low) * uniform(); }

int Random::integer(int low, int highInclusive) {
    return low + int(next() % uint64_t(highInclusive - low + 1));
}

namespace {
uint32_t mix(uint32_t h) {
    h ^= h >> 16;
    h *= 0x7FEB352Du;
    h ^= h >> 15;
    h *= 0x846CA68Bu;
    h ^= h >> 16;
    return h;
}

int wrap(int i, int period) {
    if (period <= 0) return i;
    int m = i % period;
    return m < 0 ? m + period : m;
}

float fade(float t) { return t * t * t * (t * (t * 6.0f - 15.0f) + 10.0f); }
}  // namespace

float hash2(int x, int y, uint32_t seed) {
    uint32_t h = mix(uint32_t(x) * 0x8DA6B343u ^ mix(uint32_t(y) * 0xD8163841u ^ seed * 0xCB1AB31Fu));
    return float(h >> 8) / float(1u << 24);
}

float hash3(int x, int y, int z, uint32_t seed) {
    uint32_t h = mix(uint32_t(x) * 0x8DA6B343u ^ mix(uint32_t(y) * 0xD8163841u ^ mix(uint32_t(z) * 0xCB1AB31Fu ^ seed)));
    return float(h >> 8) / float(1u << 24);
}

float valueNoise(glm::vec2 p, uint32_t seed, int period) {
    float fx = std::floor(p.x), fy = std::floor(p.y);
    int x0 = int(fx), y0 = int(fy);
    float tx = fade(p.x - fx), ty = fade(p.y - fy);
    int xa = wrap(x0, period), xb = wrap(x0 + 1, period);
    int ya = wrap(y0, period), yb = wrap(y0 + 1, period);
    float a = hash2(xa, ya, seed), b = hash2(xb, ya, seed);
    float c = hash2(xa, yb, seed), d = hash2(xb, yb, seed);
    return glm::mix(glm::mix(a, b, tx), glm::mix(c, d, tx), ty);
}

float valueNoise(glm::vec3 p, uint32_t seed) {
    glm::vec3 f = glm::floor(p);
    int x0 = int(f.x), y0 = int(f.y), z0 = int(f.z);
    glm::vec3 t = p - f;
    t = glm::vec3(fade(t.x), fade(t.y), fade(t.z));
    float v[8];
    for (int i = 0; i < 8; ++i) v[i] = hash3(x0 + (i & 1), y0 + ((i >> 1) & 1), z0 + (i >> 2), seed);
    float x00 = glm::mix(v[0], v[1], t.x), x10 = glm::mix(v[2], v[3], t.x);
    float x01 = glm::mix(v[4], v[5], t.x), x11 = glm::mix(v[6], v[7], t.x);
    return glm::mix(glm::mix(x00, x10, t.y), glm::mix(x01, x11, t.y), t.z);
}

float fbm(glm::vec2 p, uint32_t seed, int octaves, int period, float gain) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(p, seed + uint32_t(i) * 101u, period);
        total += amplitude;
        amplitude *= gain;
        p *= 2.0f;
        if (period > 0) period *= 2;
    }
    return sum / total;
}

float fbm(glm::vec3 p, uint32_t seed, int octaves, float gain) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        sum += amplitude * valueNoise(p, seed + uint32_t(i) * 101u);
        total += amplitude;
        amplitude *= gain;
        p *= 2.0f;
    }
    return sum / total;
}

float ridged(glm::vec2 p, uint32_t seed, int octaves, int period) {
    float sum = 0.0f, amplitude = 1.0f, total = 0.0f;
    for (int i = 0; i < octaves; ++i) {
        float n = 1.0f - std::fabs(valueNoise(p, seed + uint32_t(i) * 131u, period) * 2.0f - 1.0f);
        sum += amplitude * n * n;
        total += amplitude;
        amplitude *= 0.5f;
        p *= 2.0f;
        if (period > 0) period *= 2;
    }
    return sum / total;
}

glm::vec2 cellular(glm::vec2 p, uint32_t seed, int period) {
    int cx = int(std::floor(p.x)), cy = int(std::floor(p.y));
    float d1 = 1e9f, d2 = 1e9f;
    for (int dy = -1; dy <= 1; ++dy) {
        for (int dx = -1; dx <= 1; ++dx) {
            int gx = cx + dx, gy = cy + dy;
            int hx = wrap(gx, period), hy = wrap(gy, period);
            glm::vec2 feature(float(gx) + hash2(hx, hy, seed), float(gy) + hash2(hx, hy, seed ^ 0x5bd1e995u));
            float d = glm::length(feature - p);
            if (d < d1) {
                d2 = d1;
                d1 = d;
            } else if (d < d2) {
                d2 = d;
            }
        }
    }
    return {d1, d2};
}

float smoothstep01(float edge0, float edge1, float x) {
    float t = glm::clamp((x - edge0) / (edge1 - edge0), 0.0f, 1.0f);
    return t * t * (3.0f - 2.0f * t);
}
