// The generator's own pieces: conventions that, once wrong, quietly spoil
// every texture or model made with them.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <vector>

#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Image.h"
#include "Mesh.h"
#include "Noise.h"

namespace {
TEST(GeneratorNoise, PeriodicNoiseTilesAcrossItsPeriod) {
    for (int period : {3, 8, 64}) {
        for (float x : {0.1f, 1.37f, 2.9f}) {
            for (float y : {0.25f, 5.5f}) {
                // Equal up to the rounding of the shifted coordinate.
                EXPECT_NEAR(valueNoise({x, y}, 7, period), valueNoise({x + float(period), y}, 7, period), 1e-5f);
                EXPECT_NEAR(valueNoise({x, y}, 7, period), valueNoise({x, y - float(period)}, 7, period), 1e-5f);
                // The fractal sum keeps tiling as every octave doubles its period.
                EXPECT_NEAR(fbm({x, y}, 7, 4, period), fbm({x + float(period), y}, 7, 4, period), 1e-5f);
            }
        }
    }
    // Without a period the lattice does not repeat.
    EXPECT_NE(valueNoise({0.5f, 0.5f}, 7), valueNoise({8.5f, 0.5f}, 7));
}

TEST(GeneratorNoise, RandomIsReproducibleAndInRange) {
    Random a(42), b(42), c(43);
    bool differs = false;
    for (int i = 0; i < 1000; ++i) {
        float x = a.uniform();
        EXPECT_EQ(x, b.uniform());
        EXPECT_GE(x, 0.0f);
        EXPECT_LT(x, 1.0f);
        differs = differs || x != c.uniform();
        int k = a.integer(-3, 3);
        b.integer(-3, 3);
        EXPECT_GE(k, -3);
        EXPECT_LE(k, 3);
    }
    EXPECT_TRUE(differs);
}

TEST(GeneratorNormalMaps, TiltAwayFromRisingGroundInTangentSpace) {
    // Height rising to the right (+u) tilts the normal towards -u (red below
    // the middle); rising up the picture (+v) tilts it towards -v (green below).
    Field rightwards(16, 16), upwards(16, 16);
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 16; ++x) {
            rightwards.at(x, y) = float(x);
            upwards.at(x, y) = float(15 - y);  // picture rows run down, v runs up
        }
    glm::vec3 r = normalMapFromHeight(rightwards, 1.0f, false).at(8, 8);
    glm::vec3 u = normalMapFromHeight(upwards, 1.0f, false).at(8, 8);
    EXPECT_LT(r.x, 0.4f);
    EXPECT_NEAR(r.y, 0.5f, 1e-4f);
    EXPECT_LT(u.y, 0.4f);
    EXPECT_NEAR(u.x, 0.5f, 1e-4f);
    EXPECT_GT(r.z, 0.5f);
    Field flat(8, 8);
    glm::vec3 n = normalMapFromHeight(flat, 5.0f, true).at(3, 3);
    EXPECT_NEAR(n.x, 0.5f, 1e-6f);
    EXPECT_NEAR(n.y, 0.5f, 1e-6f);
    EXPECT_NEAR(n.z, 1.0f, 1e-6f);
}

TEST(GeneratorTerrain, RimTakesTheNearestPixelAndAgreesWithTheGameInside) {
    // A ramp: grey value = column, so every lookup tells which column it read.
    std::vector<std::uint8_t> blue(size_t(heightmapSize) * size_t(heightmapSize));
    for (int row = 0; row < heightmapSize; ++row)
        for (int column = 0; column < heightmapSize; ++column) blue[size_t(row) * size_t(heightmapSize) + size_t(column)] = std::uint8_t(column % 200 + row % 50);
    Terrain heightmap(heightmapSize, heightmapSize, blue);
    auto grey = [&](int column, int row) { return groundHeightOfGrey(std::uint8_t(column % 200 + row % 50)); };
    // The game refuses column 0, row 0 and beyond; the rim reads the nearest pixel.
    EXPECT_EQ(heightmap.heightAt(-750.0f, 0.0f), -1.0f);
    EXPECT_EQ(heightNearest(heightmap, -750.0f, 0.0f), grey(0, 750));
    EXPECT_EQ(heightNearest(heightmap, -800.0f, 0.0f), grey(0, 750));
    EXPECT_EQ(heightNearest(heightmap, 750.0f, 0.0f), grey(1499, 750));
    EXPECT_EQ(heightNearest(heightmap, 0.0f, 750.0f), grey(750, 0));       // row 0 is z = 750
    EXPECT_EQ(heightNearest(heightmap, 0.0f, -750.0f), grey(750, 1499));
    EXPECT_EQ(heightNearest(heightmap, 750.0f, -750.0f), grey(1499, 1499));
    // Inside, the very pixel the game reads.
    for (float x : {-749.0f, -100.5f, 0.0f, 333.3f, 749.9f})
        for (float z : {-748.7f, -0.25f, 12.0f, 749.0f}) {
            ASSERT_NE(heightmap.heightAt(x, z), -1.0f) << x << "," << z;
            EXPECT_EQ(heightNearest(heightmap, x, z), heightmap.heightAt(x, z)) << x << "," << z;
        }
}

// Every triangle of a shape faces the way its normals point, outwards from the
// shape's centre (convex shapes only).
void expectOutwardFacing(const Mesh& mesh, glm::vec3 centre) {
    ASSERT_GT(mesh.triangleCount(), 0u);
    for (size_t i = 0; i < mesh.vertices.size(); i += 3) {
        const Vertex &a = mesh.vertices[i], &b = mesh.vertices[i + 1], &c = mesh.vertices[i + 2];
        glm::vec3 winding = glm::cross(b.position - a.position, c.position - a.position);
        glm::vec3 middle = (a.position + b.position + c.position) / 3.0f;
        EXPECT_GT(glm::dot(winding, middle - centre), 0.0f) << "triangle " << i / 3;
        EXPECT_GT(glm::dot(winding, a.normal + b.normal + c.normal), 0.0f) << "triangle " << i / 3;
    }
}

TEST(GeneratorShapes, ConvexShapesFaceOutwards) {
    Mesh box, bevelled, cylinder, lathe, sphere;
    SCOPED_TRACE("shapes");
    addBox(box, {-1, 0, -2}, {1, 3, 2}, 0.0f, {});
    EXPECT_EQ(box.triangleCount(), 12u);
    expectOutwardFacing(box, {0, 1.5f, 0});
    addBox(bevelled, {-1, 0, -2}, {1, 3, 2}, 0.2f, {});
    EXPECT_EQ(bevelled.triangleCount(), 44u);
    SCOPED_TRACE("bevelled");
    expectOutwardFacing(bevelled, {0, 1.5f, 0});
    addCylinder(cylinder, frameAlong({0, 0, 0}, {1, 0, 0}), 1.0f, 0.8f, 2.0f, 8, {}, {}, true, true, 0.3f);
    EXPECT_EQ(cylinder.triangleCount(), 32u);
    SCOPED_TRACE("cylinder");
    expectOutwardFacing(cylinder, {1, 0, 0});
    addLathe(lathe, glm::mat4(1.0f), {{0.0f, 0.0f}, {2.0f, 0.5f}, {1.5f, 2.0f}, {0.0f, 2.5f}}, 12, {}, false);
    SCOPED_TRACE("lathe");
    expectOutwardFacing(lathe, {0, 1.2f, 0});
    sphere = lumpySphere(icosphereTriangles(1), [](glm::vec3) { return 2.0f; });
    EXPECT_EQ(sphere.triangleCount(), 80u);
    SCOPED_TRACE("sphere");
    expectOutwardFacing(sphere, {0, 0, 0});
}

TEST(GeneratorShapes, CubeSphereIsFortyEightTrianglesOnTheSphereAwayFromThePoles) {
    std::vector<glm::vec3> unit = cubeSphereTriangles();
    ASSERT_EQ(unit.size(), 48u * 3u);
    for (const glm::vec3& p : unit) {
        EXPECT_NEAR(glm::length(p), 1.0f, 1e-5f);
        // A corner on a pole would pinch the spherical texture coordinates.
        EXPECT_LT(std::fabs(p.y), 0.99f);
    }
    Mesh sphere = lumpySphere(unit, [](glm::vec3) { return 3.0f; });
    EXPECT_EQ(sphere.triangleCount(), 48u);
    expectOutwardFacing(sphere, {0, 0, 0});
}

TEST(GeneratorShapes, DiscIsAFanFacingItsFrameWithItsTextureTurned) {
    Mesh disc, turned;
    const UVRect rect{{0.5f, 0.25f}, {0.25f, 0.25f}};
    glm::mat4 frame = frameAlong({1, 2, 3}, {1, 0, 0});
    addDisc(disc, frame, 0.5f, 8, rect);
    addDisc(turned, frame, 0.5f, 8, rect, 0.3f);
    ASSERT_EQ(disc.triangleCount(), 6u);
    expectOutwardFacing(disc, {0, 2, 3});
    for (const Vertex& v : disc.vertices) {
        EXPECT_NEAR(v.position.x, 1.0f, 1e-6f);
        EXPECT_NEAR(glm::length(glm::vec2(v.position.y - 2.0f, v.position.z - 3.0f)), 0.5f, 1e-5f);
        EXPECT_NEAR(glm::length(v.uv - rect.map({0.5f, 0.5f})), 0.125f, 1e-5f);  // on the inscribed circle
    }
    // Turning moves the corners and their texture together: the texture stays put on the disc.
    const glm::mat4 toFrame = glm::inverse(frame);
    for (size_t i = 0; i < turned.vertices.size(); ++i) {
        const Vertex& v = turned.vertices[i];
        glm::vec2 fromCentre = glm::vec2(toFrame * glm::vec4(v.position, 1.0f)) / 0.5f;
        glm::vec2 inRect = (v.uv - rect.map({0.5f, 0.5f})) / 0.125f;
        EXPECT_LT(glm::length(fromCentre - inRect), 1e-4f) << i;
        EXPECT_GT(glm::length(v.position - disc.vertices[i].position), 0.05f) << i;
    }
}

TEST(GeneratorShapes, BoxWithoutUndersideHasNoFaceLookingDown) {
    Mesh box;
    addBox(box, {-1, 0, -1}, {1, 1, 1}, 0.0f, {}, glm::mat4(1.0f), false);
    EXPECT_EQ(box.triangleCount(), 10u);
    for (const Vertex& v : box.vertices) EXPECT_GT(v.normal.y, -0.5f);
}

TEST(GeneratorShapes, MirroringKeepsFacesOutward) {
    Mesh box, mirrored;
    addBox(box, {1, 0, 0}, {2, 1, 1}, 0.1f, {});
    mirrored.append(box, glm::scale(glm::mat4(1.0f), glm::vec3(-1.0f, 1.0f, 1.0f)));
    expectOutwardFacing(mirrored, {-1.5f, 0.5f, 0.5f});
}

TEST(GeneratorShapes, ObjRoundTripKeepsEveryCorner) {
    Mesh box;
    addBox(box, {-1, 0, -1}, {1, 2, 1}, 0.1f, {{0.25f, 0.5f}, {0.25f, 0.25f}});
    std::string directory = std::string(SANDLARK_TEST_OUTPUT_DIR) + "/generator-obj";
    writeObj(box, directory, "box", {"stone", glm::vec3(0.2f), glm::vec3(0.8f), glm::vec3(0.1f), glm::vec3(0.0f), 10.0f, "box.jpg"});
    Mesh back = readObj(directory + "/box.obj");
    ASSERT_EQ(back.vertices.size(), box.vertices.size());
    for (size_t i = 0; i < box.vertices.size(); ++i) {
        EXPECT_LT(glm::length(back.vertices[i].position - box.vertices[i].position), 1e-4f);
        EXPECT_LT(glm::length(back.vertices[i].normal - box.vertices[i].normal), 1e-3f);
        EXPECT_LT(glm::length(back.vertices[i].uv - box.vertices[i].uv), 1e-4f);
        EXPECT_GE(back.vertices[i].uv.x, 0.25f - 1e-4f);  // stays inside its atlas rectangle
        EXPECT_LE(back.vertices[i].uv.y, 0.75f + 1e-4f);
    }
}

TEST(GeneratorSky, BrightestTowardsTheSunDarkerOverheadAndBelow) {
    glm::vec3 sun = sunDirection();
    float atSun = glm::dot(skyColour(sun), glm::vec3(1.0f));
    for (glm::vec3 d : {glm::vec3(0, 1, 0), glm::vec3(-1, 0.1f, -1), glm::vec3(1, 0.1f, -1), glm::vec3(0, -1, 0), sun + glm::vec3(0, 0.2f, 0)})
        EXPECT_LT(glm::dot(skyColour(d), glm::vec3(1.0f)), atSun);
    // Overhead is deep blue, the horizon at the sun's side warm.
    glm::vec3 zenith = skyColour({0, 1, 0});
    EXPECT_GT(zenith.b, zenith.r);
    glm::vec3 glow = skyColour(glm::normalize(glm::vec3(1.0f, 0.02f, 0.8f)));
    EXPECT_GT(glow.r, glow.b);
}
}  // namespace
