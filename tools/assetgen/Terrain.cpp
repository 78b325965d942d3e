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
        float wobble = (fbm(p / 150.0f, 20 + uint32_t(i), 3) - 0.5f) * 60.0f;
        float r = glm::length(d) + wobble;
        float plateau = smoothstep01(radii[i] + 90.0f, radii[i] - 60.0f, r);
        float top = tops[i] + 6.0f * (fbm(p / 120.0f, 30 + uint32_t(i), 2) - 0.5f);
        h = std::max(h, glm::mix(h, top, plateau));
    }
    // Level pads under the radar dome and the landmark butte.
    for (glm::vec2 pad : {radarDomePosition(), landmarkRockPosition()}) {
        float w = smoothstep01(160.0f, 60.0f, glm::length(p - pad));
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
// The ground's grid: 60 cells of 25 units a side (7,200 triangles). The dunes
// are designed no narrower than about 40 units, so this follows them closely.
const int groundCells = 60;
// The sand repeats every 20 units.
const float sandTile = 20.0f;

// The relief of one sand tile, in world units: soft hummocks a few units
// across that the grid cannot show, wind ripples over them, and grain. Every
// term tiles (integer frequencies, periodic noise).
float sandRelief(glm::vec2 uv) {
    float hummocks = fbm(uv * 3.0f, 47, 3, 3) * 0.6f + fbm(uv * 6.0f, 48, 2, 6) * 0.2f;
    float warp = fbm(uv * 4.0f, 41, 3, 4) * 1.3f;
    // Ripples rise gently on the windward side, which faces the low sun, and
    // drop steeply on the lee side: broad lit bands between thin shadows.
    float phase = glm::fract(uv.x * 9.0f + uv.y * 2.0f + warp);
    float ripple = phase < 0.25f ? phase / 0.25f : (1.0f - phase) / 0.75f;
    float fine = fbm(uv * 64.0f, 44, 2, 64);
    return hummocks + 0.04f * ripple * (0.4f + fbm(uv * 5.0f, 49, 2, 5)) + 0.006f * fine;
}

// Sand with its small relief baked in as light and shade: lit where it faces the
// low sun, darker in hollows and lee slopes, with paler crests and dark pebbles.
Image sandTexture() {
    const int size = 1024;
    Field relief(size, size);
    paintUV(relief, sandRelief);
    float low = 1e30f, high = -1e30f;
    for (float h : relief.values) {
        low = std::min(low, h);
        high = std::max(high, h);
    }
    // Texture u runs along world +x and v along world -z.
    const glm::vec3 sun = sunDirection();
    const glm::vec3 sunInTexture(sun.x, -sun.z, sun.y);
    const float texel = sandTile / float(size);
    auto at = [&](int x, int y) { return relief.at((x + size) % size, (y + size) % size); };
    const glm::vec3 light = hexColour(0xD9B27A), dark = hexColour(0xA97A4A), pale = hexColour(0xEBD0A0);
    Image sand(size, size);
    parallelRows(size, [&](int y) {
        float v = 1.0f - (float(y) + 0.5f) / float(size);
        for (int x = 0; x < size; ++x) {
            glm::vec2 uv((float(x) + 0.5f) / float(size), v);
            // Slopes in world units per unit; picture rows run down while v runs up.
            float du = (at(x + 1, y) - at(x - 1, y)) / (2.0f * texel);
            float dv = (at(x, y - 1) - at(x, y + 1)) / (2.0f * texel);
            glm::vec3 normal = glm::normalize(glm::vec3(-du, -dv, 1.0f));
            float facing = glm::dot(normal, sunInTexture) - sunInTexture.z;
            float hollow = (relief.at(x, y) - low) / (high - low);
            float patches = fbm(uv * 3.0f, 42, 4, 3);
            float grain = hash2(x, y, 43);
            glm::vec3 c = glm::mix(dark, light, 0.3f + 0.45f * patches + 0.35f * hollow);
            c = glm::mix(c, pale, 0.3f * smoothstep01(0.0f, 0.1f, facing) * patches);
            c *= glm::clamp(0.98f + 1.3f * facing, 0.7f, 1.2f) * (0.82f + 0.22f * hollow) * (0.96f + 0.08f * grain);
            // Sparse dark pebbles.
            glm::vec2 cell = cellular(uv * 48.0f, 45, 48);
            if (cell.x < 0.09f && hash2(int(uv.x * 48.0f), int(uv.y * 48.0f), 46) > 0.8f) c *= 0.6f;
            sand.at(x, y) = glm::clamp(c, 0.0f, 1.0f);
        }
    });
    return sand;
}

// Height at (u, v) in [0,1]^2 of a cell (u along x, v along z) whose corners
// have heights h[0] at (0,0), h[1] at (1,0), h[2] at (0,1), h[3] at (1,1),
// split along the diagonal (0,0)-(1,1) or along (1,0)-(0,1).
float cellHeight(const float h[4], float u, float v, bool mainDiagonal) {
    if (mainDiagonal) return v >= u ? h[0] + v * (h[2] - h[0]) + u * (h[3] - h[2]) : h[0] + u * (h[1] - h[0]) + v * (h[3] - h[1]);
    return u + v <= 1.0f ? h[0] + u * (h[1] - h[0]) + v * (h[2] - h[0]) : h[3] + (1.0f - u) * (h[2] - h[3]) + (1.0f - v) * (h[1] - h[3]);
}
}  // namespace

void generateGround(const Terrain& heightmap, const std::string& assets) {
    const int cells = groundCells;
    const float step = 1500.0f / float(cells);
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
        return Vertex{{worldOf(i), h(i, j), worldOf(j)}, n, {worldOf(i) / sandTile, -worldOf(j) / sandTile}};
    };
    // Each cell is split along the diagonal whose two triangles stray least
    // from the heights the game reads inside it: a crest running across a cell
    // is kept, not cut off by the other diagonal.
    auto misfit = [&](int i, int j, bool mainDiagonal) {
        const float corners[4] = {h(i, j), h(i + 1, j), h(i, j + 1), h(i + 1, j + 1)};
        float sum = 0.0f;
        for (int b = 0; b <= 8; ++b)
            for (int a = 0; a <= 8; ++a) {
                float u = float(a) / 8.0f, v = float(b) / 8.0f;
                float read = heightmap.heightAt(worldOf(i) + u * step, worldOf(j) + v * step);
                if (read == -1.0f) continue;
                float error = cellHeight(corners, u, v, mainDiagonal) - read;
                sum += error * error;
            }
        return sum;
    };
    Mesh ground;
    for (int j = 0; j < cells; ++j) {
        for (int i = 0; i < cells; ++i) {
            Vertex a = vertex(i, j), b = vertex(i, j + 1), c = vertex(i + 1, j + 1), d = vertex(i + 1, j);
            if (misfit(i, j, true) <= misfit(i, j, false)) ground.quad(a, b, c, d);
            else ground.quad(b, c, d, a);
        }
    }
    // The sand reflects more than its picture alone would under the dim dusk
    // light: a warm mid-tone that the dark vehicles stand out from.
    writeObj(ground, assets + "/world", "st01v002-ground",
             {"sand", glm::vec3(0.35f, 0.3f, 0.25f), glm::vec3(1.2f, 1.1f, 0.95f), glm::vec3(0.05f), glm::vec3(0.0f), 4.0f, "sand.jpg"});
    writeJpeg(sandTexture(), assets + "/world/sand.jpg", 90, false);
}
