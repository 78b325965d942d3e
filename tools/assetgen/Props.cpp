// Small things: the tracer round, the explosion burst, the cannon barrel and
// the marble box; and the scenery: butte, radar dome, dust cloud and fireball.
#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Noise.h"

namespace {
const float tau = glm::two_pi<float>();

// A displaced icosphere with spherical texture coordinates; triangles that
// straddle the u seam get their coordinates unwrapped so the texture (which
// tiles in u) stays continuous.
Mesh lumpySphere(int subdivisions, const std::function<float(glm::vec3)>& radius) {
    std::vector<glm::vec3> unit = icosphereTriangles(subdivisions);
    Mesh mesh;
    for (size_t i = 0; i < unit.size(); i += 3) {
        Vertex v[3];
        for (int k = 0; k < 3; ++k) {
            glm::vec3 d = unit[i + size_t(k)];
            v[k].position = d * radius(d);
            v[k].normal = d;
            v[k].uv = {std::atan2(d.x, d.z) / tau + 0.5f, std::asin(glm::clamp(d.y, -1.0f, 1.0f)) / glm::pi<float>() + 0.5f};
        }
        float maxU = std::max({v[0].uv.x, v[1].uv.x, v[2].uv.x});
        for (Vertex& x : v)
            if (maxU - x.uv.x > 0.5f) x.uv.x += 1.0f;
        mesh.facingTriangle(v[0], v[1], v[2]);
    }
    mesh.smoothNormals();
    return mesh;
}

void writeTexture(const std::string& path, int size, const std::function<glm::vec3(glm::vec2)>& colour) {
    Image image(size, size);
    paintUV(image, colour);
    writeJpeg(image, path, 90, false);
}

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

void generateGameObjects(const std::string& assets) {
    const std::string dir = assets + "/Gameobjects";
    // Tracer: a six-sided spindle, 6 long, 0.5 thick, origin at its centre.
    Mesh tracer;
    addLathe(tracer, glm::rotate(glm::mat4(1.0f), glm::half_pi<float>(), glm::vec3(1, 0, 0)),
             {{0.0f, -3.0f}, {0.22f, -1.2f}, {0.25f, 1.6f}, {0.0f, 3.0f}}, 6, {}, true);
    // The lathe's y became -z; flip so the hot tip leads along +z.
    Mesh tracerForward;
    tracerForward.append(tracer, glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, 1.0f, -1.0f)));
    writeObj(tracerForward, dir, "projectile02", {"tracer", glm::vec3(1.0f, 0.9f, 0.5f), glm::vec3(1.0f, 0.95f, 0.6f), glm::vec3(1.0f), glm::vec3(1.0f, 0.85f, 0.3f), 96.0f, "projectile02.jpg"});
    writeTexture(dir + "/projectile02.jpg", 256, [](glm::vec2 uv) {
        // v runs tail (0) to tip (1): orange tail, white-hot core.
        return glm::mix(hexColour(0xFF8A1A), hexColour(0xFFFBE8), smoothstep01(0.1f, 0.6f, uv.y)) * (0.95f + 0.05f * std::sin(uv.x * tau * 6.0f));
    });

    // Explosion: a spiky burst about 8 across.
    Mesh burst = lumpySphere(2, [](glm::vec3 d) {
        float spikes = std::pow(fbm(d * 3.5f + 10.0f, 501, 2), 3.0f) * 8.0f;
        return 1.8f + 0.6f * fbm(d * 2.0f, 502, 3) + std::min(spikes, 2.3f);
    });
    writeObj(burst, dir, "simpleExplosion", {"explosion", glm::vec3(1.0f, 0.6f, 0.2f), glm::vec3(1.0f, 0.7f, 0.3f), glm::vec3(0.2f), glm::vec3(1.0f, 0.5f, 0.1f), 8.0f, "simpleExplosion.jpg"});
    writeTexture(dir + "/simpleExplosion.jpg", 512, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(8.0f, 6.0f), 503, 5, 8);
        float t = smoothstep01(0.3f, 0.8f, n);
        glm::vec3 c = glm::mix(hexColour(0x5A1A08), hexColour(0xFF7A10), smoothstep01(0.0f, 0.5f, t));
        return glm::mix(c, hexColour(0xFFF0A0), smoothstep01(0.5f, 1.0f, t));
    });

    // Cannon: a barrel about 3 long with a muzzle brake and a breech ring.
    Mesh cannon;
    addLathe(cannon, glm::rotate(glm::mat4(1.0f), -glm::half_pi<float>(), glm::vec3(1, 0, 0)),
             {{0.0f, -1.5f}, {0.32f, -1.5f}, {0.32f, -1.05f}, {0.22f, -1.0f}, {0.17f, -0.9f}, {0.14f, 0.9f}, {0.21f, 0.95f}, {0.21f, 1.5f}, {0.1f, 1.5f}, {0.1f, 1.3f}},
             16, {}, false);
    writeObj(cannon, dir, "p_cannon", {"gunmetal", glm::vec3(0.2f), glm::vec3(0.6f), glm::vec3(0.8f), glm::vec3(0.0f), 96.0f, "p_cannon.jpg"});
    writeTexture(dir + "/p_cannon.jpg", 512, [](glm::vec2 uv) {
        float brushed = fbm(glm::vec2(uv.x * 4.0f, uv.y * 120.0f), 601, 3, 4);
        glm::vec3 c = glm::mix(hexColour(0x2C2E30), hexColour(0x6A6E72), brushed);
        if (glm::fract(uv.y * 9.0f) < 0.04f) c *= 0.5f;
        return c;
    });

    // Marble box: a 2-unit cube with softened edges, standing on its origin.
    Mesh box;
    addBox(box, {-1.0f, 0.0f, -1.0f}, {1.0f, 2.0f, 1.0f}, 0.06f, {});
    writeObj(box, assets + "/marbleBox", "marbleBox", {"marble", glm::vec3(0.3f), glm::vec3(0.9f), glm::vec3(0.7f), glm::vec3(0.0f), 80.0f, "marbleBox.jpg"});
    Image marble(512, 512);
    Field relief(512, 512);
    paintSurface(marble, relief, [](glm::vec2 uv) {
        float turbulence = fbm(uv * 4.0f, 701, 6, 4);
        float vein = std::fabs(std::sin((uv.x * 2.0f + uv.y * 3.0f + turbulence * 3.5f) * glm::pi<float>()));
        float fine = std::pow(1.0f - vein, 12.0f);
        glm::vec3 c = glm::mix(hexColour(0xF2EEE6), hexColour(0xC8C2B8), fbm(uv * 8.0f, 702, 4, 8));
        c = glm::mix(c, hexColour(0x5A5660), fine * 0.8f);
        return Surface{c, 0.5f - 0.5f * fine};
    });
    writeJpeg(marble, assets + "/marbleBox/marbleBox.jpg", 92, false);
    writeJpeg(normalMapFromHeight(relief, 2.0f, true), assets + "/marbleBox/marbleBoxNormal.jpg", 92, false);
}

void generateScenery(const std::string& assets) {
    const std::string dir = assets + "/world";
    // Butte: talus skirt, cliffs, a ledge and a flat cap; about 80 wide, 120 tall,
    // no point further than 50 from its axis. The outline wobbles with the angle
    // (the same at every height, so cliffs stay vertical).
    auto outline = [](float angle, float y) {
        float a = angle / tau;
        float lobes = fbm(glm::vec2(a * 6.0f, 0.0f), 801, 3, 6);
        float skirt = fbm(glm::vec2(a * 12.0f, y * 0.05f), 802, 2, 12);
        return 0.8f + 0.3f * lobes + (y < 30.0f ? 0.12f * skirt : 0.0f);
    };
    Mesh rock;
    addLathe(rock, glm::mat4(1.0f),
             {{40.0f, 0.0f}, {35.0f, 9.0f}, {30.0f, 20.0f}, {28.5f, 58.0f}, {25.5f, 61.0f}, {25.0f, 110.0f}, {23.0f, 117.0f}, {0.0f, 120.0f}},
             16, {}, false, outline);
    // Strata follow height, not the distance along the profile.
    for (Vertex& v : rock.vertices) v.uv.y = v.position.y / 120.0f;
    float reach = 0.0f;
    for (const Vertex& v : rock.vertices) reach = std::max(reach, glm::length(glm::vec2(v.position.x, v.position.z)));
    Mesh rockScaled;
    if (reach > 49.0f) rockScaled.append(rock, glm::scale(glm::mat4(1.0f), glm::vec3(49.0f / reach, 1.0f, 49.0f / reach)));
    else rockScaled = rock;
    writeObj(rockScaled, dir, "w_rock02", {"sandstone", glm::vec3(0.35f), glm::vec3(0.9f), glm::vec3(0.1f), glm::vec3(0.0f), 6.0f, "rock02.jpg"});
    Image stone(1024, 1024);
    Field strata(1024, 1024);
    paintSurface(stone, strata, sandstone);
    writeJpeg(stone, dir + "/rock02.jpg", 90, false);
    writeJpeg(normalMapFromHeight(strata, 6.0f, true), dir + "/rock02_normal.jpg", 92, false);

    // Radar dome: a white sphere cap on a ring base, about 100 wide and 75 tall.
    Mesh dome;
    std::vector<glm::vec2> profile = {{50.0f, 0.0f}, {50.0f, 9.0f}, {48.5f, 10.0f}, {48.5f, 13.0f}};
    const float centreY = 27.0f, radius = 48.0f;
    float startAngle = std::asin((13.0f - centreY) / radius);
    for (int i = 0; i <= 14; ++i) {
        float a = glm::mix(startAngle, glm::half_pi<float>(), float(i) / 14.0f);
        profile.push_back({radius * std::cos(a), centreY + radius * std::sin(a)});
    }
    profile.back().x = 0.0f;
    Mesh ring, cap;
    addLathe(ring, glm::mat4(1.0f), {profile.begin(), profile.begin() + 4}, 36, {{0.0f, 0.0f}, {1.0f, 0.15f}}, false);
    addLathe(cap, glm::mat4(1.0f), {profile.begin() + 3, profile.end()}, 36, {{0.0f, 0.15f}, {1.0f, 0.85f}}, true);
    dome.append(ring);
    dome.append(cap);
    writeObj(dome, dir, "w_radarDome", {"radome", glm::vec3(0.5f), glm::vec3(0.95f), glm::vec3(0.9f), glm::vec3(0.0f), 96.0f, "radarDome.jpg"});
    writeTexture(dir + "/radarDome.jpg", 512, [](glm::vec2 uv) {
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

    // Dust cloud: soft lumps about 15 across. Fireball: turbulent, about 12 across.
    Mesh dust = lumpySphere(1, [](glm::vec3 d) { return 6.2f + 1.6f * fbm(d * 1.8f, 1001, 3); });
    Mesh dustFlattened;
    dustFlattened.append(dust, glm::scale(glm::mat4(1.0f), glm::vec3(1.0f, 0.75f, 1.0f)));
    writeObj(dustFlattened, dir, "w_dustCloud", {"dust", glm::vec3(0.6f, 0.5f, 0.4f), glm::vec3(0.85f, 0.75f, 0.6f), glm::vec3(0.0f), glm::vec3(0.0f), 2.0f, "dustCloud.jpg"});
    writeTexture(dir + "/dustCloud.jpg", 256, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(6.0f, 4.0f), 1002, 5, 6);
        return glm::mix(hexColour(0xA88A68), hexColour(0xE8D4B4), n);
    });
    Mesh fire = lumpySphere(1, [](glm::vec3 d) { return 4.8f + 1.8f * fbm(d * 2.6f + 3.0f, 1101, 3); });
    writeObj(fire, dir, "e_fireball", {"fire", glm::vec3(1.0f, 0.5f, 0.1f), glm::vec3(1.0f, 0.6f, 0.2f), glm::vec3(0.1f), glm::vec3(1.0f, 0.45f, 0.1f), 4.0f, "fireball.jpg"});
    writeTexture(dir + "/fireball.jpg", 256, [](glm::vec2 uv) {
        float n = fbm(uv * glm::vec2(6.0f, 5.0f) + fbm(uv * 4.0f, 1102, 3, 4) * 1.5f, 1103, 5, 6);
        glm::vec3 c = glm::mix(hexColour(0x8A1E04), hexColour(0xFF7A12), smoothstep01(0.25f, 0.6f, n));
        return glm::mix(c, hexColour(0xFFE27A), smoothstep01(0.6f, 0.85f, n));
    });
}
