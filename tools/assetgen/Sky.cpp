// The dusk sky: one function of direction, rendered into the six cube faces
// (OpenGL's face orientation, FreeImage's bottom-up rows) and into the radar
// dome's latitude-longitude reflection map.
#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>

#include "Assets.h"
#include "Noise.h"

glm::vec3 skyColour(glm::vec3 d, bool withSun) {
    d = glm::normalize(d);
    const glm::vec3 sun = sunDirection();
    float cosSun = glm::dot(d, sun);
    glm::vec2 flat(d.x, d.z), sunFlat = glm::normalize(glm::vec2(sun.x, sun.z));
    float toward = glm::length(flat) > 1e-5f ? glm::dot(glm::normalize(flat), sunFlat) * 0.5f + 0.5f : 0.5f;
    float elevation = d.y;

    const glm::vec3 zenith = hexColour(0x0B1433), upper = hexColour(0x243A74);
    const glm::vec3 orange = hexColour(0xF58A3C), pink = hexColour(0xE07A8A), violet = hexColour(0x6A4E86);
    const glm::vec3 haze = hexColour(0xD9A77C);
    glm::vec3 horizon = glm::mix(violet, pink, smoothstep01(0.15f, 0.7f, toward));
    horizon = glm::mix(horizon, orange, smoothstep01(0.6f, 1.0f, toward));

    glm::vec3 c;
    if (elevation >= 0.0f) {
        float e = elevation;
        c = glm::mix(horizon, upper, std::pow(smoothstep01(0.0f, 0.45f + 0.25f * toward, e), 0.8f));
        c = glm::mix(c, zenith, smoothstep01(0.35f, 1.0f, e));
        // Thin cirrus streaks, lit from below near the sun.
        glm::vec2 q = glm::vec2(d.x, d.z) / (e + 0.12f);
        glm::vec2 r(q.x * 0.8f - q.y * 0.6f, q.x * 0.6f + q.y * 0.8f);
        float n = fbm(glm::vec2(r.x * 1.2f, r.y * 5.0f) + fbm(q * 2.0f, 71, 3) * 1.5f, 72, 5);
        float cloud = smoothstep01(0.52f, 0.78f, n) * smoothstep01(0.02f, 0.12f, e) * (1.0f - smoothstep01(0.6f, 0.95f, e));
        glm::vec3 lit = glm::mix(hexColour(0x7A5A86), hexColour(0xFFB27A), std::pow(toward, 2.0f));
        lit = glm::mix(lit, hexColour(0xFFD9A0), std::pow(std::max(cosSun, 0.0f), 12.0f));
        c = glm::mix(c, lit, cloud * 0.7f);
        // Dust haze hugging the horizon, so the far ground fades into the sky.
        c = glm::mix(c, haze * glm::mix(0.75f, 1.05f, toward), std::exp(-e * 28.0f) * 0.65f);
    } else {
        // The desert beyond the far plane: warm ground darkening towards the feet.
        float e = -elevation;
        glm::vec3 ground = glm::mix(hexColour(0x9C6E4C), hexColour(0x4A3327), smoothstep01(0.0f, 0.5f, e));
        ground *= glm::mix(0.8f, 1.1f, toward);
        c = glm::mix(haze * glm::mix(0.75f, 1.05f, toward), ground, smoothstep01(0.0f, 0.08f, e));
    }
    if (!withSun) return glm::clamp(c, 0.0f, 1.0f);
    // Sun: a wide warm glow, a tight halo and the disc.
    float s = std::max(cosSun, 0.0f);
    c += hexColour(0xFF7A30) * (0.35f * std::pow(s, 6.0f)) + hexColour(0xFFC080) * (0.5f * std::pow(s, 80.0f));
    float disc = smoothstep01(0.99975f, 0.99985f, cosSun);
    c = glm::mix(c, hexColour(0xFFF4E0), disc);
    return glm::clamp(c, 0.0f, 1.0f);
}

namespace {
// OpenGL's cube-map convention: the direction of texel (s, t) of each face,
// with t counted along the rows as they are uploaded (FreeImage's bottom-up rows).
glm::vec3 faceDirection(int face, float s, float t) {
    float sc = 2.0f * s - 1.0f, tc = 2.0f * t - 1.0f;
    switch (face) {
        case 0: return {1.0f, -tc, -sc};
        case 1: return {-1.0f, -tc, sc};
        case 2: return {sc, 1.0f, tc};
        case 3: return {sc, -1.0f, -tc};
        case 4: return {sc, -tc, 1.0f};
        default: return {-sc, -tc, -1.0f};
    }
}
}  // namespace

void generateSky(const std::string& assets) {
    const char* names[6] = {"right", "left", "top", "bottom", "back", "front"};
    const int n = 1024;
    for (int face = 0; face < 6; ++face) {
        Image image(n, n);
        parallelRows(n, [&](int y) {
            float t = (float(n - 1 - y) + 0.5f) / float(n);
            for (int x = 0; x < n; ++x) image.at(x, y) = skyColour(faceDirection(face, (float(x) + 0.5f) / float(n), t));
        });
        writeJpeg(image, assets + "/Skybox/" + names[face] + ".jpg", 92, true);
    }

    // Reflection map: u = 0.5 + atan2(z, x) / 2pi around, v = 0.5 + asin(y) / pi up.
    Image environment(1024, 512);
    paintUV(environment, [](glm::vec2 uv) {
        float azimuth = (uv.x - 0.5f) * glm::two_pi<float>();
        float elevation = (uv.y - 0.5f) * glm::pi<float>();
        return skyColour({std::cos(elevation) * std::cos(azimuth), std::sin(elevation), std::cos(elevation) * std::sin(azimuth)});
    });
    writeJpeg(environment, assets + "/world/RadarDomeEnvironment.jpg", 92, true);
}
