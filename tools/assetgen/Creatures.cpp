// The odd crawler's rubber duck and the patrol drone.
#include <algorithm>
#include <cmath>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Noise.h"

namespace {
const float tau = glm::two_pi<float>();

// An ellipsoid-like blob: spherical angles scaled by radii, with an optional
// radial shaping function of the unit direction.
void addBlob(Mesh& mesh, glm::vec3 centre, glm::vec3 radii, int columns, int rows, const UVRect& rect,
             const std::function<float(glm::vec3)>& shape = nullptr) {
    addSurface(mesh, columns, rows, [&](float s, float t) {
        float azimuth = s * tau, polar = t * glm::pi<float>();
        // t = 0 at the bottom pole, 1 at the top; s = 0 faces +z (the front).
        glm::vec3 d(std::sin(azimuth) * std::sin(polar), -std::cos(polar), std::cos(azimuth) * std::sin(polar));
        float k = shape ? shape(d) : 1.0f;
        return centre + d * radii * k;
    }, rect, false);
}

// Duck texture: body, head (with eyes facing forward) and beak regions.
const UVRect duckBody{{0.0f, 0.0f}, {1.0f, 0.5f}};
const UVRect duckHead{{0.0f, 0.5f}, {0.75f, 0.5f}};
const UVRect duckBeak{{0.75f, 0.5f}, {0.25f, 0.5f}};

glm::vec3 duckColour(glm::vec2 uv) {
    glm::vec3 yellow = hexColour(0xFFD21F), shade = hexColour(0xE8A80C);
    float n = fbm(uv * 16.0f, 201, 3, 16);
    if (uv.y < 0.5f) {
        glm::vec2 l(uv.x, uv.y / 0.5f);
        glm::vec3 c = glm::mix(shade, yellow, smoothstep01(0.1f, 0.6f, l.y));
        // A moulding seam and a glossy highlight band.
        if (std::fabs(l.y - 0.32f) < 0.006f) c *= 0.85f;
        return c * (0.95f + 0.08f * n);
    }
    if (uv.x < 0.75f) {
        glm::vec2 l(uv.x / 0.75f, (uv.y - 0.5f) / 0.5f);
        glm::vec3 c = glm::mix(shade, yellow, smoothstep01(0.0f, 0.5f, l.y)) * (0.96f + 0.06f * n);
        // Eyes: two ovals either side of the front (s = 0 and 1 is straight ahead).
        for (float side : {0.11f, 0.89f}) {
            glm::vec2 d((l.x - side) * 2.2f, l.y - 0.64f);
            float r = glm::length(d);
            if (r < 0.09f) c = hexColour(0xFFFFFF);
            if (glm::length(d - glm::vec2(0.0f, 0.01f)) < 0.055f) c = hexColour(0x101010);
            if (glm::length(d - glm::vec2(-0.015f, 0.03f)) < 0.015f) c = hexColour(0xFFFFFF);
        }
        return c;
    }
    return glm::mix(hexColour(0xF06A10), hexColour(0xFF8A2A), n);
}

// Drone texture: dark hull panels, duct metal, hazard stripes and the blue eye.
// The material glows where the picture is at full brightness: the eye and the
// running lights; the stripes stay below that.
const UVRect droneHull{{0.0f, 0.5f}, {1.0f, 0.5f}};
const UVRect droneDuct{{0.0f, 0.0f}, {0.5f, 0.5f}};
const UVRect droneArm{{0.5f, 0.25f}, {0.5f, 0.25f}};
const UVRect droneEye{{0.5f, 0.0f}, {0.25f, 0.25f}};
const UVRect droneBlade{{0.75f, 0.0f}, {0.25f, 0.25f}};

Surface droneSurface(glm::vec2 uv) {
    float n = fbm(uv * 20.0f, 301, 3);
    if (uv.y >= 0.5f) {
        glm::vec2 l(uv.x, (uv.y - 0.5f) * 2.0f);
        glm::vec3 c = glm::mix(hexColour(0x23262B), hexColour(0x3A3F46), n);
        float height = 0.6f;
        // Radial and ring panel lines (the hull is a lathe: u around, v up the profile).
        float ring = glm::fract(l.y * 5.0f), spoke = glm::fract(l.x * 16.0f);
        if (ring < 0.04f || spoke < 0.03f) {
            c *= 0.45f;
            height = 0.2f;
        }
        if (std::fabs(ring - 0.5f) < 0.08f && std::fabs(spoke - 0.5f) < 0.05f) {
            c = hexColour(0x3AA0FF) * 1.2f;  // running lights
            height = 0.8f;
        }
        if (l.y > 0.35f && l.y < 0.45f && glm::fract(l.x * 24.0f + l.y * 6.0f) < 0.5f) c = hexColour(0xC89A20);
        return {c, height};
    }
    if (uv.x < 0.5f) {
        glm::vec2 l = uv * 2.0f;
        glm::vec3 c = glm::mix(hexColour(0x2C3036), hexColour(0x4A5058), n);
        float height = 0.5f + 0.3f * float(glm::fract(l.x * 32.0f) < 0.5f);
        if (l.y > 0.45f && l.y < 0.55f) c = glm::fract(l.x * 20.0f) < 0.5f ? hexColour(0xC09818) : hexColour(0x141414);
        return {c, height};
    }
    if (uv.y >= 0.25f) {
        glm::vec2 l((uv.x - 0.5f) * 2.0f, (uv.y - 0.25f) * 4.0f);
        float rib = glm::fract(l.x * 12.0f);
        return {glm::mix(hexColour(0x1E2024), hexColour(0x34383E), n) * (rib < 0.1f ? 0.6f : 1.0f), rib < 0.1f ? 0.3f : 0.6f};
    }
    if (uv.x < 0.75f) {
        glm::vec2 p = (glm::vec2((uv.x - 0.5f) * 4.0f, uv.y * 4.0f) - 0.5f) * 2.0f;
        float r = glm::length(p);
        glm::vec3 c = glm::mix(hexColour(0xD8F4FF), hexColour(0x1050D0), smoothstep01(0.0f, 0.8f, r));
        if (r > 0.85f) c = hexColour(0x101216);
        return {c, 1.0f - r * 0.5f};
    }
    return {hexColour(0x141518) * (0.8f + 0.4f * n), 0.5f};
}
}  // namespace

void generateDuck(const std::string& assets) {
    // Sits on the crawler's base in place of the body: from 2.5 up, about 3.5 long.
    Mesh duck;
    const float base = 2.5f;
    addBlob(duck, {0.0f, base + 0.612f, -0.15f}, {1.2f, 0.85f, 1.42f}, 14, 7, duckBody, [](glm::vec3 d) {
        // Flat bottom, a raised tail behind, fuller chest in front.
        float k = 1.0f;
        if (d.y < -0.3f) k *= glm::mix(1.0f, 0.72f, smoothstep01(-0.3f, -1.0f, d.y));
        k *= 1.0f + 0.35f * std::max(0.0f, -d.z) * std::max(0.0f, d.y + 0.2f);
        return k;
    });
    addBlob(duck, {0.0f, base + 1.8f, 0.6f}, {0.72f, 0.7f, 0.72f}, 12, 6, duckHead);
    addBlob(duck, {0.0f, base + 1.67f, 1.38f}, {0.42f, 0.14f, 0.5f}, 8, 3, duckBeak, [](glm::vec3 d) { return 0.6f + 0.4f * smoothstep01(-0.4f, 0.4f, d.z); });
    writeObj(duck, assets, "duck", {"rubberDuck", glm::vec3(0.3f), glm::vec3(0.95f), glm::vec3(0.6f), glm::vec3(0.0f), 64.0f, "duck.jpg"});
    Image texture(512, 512);
    paintUV(texture, duckColour);
    writeJpeg(texture, assets + "/duck.jpg", 92, false);
}

void generateDrone(const std::string& assets) {
    Mesh drone;
    // Central hull: a flattened saucer with a dome on top.
    addLathe(drone, glm::mat4(1.0f), {{0.0f, -0.9f}, {3.0f, -0.7f}, {4.1f, 0.0f}, {2.6f, 1.0f}, {0.0f, 1.55f}}, 10, droneHull, true);
    // Four rotor ducts on the diagonals, carried by two beams that cross under the dome.
    const float podDistance = 9.4f;
    for (int i = 0; i < 4; ++i) {
        float a = tau * (float(i) + 0.5f) / 4.0f;
        glm::vec3 pod(std::cos(a) * podDistance, 0.0f, std::sin(a) * podDistance);
        glm::mat4 at = glm::translate(glm::mat4(1.0f), pod);
        // A duct: flat underside, upright outer wall, flared inner wall.
        addLathe(drone, at, {{2.2f, -0.6f}, {2.85f, -0.45f}, {2.75f, 0.6f}, {2.2f, -0.6f}}, 8, droneDuct, false);
        if (i < 2) {
            // Square beam from this pod to the opposite one, a flat face on top.
            addCylinder(drone, frameAlong(pod, -pod), 0.45f, 0.45f, 2.0f * podDistance, 4, droneArm, droneArm, false, false,
                        glm::quarter_pi<float>());
        }
        // Two crossed blades over the beam's end: thin plates, a face up and a face down.
        for (int b = 0; b < 2; ++b) {
            float bladeAngle = float(i) * 0.7f + float(b) * glm::half_pi<float>();
            glm::mat4 blade = glm::translate(glm::mat4(1.0f), pod + glm::vec3(0, 0.45f, 0)) * glm::rotate(glm::mat4(1.0f), bladeAngle, glm::vec3(0, 1, 0)) *
                              glm::rotate(glm::mat4(1.0f), 0.18f, glm::vec3(1, 0, 0));
            for (float side : {-1.0f, 1.0f}) {
                Mesh plate;
                auto corner = [&](float x, float z) {
                    return Vertex{{x, side * 0.03f, z}, {0, side, 0}, droneBlade.map({x / 4.1f + 0.5f, z / 0.44f + 0.5f})};
                };
                plate.facingQuad(corner(-2.05f, -0.22f), corner(2.05f, -0.22f), corner(2.05f, 0.22f), corner(-2.05f, 0.22f));
                drone.append(plate, blade);
            }
        }
    }
    // The sensor eye: a glowing blue dome under the front of the hull.
    const glm::vec3 eyeCentre(0.0f, -0.6f, 2.6f);
    Mesh eye;
    addLathe(eye, glm::translate(glm::mat4(1.0f), eyeCentre), {{0.0f, -0.75f}, {0.6f, -0.5f}, {0.9f, 0.0f}}, 8, droneEye, true);
    // Eye texture is a disc: map it by direction rather than by the lathe's grid.
    for (Vertex& v : eye.vertices) {
        glm::vec3 d = v.position - eyeCentre;
        v.uv = droneEye.map(glm::vec2(d.x, d.z) / 1.8f + 0.5f);
    }
    drone.append(eye);
    writeObj(drone, assets, "e_drone01", {"drone", glm::vec3(0.2f), glm::vec3(0.8f), glm::vec3(0.6f), glm::vec3(1.5f), 48.0f, "e_drone01.jpg"});
    writeSurfaceMaps(1024, droneSurface, assets + "/e_drone01.jpg", 90, assets + "/DroneNormalMap.jpg", 4.0f, false);
}
