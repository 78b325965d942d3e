// The crawler: a dark olive tank on tracks, built from parts that share one
// ground origin (running gear in three animation frames, hull and turret), the
// whole vehicle, and its blackened wreck. All parts use one texture atlas.
//
// Readability comes first: the paint is dark and cool, so that the crawler's
// silhouette stands out from the warm sand through the haze, and its lamps
// glow. The material's emissive colour lights only the texels painted at full
// brightness (the game's lit shaders say so), which here are the lamp cells of
// the atlas: warm white headlamps, an amber sensor lamp on the cupola and hot
// amber exhausts, red tail lamps. Every other texel stays below that
// brightness. A lamp's faces map onto a small spot in the middle of its cell,
// so that mip-mapping, far away, still reads the cell's own colour.
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
const UVRect lampRect{{0.5f, 0.75f}, {0.125f, 0.25f}};     // warm white glow
const UVRect amberRect{{0.375f, 0.75f}, {0.125f, 0.125f}};  // amber glow
const UVRect redRect{{0.375f, 0.875f}, {0.125f, 0.125f}};   // red glow
const UVRect panelRect{{0.125f, 0.25f}, {0.5f, 0.5f}};
const UVRect turretRect{{0.625f, 0.5f}, {0.375f, 0.5f}};
const UVRect darkRect{{0.625f, 0.25f}, {0.375f, 0.25f}};
const UVRect gearSideRect{{0.125f, 0.0f}, {0.5f, 0.125f}};  // the side of a track unit, painted
const UVRect lowerRect{{0.125f, 0.125f}, {0.5f, 0.125f}};
const UVRect deckRect{{0.625f, 0.0f}, {0.375f, 0.25f}};

const float trackLength = 2.75f;   // half distance between idler and sprocket centres
const float trackRadius = 0.8f;
const float trackCentreY = 0.85f;
const float trackThickness = 0.15f;
const int linksPerTexture = 8;     // the tread texture holds eight links along v

float trackPerimeter() { return 4.0f * trackLength + glm::two_pi<float>() * trackRadius; }
float linkLength() { return trackPerimeter() / 46.0f; }

// The middle eighth of a glowing cell: what a lamp's faces map onto.
UVRect glowSpot(const UVRect& cell) { return {cell.origin + cell.size * (7.0f / 16.0f), cell.size * 0.125f}; }

bool inside(glm::vec2 uv, const UVRect& r, glm::vec2& local) {
    local = (uv - r.origin) / r.size;
    return local.x >= 0.0f && local.y >= 0.0f && local.x < 1.0f && local.y < 1.0f;
}

// Dark olive armour: mottled paint, panel seams with rivets, worn edges, a
// little dust low down (more would match it to the sand it must stand out from).
Surface armour(glm::vec2 local, glm::vec2 cells, uint32_t seed) {
    const glm::vec3 olive = hexColour(0x2E3821), oliveDark = hexColour(0x181E10), dust = hexColour(0x8A7458);
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
    // Worn edges show bare metal that catches the low sun.
    if (wear > 0.82f) c = glm::mix(c, hexColour(0x8E8C82), 0.7f);
    c = glm::mix(c, dust, 0.25f * smoothstep01(0.35f, 0.0f, local.y) * fbm(local * 12.0f, seed + 9, 3));
    return {c, height};
}

// The wheels of one side, in the (z, y) plane of the track: idler and sprocket
// at the ends, four road wheels along the bottom run.
struct Wheel {
    float z, y, radius;
};
const float roadWheelY = trackCentreY - trackRadius + trackThickness + 0.5f;
const Wheel wheels[] = {{-trackLength, trackCentreY, 0.6f}, {-1.65f, roadWheelY, 0.5f}, {-0.55f, roadWheelY, 0.5f},
                        {0.55f, roadWheelY, 0.5f},          {1.65f, roadWheelY, 0.5f},  {trackLength, trackCentreY, 0.6f}};

// Distance along the track loop (from the rear end of the bottom run, forwards
// along it) of the loop point nearest to (z, y), and how far inside the loop's
// outer surface (z, y) lies.
glm::vec2 loopCoordinates(float z, float y) {
    const float l = trackLength, r = trackRadius, pi = glm::pi<float>();
    glm::vec2 p(z, y - trackCentreY);
    float depth = r - glm::length(p - glm::vec2(std::clamp(z, -l, l), 0.0f));
    float along;
    if (z >= l) along = 2.0f * l + r * (std::atan2(p.y, p.x - l) + 0.5f * pi);
    else if (z <= -l) along = 4.0f * l + pi * r + r * glm::mod(std::atan2(p.y, p.x + l) - 0.5f * pi, 2.0f * pi);
    else if (p.y < 0.0f) along = z + l;
    else along = 2.0f * l + pi * r + (l - z);
    return {along, depth};
}

// The outer side of a track unit, which the model draws as one flat plate
// inside the belt: the edges of the links round the rim, and in the recess the
// suspension arms, return rollers and deep shade where the wheels sit.
Surface gearSide(glm::vec2 local) {
    const float l = trackLength, r = trackRadius;
    float z = -l - r + local.x * 2.0f * (l + r), y = trackCentreY - r + local.y * 2.0f * r;
    glm::vec2 loop = loopCoordinates(z, y);
    float n = fbm(glm::vec2(z, y) * 3.0f, 160, 3);
    if (loop.y < trackThickness) {
        // Link edges: dull steel, a dark joint between links, a bright pin.
        float link = glm::fract(loop.x / linkLength());
        glm::vec3 steel = hexColour(0x2E2B27) * (0.8f + 0.4f * n);
        Surface s{steel, 0.8f};
        if (link < 0.1f || link > 0.95f) s = {hexColour(0x121110), 0.3f};
        if (std::fabs(link - 0.5f) < 0.1f && std::fabs(loop.y - trackThickness * 0.5f) < 0.04f) s = {hexColour(0x8A857C), 1.0f};
        s.colour = glm::mix(s.colour, hexColour(0x8A7458), 0.15f * smoothstep01(0.2f, 0.0f, y));
        return s;
    }
    // The recess: darker the deeper inside, with dust caked low down.
    float deep = smoothstep01(trackThickness, 0.6f, loop.y);
    glm::vec3 c = glm::mix(hexColour(0x262A1E), hexColour(0x15160F), deep) * (0.85f + 0.3f * n);
    float height = 0.2f;
    // Return rollers under the top run and arms from each road wheel's hub.
    for (float rz : {-1.1f, 1.1f}) {
        if (glm::length(glm::vec2(z - rz, y - (trackCentreY + r - trackThickness - 0.17f))) < 0.15f) {
            c = hexColour(0x343C26) * (0.8f + 0.3f * n);
            height = 0.7f;
        }
    }
    for (const Wheel& w : wheels) {
        if (w.radius > 0.55f) continue;
        glm::vec2 a(w.z, w.y), b(w.z - 0.5f, w.y + 0.42f);
        glm::vec2 ab = b - a, p(z, y);
        float t = glm::clamp(glm::dot(p - a, ab) / glm::dot(ab, ab), 0.0f, 1.0f);
        if (glm::length(p - (a + ab * t)) < 0.09f) {
            c = hexColour(0x2A3120) * (0.8f + 0.3f * n);
            height = 0.6f;
        }
    }
    // Shade round every wheel, so the wheel discs stand out from the plate.
    for (const Wheel& w : wheels) {
        float d = glm::length(glm::vec2(z - w.z, y - w.y)) - w.radius;
        if (d > -0.05f) c *= 0.55f + 0.45f * smoothstep01(0.0f, 0.25f, d);
    }
    c = glm::mix(c, hexColour(0x7E6A50), 0.15f * smoothstep01(0.5f, 0.0f, y) * fbm(glm::vec2(z, y) * 6.0f, 161, 3));
    return {c, height};
}

Surface crawlerSurface(glm::vec2 uv, bool burnt, const TextMask& number) {
    glm::vec2 l;
    Surface s{glm::vec3(0.3f), 0.5f};
    if (uv.x < 0.125f) {
        // Tread: steel plates with a raised grouser bar and dark gaps between links.
        float a = uv.x / 0.125f, b = glm::fract(uv.y * float(linksPerTexture));
        const glm::vec3 steel = hexColour(0x2C2A27), bright = hexColour(0x5C5852);
        float n = fbm(glm::vec2(a * 4.0f, uv.y * 32.0f), 101, 3, 0);
        s = {steel * (0.8f + 0.4f * n), 0.5f};
        if (std::fabs(b - 0.5f) < 0.12f) s = {glm::mix(steel, bright, 0.6f + 0.3f * n), 1.0f};
        if (b < 0.06f || b > 0.94f) s = {hexColour(0x141210), 0.0f};
        if ((a < 0.1f || a > 0.9f) && std::fabs(b - 0.5f) < 0.2f) s = {bright * 0.8f, 0.8f};
        s.colour = glm::mix(s.colour, hexColour(0x8A7458), 0.15f * fbm(glm::vec2(a, uv.y * 8.0f) * 3.0f, 102, 3));
    } else if (inside(uv, lampRect, l) || inside(uv, amberRect, l) || inside(uv, redRect, l)) {
        // Lamp cells: one flat glow each, at full brightness in its strongest channel.
        glm::vec3 hot = inside(uv, lampRect, l) ? hexColour(0xFFF0C8) : inside(uv, amberRect, l) ? hexColour(0xFF8418) : hexColour(0xFF3820);
        s = {hot, 0.8f};
    } else if (inside(uv, wheelRect, l)) {
        glm::vec2 p = l * 2.0f - 1.0f;
        float r = glm::length(p), angle = std::atan2(p.y, p.x);
        if (r > 0.84f) {
            s = {hexColour(0x1A1A1A), 0.6f};  // rubber tyre
        } else if (r > 0.72f) {
            s = {hexColour(0x343C26), 0.8f};
        } else {
            s = {hexColour(0x3E4A2C) * (0.85f + 0.3f * fbm(p * 4.0f, 103, 3)), 0.7f};
            float spokeAngle = glm::fract(angle / glm::two_pi<float>() * 6.0f);
            if (r > 0.34f && r < 0.64f && std::fabs(spokeAngle - 0.5f) < 0.28f) s = {hexColour(0x121210), 0.1f};
            if (r < 0.2f) s = {hexColour(0x6A705A), 1.0f};
            float boltAngle = glm::fract(angle / glm::two_pi<float>() * 8.0f);
            if (std::fabs(r - 0.27f) < 0.035f && std::fabs(boltAngle - 0.5f) < 0.12f) s = {hexColour(0x7E7E72), 1.1f};
        }
    } else if (inside(uv, gearSideRect, l)) {
        s = gearSide(l);
    } else if (inside(uv, panelRect, l)) {
        s = armour(l, {4.0f, 3.0f}, 110);
    } else if (inside(uv, turretRect, l)) {
        s = armour(l, {3.0f, 2.0f}, 120);
        // Stencilled hull number on the turret's flank, pale but well below the lamps' glow.
        int tx = int((l.x - 0.08f) * 512.0f), ty = int((0.72f - l.y) * 512.0f);
        float ink = number.at(tx, ty);
        s.colour = glm::mix(s.colour, hexColour(0xB4AC98) * (0.8f + 0.2f * fbm(l * 40.0f, 121, 2)), ink * 0.9f);
    } else if (inside(uv, darkRect, l)) {
        float streak = fbm(l * glm::vec2(40.0f, 3.0f), 130, 3);
        s = {hexColour(0x242528) * (0.8f + 0.5f * streak), 0.5f + 0.2f * streak};
    } else if (inside(uv, lowerRect, l)) {
        s = armour(l, {5.0f, 1.0f}, 140);
        s.colour = glm::mix(s.colour, hexColour(0x7E6A50), 0.15f + 0.2f * fbm(l * 8.0f, 141, 3));
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
    // The parts the game places carry no normal map: their relief is painted in.
    bakeRelief(image, height, 1.5f);
    if (relief) *relief = height;
    return image;
}

// The stadium-shaped track loop in the (z, y) plane: points and outward normals.
struct TrackPoint {
    glm::vec2 position;  // (z, y)
    glm::vec2 normal;
    float along;
};

std::vector<TrackPoint> trackLoop(int arcSegments) {
    std::vector<TrackPoint> loop;
    const float l = trackLength, r = trackRadius, cy = trackCentreY;
    auto add = [&](glm::vec2 p, glm::vec2 n) {
        float along = loop.empty() ? 0.0f : loop.back().along + glm::length(p - loop.back().position);
        loop.push_back({p, n, along});
    };
    // Each straight run is one segment; the ends are half circles.
    add({-l, cy - r}, {0, -1});
    for (int i = 0; i < arcSegments; ++i) {
        float a = -glm::half_pi<float>() + glm::pi<float>() * float(i) / float(arcSegments);
        add({l + r * std::cos(a), cy + r * std::sin(a)}, {std::cos(a), std::sin(a)});
    }
    add({l, cy + r}, {0, 1});
    for (int i = 0; i < arcSegments; ++i) {
        float a = glm::half_pi<float>() + glm::pi<float>() * float(i) / float(arcSegments);
        add({-l + r * std::cos(a), cy + r * std::sin(a)}, {std::cos(a), std::sin(a)});
    }
    add(loop.front().position, loop.front().normal);  // closes the loop
    return loop;
}

// One track belt between x = inner and x = outer (outer > inner, right side):
// the tread face, and with `solid` also its flanks and inner running surface
// (a belt lying loose shows them; one round its wheels hides them).
void addTrackBelt(Mesh& mesh, float inner, float outer, float phase, int arcSegments, bool solid) {
    std::vector<TrackPoint> loop = trackLoop(arcSegments);
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
        mesh.facingQuad(at(a, inner, 0, na, 0), at(a, outer, 0, na, 1), at(b, outer, 0, nb, 1), at(b, inner, 0, nb, 0));
        if (!solid) continue;
        mesh.facingQuad(at(a, outer, 0, {1, 0, 0}, 0.9f), at(a, outer, trackThickness, {1, 0, 0}, 1), at(b, outer, trackThickness, {1, 0, 0}, 1), at(b, outer, 0, {1, 0, 0}, 0.9f));
        mesh.facingQuad(at(a, inner, 0, {-1, 0, 0}, 0.9f), at(a, inner, trackThickness, {-1, 0, 0}, 1), at(b, inner, trackThickness, {-1, 0, 0}, 1), at(b, inner, 0, {-1, 0, 0}, 0.9f));
        mesh.facingQuad(at(a, inner, trackThickness, -na, 0.1f), at(a, outer, trackThickness, -na, 0.9f), at(b, outer, trackThickness, -nb, 0.9f), at(b, inner, trackThickness, -nb, 0.1f));
    }
}

const int trackArcSegments = 5;
const int wheelSides = 8;

// Track and wheels of the right side; the left side is its mirror image. The
// belt's side, the recess and the suspension are one painted plate, and the
// wheels flat discs just proud of it: from any distance the game shows a
// crawler at, that reads as running gear for a fraction of the triangles.
Mesh runningGearSide(float phase) {
    Mesh side;
    const float inner = 1.4f, outer = 2.5f;
    addTrackBelt(side, inner, outer, phase, trackArcSegments, false);
    std::vector<TrackPoint> loop = trackLoop(trackArcSegments);
    loop.pop_back();
    const float l = trackLength, r = trackRadius;
    auto plateCorner = [&](const TrackPoint& p) {
        glm::vec2 local((p.position.x + l + r) / (2.0f * (l + r)), (p.position.y - (trackCentreY - r)) / (2.0f * r));
        return Vertex{{outer, p.position.y, p.position.x}, {1, 0, 0}, gearSideRect.map(local)};
    };
    for (size_t i = 1; i + 1 < loop.size(); ++i) side.facingTriangle(plateCorner(loop[0]), plateCorner(loop[i]), plateCorner(loop[i + 1]));
    // Wheels turn with the belt: a third of a link of travel per frame.
    for (const Wheel& w : wheels) {
        float turn = phase * linkLength() / w.radius;
        addDisc(side, frameAlong({outer + 0.03f, w.y, w.z}, {1, 0, 0}), w.radius, wheelSides, wheelRect, turn);
    }
    return side;
}

// The lower hull between the tracks: a prism with a sloped bow and stern (its
// flat underside is never seen).
void addLowerHull(Mesh& mesh) {
    const std::vector<glm::vec2> profile = {{-2.9f, 0.45f}, {2.9f, 0.45f}, {3.5f, 1.45f}, {3.5f, 2.5f}, {-3.3f, 2.5f}, {-3.45f, 1.4f}};
    const glm::vec3 centre(0.0f, 1.5f, 0.0f);
    for (float x : {-1.4f, 1.4f}) {
        std::vector<glm::vec3> cap;
        for (glm::vec2 p : profile) cap.push_back({x, p.y, p.x});
        addPolygon(mesh, cap, centre, lowerRect, 1.0f / 7.0f);
    }
    for (size_t i = 1; i < profile.size(); ++i) {
        glm::vec2 a = profile[i], b = profile[(i + 1) % profile.size()];
        addPolygon(mesh, {{-1.4f, a.y, a.x}, {1.4f, a.y, a.x}, {1.4f, b.y, b.x}, {-1.4f, b.y, b.x}}, centre, lowerRect, 1.0f / 7.0f);
    }
}

void addFender(Mesh& mesh, float side) {
    addBox(mesh, {side > 0.0f ? 1.3f : -2.6f, 1.68f, -3.55f}, {side > 0.0f ? 2.6f : -1.3f, 1.8f, 3.55f}, 0.0f, panelRect, glm::mat4(1.0f), false);
}

void addRunningGear(Mesh& mesh, float phase, bool withAntenna) {
    Mesh side = runningGearSide(phase);
    mesh.append(side);
    mesh.append(side, glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)));
    addLowerHull(mesh);
    addFender(mesh, 1.0f);
    addFender(mesh, -1.0f);
    if (withAntenna) {
        // The whip makes the base's box tall enough that shots at the hull count.
        addBox(mesh, {1.63f, 1.8f, -3.12f}, {1.87f, 2.25f, -2.88f}, 0.0f, darkRect, glm::mat4(1.0f), false);
        addCylinder(mesh, frameAlong({1.75f, 2.25f, -3.0f}, {0, 1, 0}), 0.04f, 0.012f, 5.0f, 3, darkRect, darkRect, false, false);
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
    for (size_t i = 1; i < profile.size(); ++i) {  // the underside sits on the base
        glm::vec2 a = profile[i], b = profile[(i + 1) % profile.size()];
        addPolygon(mesh, {{-2.35f, a.y, a.x}, {2.35f, a.y, a.x}, {2.35f, b.y, b.x}, {-2.35f, b.y, b.x}}, {0.0f, 2.8f, 0.0f}, panelRect, 1.0f / 7.0f);
    }
    const glm::mat4 none(1.0f);
    addBox(mesh, {-1.6f, 3.1f, -3.1f}, {1.6f, 3.22f, -1.7f}, 0.0f, deckRect, none, false);
    // Headlamps on the glacis and stowage bins on the flanks.
    for (float x : {-1.7f, 1.7f}) {
        addCylinder(mesh, frameAlong({x, 2.85f, 2.95f}, {0.0f, 0.35f, 1.0f}), 0.24f, 0.24f, 0.2f, 6, darkRect, glowSpot(lampRect), false, true);
        if (detailed) addBox(mesh, {x > 0 ? 1.95f : -2.5f, 2.55f, -2.6f}, {x > 0 ? 2.5f : -1.95f, 3.0f, -0.8f}, 0.0f, panelRect, none, false);
    }
    if (detailed) {
        // Exhausts glowing hot at their mouths, and red tail lamps at the hull's rear corners.
        for (float x : {-1.0f, 1.0f}) addCylinder(mesh, frameAlong({x, 2.8f, -3.3f}, {0, -0.2f, -1}), 0.2f, 0.2f, 0.3f, 4, darkRect, glowSpot(amberRect), false, true);
        for (float x : {-1.95f, 1.95f}) addBox(mesh, {x - 0.22f, 2.68f, -3.43f}, {x + 0.22f, 2.92f, -3.3f}, 0.0f, glowSpot(redRect), none, false);
    }

    // Turret: a sloped, faceted shell, longer than wide.
    Mesh turret;
    addLathe(turret, glm::mat4(1.0f), {{1.5f, 3.1f}, {1.65f, 3.45f}, {1.3f, 4.15f}, {0.0f, 4.18f}}, 10, turretRect, false,
             [](float angle, float) { return 1.0f + 0.22f * std::cos(angle) * std::cos(angle); });
    // Rotate so the long axis runs along z, the gun end forward.
    Mesh turretAligned;
    turretAligned.append(turret, glm::rotate(glm::mat4(1.0f), glm::half_pi<float>(), glm::vec3(0, 1, 0)));
    turret = turretAligned;
    addBox(turret, {-0.55f, 3.35f, 1.45f}, {0.55f, 3.95f, 2.05f}, 0.0f, panelRect);  // mantlet
    addCylinder(turret, frameAlong({0.0f, 3.65f, 2.0f}, {0, 0, 1}), 0.17f, 0.15f, 3.4f, 6, darkRect, darkRect, false, false);
    addCylinder(turret, frameAlong({0.0f, 3.65f, 5.1f}, {0, 0, 1}), 0.25f, 0.25f, 0.5f, 6, darkRect, darkRect, false, true);
    addCylinder(turret, frameAlong({-0.5f, 4.1f, -0.5f}, {0, 1, 0}), 0.42f, 0.38f, 0.32f, 6, turretRect, darkRect, false, true);
    // The sensor lamp on the cupola: an amber glow that shows from every side.
    if (detailed) addCylinder(turret, frameAlong({-0.5f, 4.42f, -0.5f}, {0, 1, 0}), 0.26f, 0.22f, 0.34f, 6, glowSpot(amberRect), glowSpot(amberRect), false, true);
    if (detailed) {
        addCylinder(turret, frameAlong({0.55f, 4.25f, -0.2f}, {0, 0, 1}), 0.05f, 0.05f, 1.1f, 3, darkRect, darkRect, false, false);
        // Smoke dischargers: one block either side of the mantlet.
        for (float x : {-1.0f, 1.0f}) {
            glm::mat4 rack = glm::translate(glm::mat4(1.0f), glm::vec3(x * 1.3f, 3.7f, 1.05f)) * glm::rotate(glm::mat4(1.0f), x * 0.35f, glm::vec3(0, 1, 0)) *
                             glm::rotate(glm::mat4(1.0f), -0.45f, glm::vec3(1, 0, 0));
            addBox(turret, {-0.12f, -0.25f, -0.18f}, {0.12f, 0.25f, 0.18f}, 0.0f, darkRect, rack);
        }
    }
    mesh.append(turret, turretPose);
}

// Painted metal with a small, tight highlight: a broad one would turn a whole
// flank the sand's own brightness. The emissive colour lights the lamp cells
// (a wreck's are burnt out).
Material crawlerMaterial(const std::string& texture) {
    return {"crawlerMetal", glm::vec3(0.25f), glm::vec3(0.85f), glm::vec3(0.3f), glm::vec3(1.6f), 48.0f, texture};
}

}  // namespace

void generateCrawlers(const std::string& assets) {
    const char* baseNames[3] = {"MGCrawler_Base", "MGCrawler_Base1", "MGCrawler_Base3"};
    for (int frame = 0; frame < 3; ++frame) {
        Mesh base;
        addRunningGear(base, float(frame) / 3.0f, true);
        writeObj(base, assets, baseNames[frame], crawlerMaterial("MGCrawlerMetal.jpg"));
    }
    Mesh body;
    addBody(body, glm::mat4(1.0f), true);
    writeObj(body, assets, "MGCrawler_Body", crawlerMaterial("MGCrawlerMetal.jpg"));

    Mesh whole;
    addRunningGear(whole, 0.0f, true);
    addBody(whole, glm::mat4(1.0f), true);
    writeObj(whole, assets, "MGCrawlerModel03", crawlerMaterial("MGCrawlerMetal.jpg"));

    // The wreck: one track thrown off and lying flat, hull slumped, turret knocked askew.
    Mesh wreck;
    Mesh intact = runningGearSide(0.0f);
    wreck.append(intact, glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)));
    glm::mat4 thrown = glm::translate(glm::mat4(1.0f), glm::vec3(3.2f, 0.0f, -0.8f)) *
                       glm::rotate(glm::mat4(1.0f), -1.45f, glm::vec3(0, 0, 1)) * glm::rotate(glm::mat4(1.0f), 0.25f, glm::vec3(1, 0, 0)) *
                       glm::translate(glm::mat4(1.0f), glm::vec3(-2.5f, 0.0f, 0.0f));
    Mesh looseBelt;
    addTrackBelt(looseBelt, 1.4f, 2.5f, 0.0f, 4, true);
    wreck.append(looseBelt, thrown);
    // Two road wheels torn off with the track lie beside it.
    for (int k = 0; k < 2; ++k) {
        glm::vec3 at(4.6f - 1.2f * float(k), 0.0f, 2.2f + 0.9f * float(k));
        addCylinder(wreck, glm::translate(glm::mat4(1.0f), at) * glm::rotate(glm::mat4(1.0f), 0.6f + 1.3f * float(k), glm::vec3(0, 1, 0)) *
                               frameAlong({0.0f, 0.0f, 0.0f}, {0.08f, 1.0f, 0.0f}), 0.5f, 0.5f, 0.3f, wheelSides, darkRect, wheelRect, false, true);
    }
    Mesh hull;
    addLowerHull(hull);
    addFender(hull, -1.0f);
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
