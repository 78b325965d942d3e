// The landscape's furniture: the sandstone butte, the radar dome, the dust
// cloud and the fireball.
#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Noise.h"

namespace {
const float tau = glm::two_pi<float>();

// Sandstone: horizontal strata in bands of red-brown and buff, weathered.
Surface sandstone(glm::vec2 uv) {
    // u wraps round the butte (period 1), v climbs it.
    float warp = (fbm(glm::vec2(uv.x * 8.0f, uv.y * 4.0f), 401, 3, 8) - 0.5f) * 0.05f;
    float layer = uv.y * 22.0f + warp * 22.0f;
    float band = glm::fract(layer);
    float id = std::floor(layer);
    float tone = hash2(int(id), 0, 402);
    glm::vec3 red = hexColour(0xA8522E), buff = hexColour(0xD49A68), dark = hexColour(0x6E3420);
    glm::vec3 c = glm::mix(red, buff, tone);
    if (tone < 0.2f) c = glm::mix(dark, red, tone * 5.0f);
    float grain = fbm(glm::vec2(uv.x * 64.0f, uv.y * 64.0f), 403, 4, 64);
    float cracks = cellular(glm::vec2(uv.x * 24.0f, uv.y * 10.0f), 404, 24).x;
    float streak = fbm(glm::vec2(uv.x * 40.0f, uv.y * 2.0f), 405, 3, 40);
    c *= 0.8f + 0.35f * grain;
    c = glm::mix(c, c * 0.55f, smoothstep01(0.55f, 0.8f, streak) * 0.6f);  // desert varnish
    float height = 0.5f + 0.3f * smoothstep01(0.0f, 0.15f, band) - 0.3f * smoothstep01(0.85f, 1.0f, band) + 0.25f * grain;
    if (cracks < 0.06f) {
        c *= 0.6f;
        height -= 0.4f;
    }
    return {c, height};
}
}  // namespace

void generateScenery(const std::string& assets) {
    const std::string dir = assets + "/world";
    // Butte: talus skirt, cliffs, a ledge and a flat cap; about 80 wide, 120 tall,
    // no point further than 50 from its axis. The outline wobbles with the angle
    // (the same at every height, so cliffs stay vertical).
    auto outline = [](float angle, float y) {
        float a = angle / tau;
        // Lobes no finer than the twelve columns can carry.
        float lobes = fbm(glm::vec2(a * 3.0f, 0.0f), 801, 2, 3);
        float skirt = fbm(glm::vec2(a * 6.0f, y * 0.05f), 802, 2, 6);
        // Buttresses and alcoves shift a little from one cliff band to the next.
        float bands = fbm(glm::vec2(a * 5.0f, y * 0.025f), 803, 2, 5);
        return 0.8f + 0.3f * lobes + 0.1f * bands + (y < 30.0f ? 0.12f * skirt : 0.0f);
    };
    Mesh rock;
    addLathe(rock, glm::mat4(1.0f),
             {{41.0f, 0.0f}, {30.0f, 20.0f}, {28.5f, 58.0f}, {25.5f, 61.0f}, {24.0f, 114.0f}, {0.0f, 118.0f}},
             12, {}, false, outline);
    // Strata follow height, not the distance along the profile.
    for (Vertex& v : rock.vertices) v.uv.y = v.position.y / 120.0f;
    float reach = 0.0f;
    for (const Vertex& v : rock.vertices) reach = std::max(reach, glm::length(glm::vec2(v.position.x, v.position.z)));
    Mesh rockScaled;
    if (reach > 49.0f) rockScaled.append(rock, glm::scale(glm::mat4(1.0f), glm::vec3(49.0f / reach, 1.0f, 49.0f / reach)));
    else rockScaled = rock;
    writeObj(rockScaled, dir, "w_rock02", {"sandstone", glm::vec3(0.35f), glm::vec3(0.9f), glm::vec3(0.1f), glm::vec3(0.0f), 6.0f, "rock02.jpg"});
    writeSurfaceMaps(1024, sandstone, dir + "/rock02.jpg", 90, dir + "/rock02_normal.jpg", 6.0f, true);

    // Radar dome: a white sphere cap on a ring base, about 100 wide and 75 tall.
    Mesh dome;
    // Twenty-four columns, one per radome panel, keep the outline round at any
    // distance the player passes it; the panel seams are in the texture.
    std::vector<glm::vec2> profile = {{50.0f, 0.0f}, {50.0f, 10.0f}, {48.5f, 13.0f}};
    const float centreY = 27.0f, radius = 48.0f;
    float startAngle = std::asin((13.0f - centreY) / radius);
    for (int i = 0; i <= 7; ++i) {
        float a = glm::mix(startAngle, glm::half_pi<float>(), float(i) / 7.0f);
        profile.push_back({radius * std::cos(a), centreY + radius * std::sin(a)});
    }
    profile.back().x = 0.0f;
    Mesh ring, cap;
    addLathe(ring, glm::mat4(1.0f), {profile.begin(), profile.begin() + 3}, 24, {{0.0f, 0.0f}, {1.0f, 0.15f}}, false);
    addLathe(cap, glm::mat4(1.0f), {profile.begin() + 2, profile.end()}, 24, {{0.0f, 0.15f}, {1.0f, 0.85f}}, true);
    dome.append(ring);
    dome.append(cap);
    writeObj(dome, dir, "w_radarDome", {"radome", glm::vec3(0.5f), glm::vec3(0.95f), glm::vec3(0.9f), glm::vec3(0.0f), 96.0f, "radarDome.jpg"});
    paintJpeg(dir + "/radarDome.jpg", 512, [](glm::vec2 uv) {
        float n = fbm(uv * 12.0f, 901, 4, 12);
        glm::vec3 c = glm::mix(hexColour(0xD8D6D0), hexColour(0xF4F2EE), n);
        if (uv.y < 0.15f) {
            // Concrete ring with a dark access door.
            c = glm::mix(hexColour(0x9A948A), hexColour(0xB8B0A4), n);
            if (std::fabs(uv.x - 0.25f) < 0.02f && uv.y < 0.11f) c = hexColour(0x3A3836);
            if (std::fabs(uv.y - 0.13f) < 0.004f) c *= 0.6f;
        } else {
            // Panel seams of the radome: meridians and latitude rings.
            float l = (uv.y - 0.15f) / 0.85f;
            if (glm::fract(uv.x * 24.0f) < 0.03f && l < 0.92f) c *= 0.82f;
            if (glm::fract(l * 8.0f) < 0.025f) c *= 0.82f;
            c = glm::mix(c, hexColour(0xB89A78), 0.3f * smoothstep01(0.25f, 0.0f, l) * n);  // sand grime low down
        }
        return c;
    });

    // Dust cloud: soft lumps about 15 across, pale, lit like the sand and lit
    // through by the low sun. Fireball: turbulent, about 12 across; its
    // emissive colour marks it as fire, which the game colours as it cools
    // (yellow-white, orange, embers, then dark smoke), the picture's brighter
    // streaks burning longest.
    Mesh dust = lumpySphere(cubeSphereTriangles(), [](glm::vec3 d) { return 6.2f + 1.6f * fbm(d * 1.8f, 1001, 3); });
    Mesh dustFlattened;
    dustFlattened.append(dust, glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, 0.75f, 1.0f)));
    writeObj(dustFlattened, dir, "w_dustCloud", {"dust", glm::vec3(0.6f, 0.5f, 0.4f), glm::vec3(0.85f, 0.75f, 0.6f), glm::vec3(0.0f), glm::vec3(0.0f), 2.0f, "dustCloud.jpg"});
    paintJpeg(dir + "/dustCloud.jpg", 256, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(6.0f, 4.0f), 1002, 5, 6);
        return glm::mix(hexColour(0xA88A68), hexColour(0xE8D4B4), n);
    });
    Mesh fire = lumpySphere(cubeSphereTriangles(), [](glm::vec3 d) { return 4.8f + 1.8f * fbm(d * 2.6f + 3.0f, 1101, 3); });
    writeObj(fire, dir, "e_fireball", {"fire", glm::vec3(1.0f, 0.5f, 0.1f), glm::vec3(1.0f, 0.6f, 0.2f), glm::vec3(0.1f), glm::vec3(1.0f, 0.45f, 0.1f), 4.0f, "fireball.jpg"});
    paintJpeg(dir + "/fireball.jpg", 256, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(6.0f, 5.0f) + fbm(uv * 4.0f, 1102, 3, 4) * 1.5f, 1103, 5, 6);
        glm::vec3 c = glm::mix(hexColour(0x8A1E04), hexColour(0xFF7A12), smoothstep01(0.25f, 0.6f, n));
        return glm::mix(c, hexColour(0xFFE27A), smoothstep01(0.6f, 0.85f, n));
    });
}
