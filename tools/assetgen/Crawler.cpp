// The crawler: an olive tank on tracks, built from parts that share one ground
// origin (running gear in three animation frames, hull and turret), the whole
// vehicle, and its blackened wreck. All parts use one texture atlas.
#include <algorithm>
#include <cmath>
#include <cstdio>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Fonts.h"
#include "Noise.h"

namespace {
// Atlas regions (texture space, v upwards).
const UVRect trackRect{{0.0f, 0.0f}, {0.125f, 1.0f}};  // full height: the tread repeats along v
const UVRect wheelRect{{0.125f, 0.75f}, {0.25f, 0.25f}};
const UVRect rubberRect{{0.375f, 0.75f}, {0.125f, 0.25f}};
const UVRect lampRect{{0.5f, 0.75f}, {0.125f, 0.25f}};
const UVRect panelRect{{0.125f, 0.25f}, {0.5f, 0.5f}};
const UVRect turretRect{{0.625f, 0.5f}, {0.375f, 0.5f}};
const UVRect darkRect{{0.625f, 0.25f}, {0.375f, 0.25f}};
const UVRect lowerRect{{0.125f, 0.0f}, {0.5f, 0.25f}};
const UVRect deckRect{{0.625f, 0.0f}, {0.375f, 0.25f}};

const float trackLength = 2.75f;   // half distance between idler and sprocket centres
const float trackRadius = 0.8f;
const float trackCentreY = 0.85f;
const float trackThickness = 0.15f;
const int linksPerTexture = 8;     // the tread texture holds eight links along v

float trackPerimeter() { return 4.0f * trackLength + glm::two_pi<float>() * trackRadius; }
float linkLength() { return trackPerimeter() / 46.0f; }

bool inside(glm::vec2 uv, const UVRect& r, glm::vec2& local) {
    local = (uv - r.origin) / r.size;
    return local.x >= 0.0f && local.y >= 0.0f && local.x < 1.0f && local.y < 1.0f;
}

// Olive armour: mottled paint, panel seams with rivets, worn edges, dust low down.
Surface armour(glm::vec2 local, glm::vec2 cells, uint32_t seed) {
    const glm::vec3 olive = hexColour(0x56603A), oliveDark = hexColour(0x3C4428), dust = hexColour(0xA08866);
    float mottle = fbm(local * 6.0f, seed, 4);
    glm::vec3 c = glm::mix(oliveDark, olive, 0.3f + 0.9f * mottle);
    glm::vec2 g = local * cells;
    glm::vec2 f = glm::fract(g);
    float seam = std::min(std::min(f.x, 1.0f - f.x) / cells.x, std::min(f.y, 1.0f - f.y) / cells.y) * 256.0f;
    float height = 0.6f + 0.1f * mottle;
    if (seam < 1.2f) {
        c *= 0.55f;
        height = 0.35f;
    }
    // Rivets a little inside each seam.
    glm::vec2 rivetGrid = glm::fract(g * 6.0f);
    float rivetDistance = glm::length((rivetGrid - 0.5f) / glm::vec2(1.0f, 1.0f));
    bool nearSeam = seam > 2.5f && seam < 6.0f;
    if (nearSeam && rivetDistance < 0.25f) {
        height += 0.25f * (1.0f - rivetDistance / 0.25f);
        c *= 1.15f;
    }
    float wear = ridged(local * 10.0f, seed + 7, 3);
    if (wear > 0.82f) c = glm::mix(c, hexColour(0x8E8C82), 0.7f);
    c = glm::mix(c, dust, 0.45f * smoothstep01(0.35f, 0.0f, local.y) * fbm(local * 12.0f, seed + 9, 3));
    return {c, height};
}

Surface crawlerSurface(glm::vec2 uv, bool burnt, const TextMask& number) {
    glm::vec2 l;
    Surface s{glm::vec3(0.3f), 0.5f};
    if (uv.x < 0.125f) {
        // Tread: steel plates with a raised grouser bar and dark gaps between links.
        float a = uv.x / 0.125f, b = glm::fract(uv.y * float(linksPerTexture));
        const glm::vec3 steel = hexColour(0x3A3732), bright = hexColour(0x77726A);
        float n = fbm(glm::vec2(a * 4.0f, uv.y * 32.0f), 101, 3, 0);
        s = {steel * (0.8f + 0.4f * n), 0.5f};
        if (std::fabs(b - 0.5f) < 0.12f) s = {glm::mix(steel, bright, 0.6f + 0.3f * n), 1.0f};
        if (b < 0.06f || b > 0.94f) s = {hexColour(0x141210), 0.0f};
        if ((a < 0.1f || a > 0.9f) && std::fabs(b - 0.5f) < 0.2f) s = {bright * 0.8f, 0.8f};
        s.colour = glm::mix(s.colour, hexColour(0x8A7458), 0.35f * fbm(glm::vec2(a, uv.y * 8.0f) * 3.0f, 102, 3));
    } else if (inside(uv, wheelRect, l) || inside(uv, lampRect, l)) {
        glm::vec2 p = l * 2.0f - 1.0f;
        float r = glm::length(p), angle = std::atan2(p.y, p.x);
        if (inside(uv, lampRect, l)) {
            s = r < 0.7f ? Surface{glm::mix(hexColour(0xFFF2C0), hexColour(0xC8A050), r / 0.7f), 0.8f} : Surface{hexColour(0x2A2A26), 0.4f};
        } else if (r > 0.84f) {
            s = {hexColour(0x1A1A1A), 0.6f};  // rubber tyre
        } else if (r > 0.72f) {
            s = {hexColour(0x4E5634), 0.8f};
        } else {
            s = {hexColour(0x58623C) * (0.85f + 0.3f * fbm(p * 4.0f, 103, 3)), 0.7f};
            float spokeAngle = glm::fract(angle / glm::two_pi<float>() * 6.0f);
            if (r > 0.34f && r < 0.64f && std::fabs(spokeAngle - 0.5f) < 0.28f) s = {hexColour(0x121210), 0.1f};
            if (r < 0.2f) s = {hexColour(0x6A705A), 1.0f};
            float boltAngle = glm::fract(angle / glm::two_pi<float>() * 8.0f);
            if (std::fabs(r - 0.27f) < 0.035f && std::fabs(boltAngle - 0.5f) < 0.12f) s = {hexColour(0x9A9A8A), 1.1f};
        }
    } else if (inside(uv, rubberRect, l)) {
        s = {hexColour(0x1C1B1A) * (0.8f + 0.5f * fbm(l * glm::vec2(4.0f, 40.0f), 104, 2)), 0.5f + 0.2f * float(std::fmod(l.y * 40.0f, 1.0f) < 0.5f)};
    } else if (inside(uv, panelRect, l)) {
        s = armour(l, {4.0f, 3.0f}, 110);
    } else if (inside(uv, turretRect, l)) {
        s = armour(l, {3.0f, 2.0f}, 120);
        // Stencilled hull number on the turret's flank.
        int tx = int((l.x - 0.08f) * 512.0f), ty = int((0.72f - l.y) * 512.0f);
        float ink = number.at(tx, ty);
        s.colour = glm::mix(s.colour, hexColour(0xE6DEC8) * (0.8f + 0.2f * fbm(l * 40.0f, 121, 2)), ink * 0.9f);
    } else if (inside(uv, darkRect, l)) {
        float streak = fbm(l * glm::vec2(40.0f, 3.0f), 130, 3);
        s = {hexColour(0x2E2F2C) * (0.8f + 0.5f * streak), 0.5f + 0.2f * streak};
    } else if (inside(uv, lowerRect, l)) {
        s = armour(l, {5.0f, 1.0f}, 140);
        s.colour = glm::mix(s.colour, hexColour(0x7E6A50), 0.35f + 0.3f * fbm(l * 8.0f, 141, 3));
    } else if (inside(uv, deckRect, l)) {
        // Engine deck: louvres between frame rails.
        float slat = glm::fract(l.y * 14.0f);
        bool rail = l.x < 0.06f || l.x > 0.94f || std::fabs(l.x - 0.5f) < 0.03f;
        s = rail ? Surface{hexColour(0x4A5232), 0.9f} : Surface{glm::mix(hexColour(0x121310), hexColour(0x50583A), smoothstep01(0.3f, 0.7f, slat)), slat};
    }
    if (burnt) {
        // Soot over everything, rust blooming through, scorched bare metal.
        float soot = fbm(uv * 9.0f, 150, 4);
        float rust = fbm(uv * 14.0f, 151, 4);
        float lum = glm::dot(s.colour, glm::vec3(0.3f, 0.5f, 0.2f));
        glm::vec3 c = glm::vec3(lum * 0.35f + 0.03f);
        c = glm::mix(c, hexColour(0x4A2614) * (0.5f + 0.5f * rust), smoothstep01(0.55f, 0.8f, rust) * 0.6f);
        c = glm::mix(c, hexColour(0x0A0908), smoothstep01(0.45f, 0.7f, soot) * 0.8f);
        s.colour = c;
        s.height += 0.3f * rust;
    }
    return s;
}

Image crawlerAtlas(bool burnt, Field* relief) {
    TextMask number = renderText("07", 150, 6, 4);
    Image image(1024, 1024);
    Field height(1024, 1024);
    paintSurface(image, height, [&](glm::vec2 uv) { return crawlerSurface(uv, burnt, number); });
    if (relief) *relief = height;
    return image;
}

// The stadium-shaped track loop in the (z, y) plane: points and outward normals.
struct TrackPoint {
    glm::vec2 position;  // (z, y)
    glm::vec2 normal;
    float along;
};

std::vector<TrackPoint> trackLoop(int arcSegments, int straightSegments) {
    std::vector<TrackPoint> loop;
    const float l = trackLength, r = trackRadius, cy = trackCentreY;
    auto add = [&](glm::vec2 p, glm::vec2 n) {
        float along = loop.empty() ? 0.0f : loop.back().along + glm::length(p - loop.back().position);
        loop.push_back({p, n, along});
    };
    for (int i = 0; i < straightSegments; ++i) add({-l + 2.0f * l * float(i) / float(straightSegments), cy - r}, {0, -1});
    for (int i = 0; i < arcSegments; ++i) {
        float a = -glm::half_pi<float>() + glm::pi<float>() * float(i) / float(arcSegments);
        add({l + r * std::cos(a), cy + r * std::sin(a)}, {std::cos(a), std::sin(a)});
    }
    for (int i = 0; i < straightSegments; ++i) add({l - 2.0f * l * float(i) / float(straightSegments), cy + r}, {0, 1});
    for (int i = 0; i < arcSegments; ++i) {
        float a = glm::half_pi<float>() + glm::pi<float>() * float(i) / float(arcSegments);
        add({-l + r * std::cos(a), cy + r * std::sin(a)}, {std::cos(a), std::sin(a)});
    }
    add(loop.front().position, loop.front().normal);  // closes the loop
    return loop;
}

// One track belt between x = inner and x = outer (outer > inner, right side).
void addTrackBelt(Mesh& mesh, float inner, float outer, float phase, int arcSegments, int straightSegments) {
    std::vector<TrackPoint> loop = trackLoop(arcSegments, straightSegments);
    // Links scroll along the belt by `phase` links per frame; 46 links close the loop exactly.
    float vPerUnit = 1.0f / (linkLength() * float(linksPerTexture));
    float vShift = phase / float(linksPerTexture);
    auto at = [&](const TrackPoint& p, float x, float depth, glm::vec3 normal, float u) {
        glm::vec2 q = p.position - p.normal * depth;
        return Vertex{{x, q.y, q.x}, normal, trackRect.map({u, 0.0f}) + glm::vec2(0.0f, p.along * vPerUnit + vShift)};
    };
    for (size_t i = 0; i + 1 < loop.size(); ++i) {
        const TrackPoint &a = loop[i], &b = loop[i + 1];
        glm::vec3 na(0, a.normal.y, a.normal.x), nb(0, b.normal.y, b.normal.x);
        // Tread face, both flanks, and the inner running surface.
        mesh.facingQuad(at(a, inner, 0, na, 0), at(a, outer, 0, na, 1), at(b, outer, 0, nb, 1), at(b, inner, 0, nb, 0));
        mesh.facingQuad(at(a, outer, 0, {1, 0, 0}, 0.9f), at(a, outer, trackThickness, {1, 0, 0}, 1), at(b, outer, trackThickness, {1, 0, 0}, 1), at(b, outer, 0, {1, 0, 0}, 0.9f));
        mesh.facingQuad(at(a, inner, 0, {-1, 0, 0}, 0.9f), at(a, inner, trackThickness, {-1, 0, 0}, 1), at(b, inner, trackThickness, {-1, 0, 0}, 1), at(b, inner, 0, {-1, 0, 0}, 0.9f));
        mesh.facingQuad(at(a, inner, trackThickness, -na, 0.1f), at(a, outer, trackThickness, -na, 0.9f), at(b, outer, trackThickness, -nb, 0.9f), at(b, inner, trackThickness, -nb, 0.1f));
    }
}

struct GearDetail {
    int arcSegments = 6;
    int straightSegments = 2;
    int wheelSegments = 10;
};

// Tracks and road wheels of the right side; the left side is its mirror image.
Mesh runningGearSide(float phase, const GearDetail& detail) {
    Mesh side;
    const float inner = 1.4f, outer = 2.5f;
    addTrackBelt(side, inner, outer, phase, detail.arcSegments, detail.straightSegments);
    // Wheels turn with the belt: a third of a link of travel per frame.
    struct Wheel { float z, y, r; };
    const float roadY = trackCentreY - trackRadius + trackThickness + 0.5f;
    const Wheel wheels[] = {{-trackLength, trackCentreY, 0.6f}, {-1.65f, roadY, 0.5f}, {-0.55f, roadY, 0.5f},
                            {0.55f, roadY, 0.5f}, {1.65f, roadY, 0.5f}, {trackLength, trackCentreY, 0.6f}};
    for (const Wheel& w : wheels) {
        float turn = phase * linkLength() / w.r;
        addCylinder(side, frameAlong({inner + 0.12f, w.y, w.z}, {1, 0, 0}), w.r, w.r, outer - inner - 0.2f, detail.wheelSegments,
                    rubberRect, wheelRect, false, true, turn);
    }
    return side;
}

// The lower hull between the tracks: a prism with a sloped bow and stern.
void addLowerHull(Mesh& mesh) {
    const std::vector<glm::vec2> profile = {{-2.9f, 0.45f}, {2.9f, 0.45f}, {3.5f, 1.45f}, {3.5f, 2.5f}, {-3.3f, 2.5f}, {-3.45f, 1.4f}};
    const glm::vec3 centre(0.0f, 1.5f, 0.0f);
    for (float x : {-1.4f, 1.4f}) {
        std::vector<glm::vec3> cap;
        for (glm::vec2 p : profile) cap.push_back({x, p.y, p.x});
        addPolygon(mesh, cap, centre, lowerRect, 1.0f / 7.0f);
    }
    for (size_t i = 0; i < profile.size(); ++i) {
        glm::vec2 a = profile[i], b = profile[(i + 1) % profile.size()];
        addPolygon(mesh, {{-1.4f, a.y, a.x}, {1.4f, a.y, a.x}, {1.4f, b.y, b.x}, {-1.4f, b.y, b.x}}, centre, lowerRect, 1.0f / 7.0f);
    }
    // Tow hooks on the bow.
    for (float x : {-0.9f, 0.9f}) addBox(mesh, {x - 0.12f, 1.0f, 3.1f}, {x + 0.12f, 1.25f, 3.45f}, 0.0f, darkRect);
}

void addRunningGear(Mesh& mesh, float phase, const GearDetail& detail, bool withAntenna) {
    Mesh side = runningGearSide(phase, detail);
    mesh.append(side);
    mesh.append(side, glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)));
    // Lower hull between the tracks, and the fenders over them.
    addLowerHull(mesh);
    addBox(mesh, {1.3f, 1.68f, -3.55f}, {2.6f, 1.8f, 3.55f}, 0.0f, panelRect);
    addBox(mesh, {-2.6f, 1.68f, -3.55f}, {-1.3f, 1.8f, 3.55f}, 0.0f, panelRect);
    if (withAntenna) {
        // The whip makes the base's box tall enough that shots at the hull count.
        addCylinder(mesh, frameAlong({1.75f, 1.8f, -3.0f}, {0, 1, 0}), 0.13f, 0.1f, 0.45f, 6, darkRect, darkRect, false, true);
        addCylinder(mesh, frameAlong({1.75f, 2.25f, -3.0f}, {0, 1, 0}), 0.04f, 0.012f, 5.0f, 4, darkRect, darkRect, false, false);
    }
}

// Upper hull, turret and gun, from the hull deck at 2.5 up to about 4.5.
void addBody(Mesh& mesh, const glm::mat4& turretPose, bool detailed) {
    // Upper hull: a slab with a sloped glacis at the front and the engine deck behind.
    std::vector<glm::vec2> profile = {{-3.35f, 2.5f}, {3.45f, 2.5f}, {2.7f, 3.1f}, {-3.2f, 3.1f}};
    for (float x : {-2.35f, 2.35f}) {
        std::vector<glm::vec3> cap;
        for (glm::vec2 p : profile) cap.push_back({x, p.y, p.x});
        addPolygon(mesh, cap, {0.0f, 2.8f, 0.0f}, panelRect, 1.0f / 7.0f);
    }
    for (size_t i = 0; i < profile.size(); ++i) {
        glm::vec2 a = profile[i], b = profile[(i + 1) % profile.size()];
        if (i == 0) continue;  // the underside sits on the base
        addPolygon(mesh, {{-2.35f, a.y, a.x}, {2.35f, a.y, a.x}, {2.35f, b.y, b.x}, {-2.35f, b.y, b.x}}, {0.0f, 2.8f, 0.0f}, panelRect, 1.0f / 7.0f);
    }
    addBox(mesh, {-1.6f, 3.1f, -3.1f}, {1.6f, 3.22f, -1.7f}, 0.0f, deckRect);
    // Headlamps on the glacis and stowage bins on the flanks.
    for (float x : {-1.7f, 1.7f}) {
        addCylinder(mesh, frameAlong({x, 2.85f, 2.95f}, {0.0f, 0.35f, 1.0f}), 0.17f, 0.17f, 0.2f, 8, darkRect, lampRect, false, true);
        if (detailed) addBox(mesh, {x > 0 ? 1.95f : -2.5f, 2.55f, -2.6f}, {x > 0 ? 2.5f : -1.95f, 3.0f, -0.8f}, 0.06f, panelRect);
    }
    if (detailed) {
        for (float x : {-1.0f, 1.0f}) addCylinder(mesh, frameAlong({x, 2.8f, -3.3f}, {0, -0.2f, -1}), 0.15f, 0.15f, 0.3f, 6, darkRect, darkRect, false, true);
    }

    // Turret: a sloped, faceted shell, longer than wide.
    Mesh turret;
    addLathe(turret, glm::mat4(1.0f), {{1.5f, 3.1f}, {1.65f, 3.45f}, {1.3f, 4.15f}, {0.0f, 4.18f}}, 10, turretRect, false,
             [](float angle, float) { return 1.0f + 0.22f * std::cos(angle) * std::cos(angle); });
    // Rotate so the long axis runs along z, the gun end forward.
    Mesh turretAligned;
    turretAligned.append(turret, glm::rotate(glm::mat4(1.0f), glm::half_pi<float>(), glm::vec3(0, 1, 0)));
    turret = turretAligned;
    addBox(turret, {-0.55f, 3.35f, 1.45f}, {0.55f, 3.95f, 2.05f}, 0.1f, panelRect);  // mantlet
    addCylinder(turret, frameAlong({0.0f, 3.65f, 2.0f}, {0, 0, 1}), 0.17f, 0.15f, 3.4f, 8, darkRect, darkRect, false, false);
    addCylinder(turret, frameAlong({0.0f, 3.65f, 5.1f}, {0, 0, 1}), 0.25f, 0.25f, 0.5f, 8, darkRect, darkRect, true, true);
    addCylinder(turret, frameAlong({-0.5f, 4.1f, -0.5f}, {0, 1, 0}), 0.42f, 0.38f, 0.32f, 8, turretRect, darkRect, false, true);
    if (detailed) {
        addCylinder(turret, frameAlong({0.55f, 4.25f, -0.2f}, {0, 0, 1}), 0.05f, 0.05f, 1.1f, 4, darkRect, darkRect, false, false);
        for (float x : {-1.0f, 1.0f})
            for (int k = 0; k < 3; ++k)
                addCylinder(turret, frameAlong({x * 1.35f, 3.55f + 0.16f * float(k), 1.0f}, {x * 0.4f, 0.5f, 1.0f}), 0.07f, 0.07f, 0.35f, 5, darkRect, darkRect, false, true);
    }
    mesh.append(turret, turretPose);
}

Material crawlerMaterial(const std::string& texture) {
    return {"crawlerMetal", glm::vec3(0.25f), glm::vec3(0.85f), glm::vec3(0.25f), glm::vec3(0.0f), 24.0f, texture};
}

}  // namespace

void generateCrawlers(const std::string& assets) {
    GearDetail full;
    const char* baseNames[3] = {"MGCrawler_Base", "MGCrawler_Base1", "MGCrawler_Base3"};
    for (int frame = 0; frame < 3; ++frame) {
        Mesh base;
        addRunningGear(base, float(frame) / 3.0f, full, true);
        writeObj(base, assets, baseNames[frame], crawlerMaterial("MGCrawlerMetal.jpg"));
    }
    Mesh body;
    addBody(body, glm::mat4(1.0f), true);
    writeObj(body, assets, "MGCrawler_Body", crawlerMaterial("MGCrawlerMetal.jpg"));

    Mesh whole;
    addRunningGear(whole, 0.0f, full, true);
    addBody(whole, glm::mat4(1.0f), true);
    writeObj(whole, assets, "MGCrawlerModel03", crawlerMaterial("MGCrawlerMetal.jpg"));

    // The wreck: one track thrown off and lying flat, hull slumped, turret knocked askew.
    GearDetail coarse{4, 1, 7};
    Mesh wreck;
    Mesh intact = runningGearSide(0.0f, coarse);
    wreck.append(intact, glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)));
    glm::mat4 thrown = glm::translate(glm::mat4(1.0f), glm::vec3(3.2f, 0.0f, -0.8f)) *
                       glm::rotate(glm::mat4(1.0f), -1.45f, glm::vec3(0, 0, 1)) * glm::rotate(glm::mat4(1.0f), 0.25f, glm::vec3(1, 0, 0)) *
                       glm::translate(glm::mat4(1.0f), glm::vec3(-2.5f, 0.0f, 0.0f));
    Mesh looseBelt;
    addTrackBelt(looseBelt, 1.4f, 2.5f, 0.0f, 4, 1);
    wreck.append(looseBelt, thrown);
    Mesh hull;
    addLowerHull(hull);
    addBox(hull, {-2.6f, 1.68f, -3.55f}, {-1.3f, 1.8f, 3.55f}, 0.0f, panelRect);
    glm::mat4 slump = glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -0.35f, 0.0f)) * glm::rotate(glm::mat4(1.0f), 0.08f, glm::vec3(0, 0, 1));
    Mesh upper;
    glm::mat4 askew = glm::translate(glm::mat4(1.0f), glm::vec3(0.4f, 4.2f, -0.3f)) * glm::rotate(glm::mat4(1.0f), 0.7f, glm::vec3(0, 1, 0)) *
                      glm::rotate(glm::mat4(1.0f), 0.22f, glm::vec3(1, 0, 0.4f)) * glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -4.0f, 0.0f));
    addBody(upper, askew, false);
    hull.append(upper);
    wreck.append(hull, slump);
    // Nothing of the wreck may sink below its ground origin.
    float lowest = wreck.boundsMin().y;
    Mesh settled;
    settled.append(wreck, glm::translate(glm::mat4(1.0f), glm::vec3(0.0f, -lowest, 0.0f)));
    writeObj(settled, assets, "DestroyedMGCrawler01", crawlerMaterial("DestroyedMGCrawler01.jpg"));

    Field relief(1024, 1024);
    writeJpeg(crawlerAtlas(false, &relief), assets + "/MGCrawlerMetal.jpg", 90, false);
    writeJpeg(normalMapFromHeight(relief, 3.0f, false), assets + "/MGCrawlerMapMetal01.jpg", 92, false);
    writeJpeg(crawlerAtlas(true, nullptr), assets + "/DestroyedMGCrawler01.jpg", 90, false);
}
