// The icon is rendered like the key art of the screens: the sky function for
// the background, the software rasteriser for the ground and the models. The
// camera sits low and looks into the setting sun, so the crawler stands as a
// dark, rim-lit silhouette against the brightest part of the sky, the shape
// that still reads when the icon is 48 pixels wide.
#include "Icon.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <stdexcept>

#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Noise.h"
#include "Raster.h"

namespace {
// Rendered at this many samples per pixel side, then box-filtered down.
const int supersample = 4;

struct TexturedMesh {
    Mesh mesh;
    Image texture;
};

TexturedMesh loadTextured(const std::string& assets, const std::string& obj, const std::string& texture) {
    return {readObj(assets + "/" + obj), readImage(assets + "/" + texture)};
}

// A flat square of sand around the origin; the texture repeats every 12 units.
Mesh sandPlane(float halfSize) {
    Mesh plane;
    auto corner = [&](float x, float z) { return Vertex{{x, 0.0f, z}, {0.0f, 1.0f, 0.0f}, {x / 12.0f, -z / 12.0f}}; };
    plane.quad(corner(-halfSize, halfSize), corner(halfSize, halfSize), corner(halfSize, -halfSize), corner(-halfSize, -halfSize));
    return plane;
}

glm::mat4 placed(glm::vec3 position, float yawDegrees, float scale) {
    return glm::scale(glm::rotate(glm::translate(glm::mat4(1.0f), position), glm::radians(yawDegrees), glm::vec3(0, 1, 0)),
                      glm::vec3(scale));
}

// Coverage of a pixel centre by the rounded tile, anti-aliased over one pixel.
float tileCoverage(float x, float y, float size) {
    const float inset = size / 24.0f, radius = size * 0.2f;
    glm::vec2 centre(size * 0.5f);
    glm::vec2 halfExtent(size * 0.5f - inset - radius);
    glm::vec2 outside = glm::max(glm::abs(glm::vec2(x, y) - centre) - halfExtent, glm::vec2(0.0f));
    float distance = glm::length(outside) - radius;  // negative inside the tile
    return std::clamp(0.5f - distance, 0.0f, 1.0f);
}

Image renderScene(const std::string& assets, int pixels) {
    TexturedMesh crawler = loadTextured(assets, "MGCrawlerModel03.obj", "MGCrawlerMetal.jpg");
    TexturedMesh butte = loadTextured(assets, "world/w_rock02.obj", "world/rock02.jpg");
    Image sand = readImage(assets + "/world/sand.jpg");
    Mesh ground = sandPlane(3000.0f);

    // Look up at the crawler from low down, almost straight into the sun.
    const glm::vec3 sun = sunDirection();
    const float sunAzimuth = std::atan2(sun.z, sun.x);
    const float lookAzimuth = sunAzimuth + glm::radians(7.0f);
    const glm::vec3 forward(std::cos(lookAzimuth), 0.0f, std::sin(lookAzimuth));
    const glm::vec3 target(0.0f, 3.4f, 0.0f);
    const glm::vec3 eye = target - forward * 16.0f + glm::vec3(0.0f, -1.6f, 0.0f);
    glm::mat4 view = glm::lookAt(eye, target, glm::vec3(0, 1, 0));
    glm::mat4 projection = glm::perspective(glm::radians(38.0f), 1.0f, 0.5f, 6000.0f);
    glm::mat4 viewProjection = projection * view;
    glm::mat4 inverse = glm::inverse(viewProjection);

    Raster raster(pixels, pixels, glm::vec3(0.0f));
    parallelRows(pixels, [&](int y) {
        for (int x = 0; x < pixels; ++x) {
            glm::vec4 ndc((float(x) + 0.5f) / float(pixels) * 2.0f - 1.0f, 1.0f - (float(y) + 0.5f) / float(pixels) * 2.0f, 1.0f, 1.0f);
            glm::vec4 far = inverse * ndc;
            raster.colour[size_t(y) * size_t(pixels) + size_t(x)] = skyColour(glm::vec3(far) / far.w - eye);
        }
    });

    const glm::vec3 sunLight = glm::vec3(1.0f, 0.62f, 0.34f) * 1.3f;
    const glm::vec3 haze = skyColour(forward + glm::vec3(0.0f, 0.02f, 0.0f), false);
    auto shade = [&](const Fragment& f) {
        glm::vec3 toEye = eye - f.position;
        float distance = glm::length(toEye);
        glm::vec3 v = toEye / distance;
        glm::vec3 n = glm::dot(f.normal, v) < 0.0f ? -f.normal : f.normal;
        // Cool sky light from above, warm sand bounce from below, and a weak
        // fill from the viewer so the crawler's paint is not lost in its shadow.
        glm::vec3 ambient = glm::mix(glm::vec3(0.22f, 0.13f, 0.09f), glm::vec3(0.22f, 0.26f, 0.42f), n.y * 0.5f + 0.5f);
        ambient += glm::vec3(0.12f, 0.09f, 0.08f) * std::max(glm::dot(n, v), 0.0f);
        glm::vec3 c = f.albedo * (ambient + sunLight * std::max(glm::dot(n, sun), 0.0f));
        // The low sun behind the silhouette lights its edges.
        float rim = std::pow(1.0f - std::max(glm::dot(n, v), 0.0f), 3.0f) * std::max(glm::dot(-v, sun), 0.0f);
        c += sunLight * rim * 0.9f;
        return glm::mix(c, haze, std::min(1.0f - std::exp(-distance / 700.0f), 1.0f));
    };
    rasterise(raster, ground, glm::mat4(1.0f), viewProjection, &sand, false, shade);
    // The butte stands well behind the crawler, right of the sun in the picture.
    glm::vec3 butteDirection(std::cos(sunAzimuth + glm::radians(19.0f)), 0.0f, std::sin(sunAzimuth + glm::radians(19.0f)));
    rasterise(raster, butte.mesh, placed(butteDirection * 480.0f + glm::vec3(0.0f, -12.0f, 0.0f), 20.0f, 1.45f), viewProjection,
              &butte.texture, false, shade);
    // Three-quarter view, the gun swinging towards the viewer's left.
    float crawlerYaw = glm::degrees(std::atan2(-forward.x, -forward.z)) - 28.0f;
    rasterise(raster, crawler.mesh, placed(glm::vec3(0.0f), crawlerYaw, 1.0f), viewProjection, &crawler.texture, false, shade);
    return raster.toImage();
}

void writeRgbaPng(const Icon& icon, const std::string& path) {
    const Image& image = icon.colour;
    FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 32, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
    if (!bitmap) throw std::runtime_error("out of memory for an icon");
    auto byte = [](float v) { return BYTE(std::clamp(std::floor(v * 255.0f + 0.5f), 0.0f, 255.0f)); };
    for (int y = 0; y < image.height; ++y) {
        // FreeImage keeps the bottom row first.
        BYTE* line = FreeImage_GetScanLine(bitmap, image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            glm::vec3 c = image.at(x, y);
            line[x * 4 + FI_RGBA_RED] = byte(c.r);
            line[x * 4 + FI_RGBA_GREEN] = byte(c.g);
            line[x * 4 + FI_RGBA_BLUE] = byte(c.b);
            line[x * 4 + FI_RGBA_ALPHA] = byte(icon.coverage.at(x, y));
        }
    }
    std::filesystem::create_directories(std::filesystem::path(path).parent_path());
    bool ok = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION);
    FreeImage_Unload(bitmap);
    if (!ok) throw std::runtime_error("could not write " + path);
}
}  // namespace

const std::vector<int>& iconSizes() {
    static const std::vector<int> sizes = {48, 64, 128, 256};
    return sizes;
}

Icon drawIcon(const std::string& assets, int size) {
    Icon icon{resized(renderScene(assets, size * supersample), size, size), Field(size, size)};
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            float u = (float(x) + 0.5f) / float(size), v = (float(y) + 0.5f) / float(size);
            // A gentle vignette and a darker rim keep the tile's edge visible on
            // light and dark panels alike.
            float vignette = glm::length(glm::vec2(u - 0.5f, v - 0.45f));
            glm::vec3& c = icon.colour.at(x, y);
            c *= 1.0f - 0.35f * smoothstep01(0.3f, 0.75f, vignette);
            icon.coverage.at(x, y) = tileCoverage(float(x) + 0.5f, float(y) + 0.5f, float(size));
        }
    return icon;
}

void writeIcons(const std::string& assets, const std::string& outputDirectory) {
    for (int size : iconSizes()) {
        std::string name = std::to_string(size) + "x" + std::to_string(size);
        writeRgbaPng(drawIcon(assets, size), outputDirectory + "/hicolor/" + name + "/apps/sandlark.png");
    }
    std::printf("assetgen: icons in %s/hicolor\n", outputDirectory.c_str());
}
