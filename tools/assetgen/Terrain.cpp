// The desert floor: the collision heightmap, the ground mesh that follows it as
// the game reads it, and the sand texture.
#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include <glm/gtc/constants.hpp>

#include "Assets.h"
#include "Noise.h"

float heightNearest(const Terrain& heightmap, float x, float z) {
    // The same column and row arithmetic as the game's lookup, then clamped.
    int column = std::clamp(int(x - heightmap.originX), 0, heightmap.width - 1);
    int row = std::clamp(int(1500.0 - double(z - heightmap.originZ)), 0, heightmap.height - 1);
    return groundHeightOfGrey(heightmap.blueAt(column, row), heightmap.heightScale);
}

namespace {
// The designed height (world units) at a world position, before quantising.
float designedHeight(float x, float z) {
    glm::vec2 p(x, z);
    // Rolling dunes: broad swells with sharper crests running across the wind.
    glm::vec2 warp(fbm(p / 420.0f, 11, 3), fbm(p / 420.0f + 7.3f, 12, 3));
    float swell = fbm(p / 380.0f + warp * 1.6f, 13, 4);
    float crest = ridged(glm::vec2(p.x * 0.8f + p.y * 0.6f, -p.x * 0.6f + p.y * 0.8f) / glm::vec2(300.0f, 170.0f) + warp, 14, 2);
    float h = 1.0f + 13.0f * swell + 7.0f * crest;
    // A few long ridges.
    float ridge = ridged(p / 900.0f + 3.1f, 15, 2);
    h += 12.0f * smoothstep01(0.62f, 0.95f, ridge);
    // Mesas near three corners; the fourth keeps the landmark butte alone on the flats.
    const glm::vec2 mesas[3] = {{-640.0f, 640.0f}, {630.0f, 610.0f}, {-660.0f, -650.0f}};
    const float radii[3] = {120.0f, 100.0f, 75.0f};
    const float tops[3] = {46.0f, 40.0f, 34.0f};
    for (int i = 0; i < 3; ++i) {
        glm::vec2 d = p - mesas[i];
        float wobble = (fbm(p / 90.0f, 20 + uint32_t(i), 3) - 0.5f) * 70.0f;
        float r = glm::length(d) + wobble;
        float plateau = smoothstep01(radii[i] + 70.0f, radii[i] - 30.0f, r);
        float top = tops[i] + 6.0f * (fbm(p / 60.0f, 30 + uint32_t(i), 2) - 0.5f);
        h = std::max(h, glm::mix(h, top, plateau));
    }
    // Level pads under the radar dome and the landmark butte.
    for (glm::vec2 pad : {radarDomePosition(), landmarkRockPosition()}) {
        float w = smoothstep01(140.0f, 60.0f, glm::length(p - pad));
        h = glm::mix(h, 4.0f, w);
    }
    return h;
}

// Separable running-mean blur with clamped borders.
void boxBlur(Field& field, int radius) {
    Field temporary(field.width, field.height);
    auto pass = [&](const Field& from, Field& to, bool horizontal) {
        int length = horizontal ? from.width : from.height, lines = horizontal ? from.height : from.width;
        parallelRows(lines, [&](int line) {
            auto read = [&](int i) {
                i = std::clamp(i, 0, length - 1);
                return horizontal ? from.at(i, line) : from.at(line, i);
            };
            float sum = 0.0f;
            for (int i = -radius; i <= radius; ++i) sum += read(i);
            for (int i = 0; i < length; ++i) {
                (horizontal ? to.at(i, line) : to.at(line, i)) = sum / float(2 * radius + 1);
                sum += read(i + radius + 1) - read(i - radius);
            }
        });
    };
    pass(field, temporary, true);
    pass(temporary, field, false);
}

float greyForHeight(float h) {
    // Inverse of 100 a^2 + 2 a - 2 with a = c / 256.
    float a = (-2.0f + std::sqrt(4.0f + 400.0f * (h + 2.0f))) / 200.0f;
    return std::clamp(a * 256.0f, 0.0f, 255.0f);
}
}  // namespace

Terrain generateTerrain(const std::string& assets) {
    const int n = heightmapSize;
    Field grey(n, n);
    parallelRows(n, [&](int y) {
        for (int x = 0; x < n; ++x) {
            // Picture row y (top first) is FreeImage row n-1-y, which the game reads
            // as world z = 750 - row.
            float worldX = float(x) - 750.0f + 0.5f;
            float worldZ = 750.0f - float(n - 1 - y) - 0.5f;
            grey.at(x, y) = greyForHeight(designedHeight(worldX, worldZ));
        }
    });
    // Soften crests and mesa rims so that JPEG's cosines reproduce every pixel
    // to within one grey level.
    for (int pass = 0; pass < 3; ++pass) boxBlur(grey, 8);
    Image image(n, n);
    for (int y = 0; y < n; ++y)
        for (int x = 0; x < n; ++x) image.at(x, y) = glm::vec3(std::floor(grey.at(x, y) + 0.5f) / 255.0f);
    std::string path = assets + "/world/desertHeightmapCollision.jpg";
    // Even at quality 100 the integer DCT rounds a few hundred pixels off by two
    // levels. Nudging those pixels by one level re-rolls their block's rounding;
    // a few rounds leave every decoded pixel within one level of what was written.
    std::vector<std::uint8_t> blue;
    int width = 0, height = 0;
    for (int round = 0;; ++round) {
        writeJpeg(image, path, 100, false);
        // Decoded as the game decodes it: whatever FreeImage loads, brought to
        // 24 bits, the blue byte of each pixel, scan line 0 at the bottom.
        FIBITMAP* loaded = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
        FIBITMAP* bitmap = loaded ? FreeImage_ConvertTo24Bits(loaded) : nullptr;
        if (loaded) FreeImage_Unload(loaded);
        if (!bitmap) throw std::runtime_error("could not decode the heightmap");
        width = int(FreeImage_GetWidth(bitmap));
        height = int(FreeImage_GetHeight(bitmap));
        blue.assign(size_t(width) * size_t(height), 0);
        int drifting = 0;
        for (int row = 0; row < height; ++row) {
            const BYTE* line = FreeImage_GetScanLine(bitmap, row);
            for (int column = 0; column < width; ++column) {
                int decoded = line[column * 3 + FI_RGBA_BLUE];
                blue[size_t(row) * size_t(width) + size_t(column)] = uint8_t(decoded);
                glm::vec3& written = image.at(column, n - 1 - row);
                int intended = int(std::lround(written.x * 255.0f));
                if (std::abs(decoded - intended) > 1) {
                    ++drifting;
                    int nudged = std::clamp(intended + (decoded > intended ? 1 : -1), 0, 255);
                    written = glm::vec3(float(nudged) / 255.0f);
                }
            }
        }
        FreeImage_Unload(bitmap);
        if (drifting == 0) break;
        if (round == 20) throw std::runtime_error("heightmap JPEG still drifts at " + std::to_string(drifting) + " pixels");
    }
    return Terrain(width, height, std::move(blue));
}

namespace {
Image sandTexture() {
    Image sand(1024, 1024);
    const glm::vec3 light = hexColour(0xD9B27A), dark = hexColour(0xA97A4A), pale = hexColour(0xEBD0A0);
    paintUV(sand, [&](glm::vec2 uv) {
        // Wind ripples (tiling: integer frequencies and periodic warps).
        float warp = fbm(uv * 4.0f, 41, 3, 4) * 1.3f;
        float ripple = std::sin((uv.x * 9.0f + uv.y * 2.0f + warp) * glm::two_pi<float>());
        float crest = std::pow(0.5f + 0.5f * ripple, 3.0f);
        float patches = fbm(uv * 3.0f, 42, 4, 3);
        float grain = hash2(int(uv.x * 1024.0f), int(uv.y * 1024.0f), 43);
        float fine = fbm(uv * 64.0f, 44, 2, 64);
        glm::vec3 c = glm::mix(dark, light, 0.35f + 0.5f * patches + 0.25f * crest);
        c = glm::mix(c, pale, 0.25f * crest * patches);
        c *= 0.9f + 0.12f * fine + 0.08f * (grain - 0.5f);
        // Sparse dark pebbles.
        glm::vec2 cell = cellular(uv * 48.0f, 45, 48);
        if (cell.x < 0.09f && hash2(int(uv.x * 48.0f), int(uv.y * 48.0f), 46) > 0.8f) c *= 0.6f;
        return c;
    });
    return sand;
}
}  // namespace

void generateGround(const Terrain& heightmap, const std::string& assets) {
    const int cells = 100;
    const float step = 15.0f;
    std::vector<float> heights(size_t(cells + 1) * size_t(cells + 1));
    auto worldOf = [&](int i) { return -750.0f + step * float(i); };
    for (int j = 0; j <= cells; ++j)
        for (int i = 0; i <= cells; ++i) heights[size_t(j) * size_t(cells + 1) + size_t(i)] = heightNearest(heightmap, worldOf(i), worldOf(j));
    auto h = [&](int i, int j) {
        i = std::clamp(i, 0, cells);
        j = std::clamp(j, 0, cells);
        return heights[size_t(j) * size_t(cells + 1) + size_t(i)];
    };
    auto vertex = [&](int i, int j) {
        glm::vec3 n = glm::normalize(glm::vec3(h(i - 1, j) - h(i + 1, j), 2.0f * step, h(i, j - 1) - h(i, j + 1)));
        // The sand repeats every 20 units.
        return Vertex{{worldOf(i), h(i, j), worldOf(j)}, n, {worldOf(i) / 20.0f, -worldOf(j) / 20.0f}};
    };
    Mesh ground;
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            Vertex a = vertex(i, j), b = vertex(i, j + 1), c = vertex(i + 1, j + 1), d = vertex(i + 1, j);
            ground.triangle(a, b, c);
            ground.triangle(a, c, d);
        }
    }
    writeObj(ground, assets + "/world", "st01v002-ground",
             {"sand", glm::vec3(0.35f, 0.3f, 0.25f), glm::vec3(0.9f, 0.85f, 0.8f), glm::vec3(0.05f), glm::vec3(0.0f), 4.0f, "sand.jpg"});
    writeJpeg(sandTexture(), assets + "/world/sand.jpg", 90, false);
}
