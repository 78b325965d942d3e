// Preview sheets for people: every texture, sky face and screen on one sheet,
// every model drawn flat-shaded from the front, the side and above on another.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>

#include "Assets.h"
#include "Fonts.h"
#include "Raster.h"

namespace fs = std::filesystem;

namespace {
void label(Image& sheet, const std::string& text, int x, int y, int size, glm::vec3 colour) {
    TextMask mask = renderText(text, size, 0, 0);
    for (int j = 0; j < mask.height; ++j)
        for (int i = 0; i < mask.width; ++i) {
            int tx = x + i, ty = y + j;
            if (tx < 0 || ty < 0 || tx >= sheet.width || ty >= sheet.height) continue;
            sheet.at(tx, ty) = glm::mix(sheet.at(tx, ty), colour, mask.at(i, j));
        }
}

std::vector<fs::path> filesWithExtension(const std::string& root, const std::string& extension) {
    std::vector<fs::path> files;
    for (const auto& entry : fs::recursive_directory_iterator(root))
        if (entry.is_regular_file() && entry.path().extension() == extension) files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// Samples the six face files the way the game's cube map does, for a panorama
// that shows whether the seams meet.
glm::vec3 sampleCube(const Image faces[6], glm::vec3 d) {
    glm::vec3 a = glm::abs(d);
    int face;
    float sc, tc, ma;
    if (a.x >= a.y && a.x >= a.z) {
        face = d.x > 0 ? 0 : 1;
        ma = a.x;
        sc = d.x > 0 ? -d.z : d.z;
        tc = -d.y;
    } else if (a.y >= a.z) {
        face = d.y > 0 ? 2 : 3;
        ma = a.y;
        sc = d.x;
        tc = d.y > 0 ? d.z : -d.z;
    } else {
        face = d.z > 0 ? 4 : 5;
        ma = a.z;
        sc = d.z > 0 ? d.x : -d.x;
        tc = -d.y;
    }
    float s = (sc / ma + 1.0f) * 0.5f, t = (tc / ma + 1.0f) * 0.5f;
    const Image& image = faces[face];
    // Texture row t counts from the bottom of the picture (FreeImage's order).
    int x = std::clamp(int(s * float(image.width)), 0, image.width - 1);
    int y = std::clamp(image.height - 1 - int(t * float(image.height)), 0, image.height - 1);
    return image.at(x, y);
}

void textureSheet(const std::string& assets, const std::string& output) {
    std::vector<fs::path> images = filesWithExtension(assets, ".jpg");
    const int columns = 6, cell = 200, labelHeight = 22, margin = 8;
    int rows = int((images.size() + columns - 1) / columns);
    const int panoramaHeight = 300;
    Image sheet(columns * (cell + margin) + margin, rows * (cell + labelHeight + margin) + margin + panoramaHeight + 40, hexColour(0x1C1A1E));
    for (size_t i = 0; i < images.size(); ++i) {
        Image picture = readImage(images[i].string());
        int w = cell, h = cell;
        if (picture.width > picture.height) h = cell * picture.height / picture.width;
        Image thumb = resized(picture, w, h);
        int x = margin + int(i % columns) * (cell + margin), y = margin + int(i / columns) * (cell + labelHeight + margin);
        blit(sheet, thumb, x, y + (cell - h) / 2);
        label(sheet, fs::relative(images[i], assets).string(), x, y + cell + 2, 16, glm::vec3(0.9f));
    }
    // A panorama through the cube faces as the game samples them.
    Image faces[6];
    const char* names[6] = {"right", "left", "top", "bottom", "back", "front"};
    for (int f = 0; f < 6; ++f) faces[f] = readImage(assets + "/Skybox/" + names[f] + ".jpg");
    int top = sheet.height - panoramaHeight - 30;
    label(sheet, "Sky cube as the game samples it: azimuth -180..180 degrees (x towards z), elevation -30..60", margin, top, 18, glm::vec3(0.9f));
    int width = sheet.width - 2 * margin;
    for (int y = 0; y < panoramaHeight; ++y) {
        float elevation = glm::radians(60.0f - 90.0f * float(y) / float(panoramaHeight));
        for (int x = 0; x < width; ++x) {
            float azimuth = glm::radians(-180.0f + 360.0f * float(x) / float(width));
            glm::vec3 d(std::cos(elevation) * std::cos(azimuth), std::sin(elevation), std::cos(elevation) * std::sin(azimuth));
            sheet.at(margin + x, top + 26 + y) = sampleCube(faces, d);
        }
    }
    writePng(sheet, output + "/asset-textures.png");
}

std::string diffuseTexture(const fs::path& obj) {
    fs::path mtl = obj;
    mtl.replace_extension(".mtl");
    std::ifstream in(mtl);
    std::string line;
    while (std::getline(in, line)) {
        if (line.rfind("map_Kd ", 0) == 0) return (obj.parent_path() / line.substr(7)).string();
    }
    return "";
}

Image drawModel(const Mesh& mesh, const Image* texture, glm::vec3 viewDirection, int size) {
    glm::vec3 lo = mesh.boundsMin(), hi = mesh.boundsMax(), centre = (lo + hi) * 0.5f;
    float radius = glm::length(hi - lo) * 0.5f;
    glm::vec3 up = std::fabs(viewDirection.y) > 0.99f ? glm::vec3(0, 0, -1) : glm::vec3(0, 1, 0);
    glm::mat4 view = glm::lookAt(centre - viewDirection * radius * 3.0f, centre, up);
    // Fit the projected box tightly.
    float extent = 0.0f;
    for (int i = 0; i < 8; ++i) {
        glm::vec3 corner((i & 1) ? hi.x : lo.x, (i & 2) ? hi.y : lo.y, (i & 4) ? hi.z : lo.z);
        glm::vec3 v = glm::vec3(view * glm::vec4(corner, 1.0f));
        extent = std::max({extent, std::fabs(v.x), std::fabs(v.y)});
    }
    extent *= 1.08f;
    glm::mat4 projection = glm::ortho(-extent, extent, -extent, extent, 0.01f, radius * 8.0f);
    Raster raster(size * 2, size * 2, hexColour(0x2A2830));
    glm::vec3 light = glm::normalize(glm::vec3(0.4f, 0.8f, 0.6f) - viewDirection * 0.5f);
    rasterise(raster, mesh, glm::mat4(1.0f), projection * view, texture, true, [&](const Fragment& f) {
        float lambert = std::max(glm::dot(f.normal, light), 0.0f);
        float facing = std::fabs(glm::dot(f.normal, viewDirection));
        return glm::min(f.albedo * (0.3f + 0.55f * lambert + 0.25f * facing), glm::vec3(1.0f));
    });
    return resized(raster.toImage(), size, size);
}

void modelSheet(const std::string& assets, const std::string& output) {
    std::vector<Mesh> meshes;
    std::vector<fs::path> paths;
    for (const fs::path& p : filesWithExtension(assets, ".obj")) {
        Mesh mesh = readObj(p.string());
        if (mesh.triangleCount() == 0) continue;  // the route files
        meshes.push_back(std::move(mesh));
        paths.push_back(p);
    }
    const int size = 150, labelHeight = 22, margin = 8, perRow = 2;
    const int block = 3 * size + 2 * 2;
    int rows = int((meshes.size() + perRow - 1) / perRow);
    Image sheet(perRow * (block + margin * 3) + margin, rows * (size + labelHeight + margin) + margin, hexColour(0x1C1A1E));
    for (size_t i = 0; i < meshes.size(); ++i) {
        std::string texturePath = diffuseTexture(paths[i]);
        Image texture;
        bool hasTexture = !texturePath.empty() && fs::exists(texturePath);
        if (hasTexture) texture = readImage(texturePath);
        int x = margin + int(i % perRow) * (block + margin * 3), y = margin + int(i / perRow) * (size + labelHeight + margin);
        const glm::vec3 views[3] = {{0, 0, -1}, {-1, 0, 0}, glm::normalize(glm::vec3(-0.6f, -0.55f, -0.6f))};
        for (int v = 0; v < 3; ++v) blit(sheet, drawModel(meshes[i], hasTexture ? &texture : nullptr, views[v], size), x + v * (size + 2), y);
        char caption[160];
        std::snprintf(caption, sizeof caption, "%s  (%zu triangles)", fs::relative(paths[i], assets).string().c_str(), meshes[i].triangleCount());
        label(sheet, caption, x, y + size + 2, 16, glm::vec3(0.9f));
    }
    writePng(sheet, output + "/asset-models.png");
}
}  // namespace

void writePreview(const std::string& assets, const std::string& output) {
    setFontSource(assets + "/Fonts/AmericanCaptain.ttf", "");
    fs::create_directories(output);
    textureSheet(assets, output);
    modelSheet(assets, output);
    std::printf("assetgen: preview sheets in %s\n", output.c_str());
}
