// The generated Assets/ tree as the game reads it: models through Assimp with
// the game's flags, images through FreeImage, the font through FreeType, and
// the level files with the game's own arithmetic.
#include <FreeImage.h>
#include <ft2build.h>
#include FT_FREETYPE_H

#include <assimp/Importer.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "Assets.h"
#include "game/Terrain.h"

namespace fs = std::filesystem;

namespace {
const std::string assets = SANDLARK_ASSETS_DIR;

struct Bitmap {
    FIBITMAP* bitmap = nullptr;
    explicit Bitmap(const std::string& path) {
        FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
        if (format != FIF_UNKNOWN) bitmap = FreeImage_Load(format, path.c_str(), 0);
    }
    ~Bitmap() {
        if (bitmap) FreeImage_Unload(bitmap);
    }
    Bitmap(const Bitmap&) = delete;
    Bitmap& operator=(const Bitmap&) = delete;
    unsigned width() const { return FreeImage_GetWidth(bitmap); }
    unsigned height() const { return FreeImage_GetHeight(bitmap); }
    unsigned bpp() const { return FreeImage_GetBPP(bitmap); }
    RGBQUAD pixel(unsigned x, unsigned y) const {
        RGBQUAD q{};
        FreeImage_GetPixelColor(bitmap, x, y, &q);
        return q;
    }
};

bool powerOfTwo(unsigned n) { return n >= 1 && (n & (n - 1)) == 0; }

// The collision heightmap decoded as the game's loader does it (whatever
// FreeImage loads, brought to 24 bits, the blue byte of every pixel, scan line 0
// at the bottom), written out here rather than shared with the generator so a
// slip in the generator's decoding shows up; heights come from the game's own
// Terrain.
Terrain readHeightmap() {
    Bitmap decoded(assets + "/world/desertHeightmapCollision.jpg");
    if (!decoded.bitmap) return Terrain();
    FIBITMAP* colour = FreeImage_ConvertTo24Bits(decoded.bitmap);
    int width = int(FreeImage_GetWidth(colour)), height = int(FreeImage_GetHeight(colour));
    std::vector<std::uint8_t> blue(size_t(width) * size_t(height));
    for (int row = 0; row < height; ++row) {
        const BYTE* line = FreeImage_GetScanLine(colour, row);
        for (int column = 0; column < width; ++column) blue[size_t(row) * size_t(width) + size_t(column)] = line[column * 3 + FI_RGBA_BLUE];
    }
    FreeImage_Unload(colour);
    return Terrain(width, height, std::move(blue));
}

// `v x y z` lines, and the positions of `g` lines among them.
struct RouteFile {
    std::vector<glm::vec3> points;
    std::vector<size_t> groupEnds;
};

RouteFile readRoutes(const std::string& path) {
    RouteFile file;
    std::ifstream in(path);
    std::string line;
    while (std::getline(in, line)) {
        std::istringstream words(line);
        std::string first;
        words >> first;
        if (first == "v") {
            glm::vec3 p;
            words >> p.x >> p.y >> p.z;
            file.points.push_back(p);
        } else if (first == "g") {
            file.groupEnds.push_back(file.points.size());
        }
    }
    return file;
}

struct ModelCase {
    const char* path;
    const char* normalMap;  // empty when none
    glm::vec3 minSize, maxSize;
    float minY, maxY;       // where the geometry starts and ends vertically
    unsigned maxTriangles;  // the model's triangle budget
};

// Sizes from the art direction; ground-standing models start at y = 0. Every
// triangle costs about 0.2 microseconds in each pass on the software renderer,
// so each model has a budget (the unplaced ones 1,500).
const ModelCase models[] = {
    {"MGCrawlerModel03.obj", "MGCrawlerMapMetal01.jpg", {4.5f, 6.5f, 6.5f}, {5.5f, 8.0f, 10.0f}, -0.1f, 8.0f, 1500},
    {"MGCrawler_Base.obj", "", {4.5f, 6.5f, 6.5f}, {5.5f, 8.0f, 7.5f}, -0.1f, 8.0f, 400},
    {"MGCrawler_Base1.obj", "", {4.5f, 6.5f, 6.5f}, {5.5f, 8.0f, 7.5f}, -0.1f, 8.0f, 400},
    {"MGCrawler_Base3.obj", "", {4.5f, 6.5f, 6.5f}, {5.5f, 8.0f, 7.5f}, -0.1f, 8.0f, 400},
    {"MGCrawler_Body.obj", "", {4.0f, 1.5f, 6.0f}, {5.5f, 2.5f, 10.0f}, 2.3f, 4.8f, 300},
    {"duck.obj", "", {2.0f, 2.0f, 3.0f}, {3.5f, 3.5f, 4.5f}, 2.3f, 6.0f, 400},
    {"marbleBox/marbleBox.obj", "marbleBox/marbleBoxNormal.jpg", {1.9f, 1.9f, 1.9f}, {2.1f, 2.1f, 2.1f}, -0.01f, 2.1f, 1500},
    {"DestroyedMGCrawler01.obj", "", {4.5f, 3.0f, 6.0f}, {9.0f, 6.0f, 9.0f}, -0.01f, 6.0f, 500},
    {"Gameobjects/projectile02.obj", "", {0.3f, 0.3f, 5.0f}, {0.7f, 0.7f, 7.0f}, -1.0f, 1.0f, 24},
    {"Gameobjects/simpleExplosion.obj", "", {6.0f, 6.0f, 6.0f}, {10.0f, 10.0f, 10.0f}, -5.0f, 5.0f, 1500},
    {"Gameobjects/p_cannon.obj", "", {0.2f, 0.2f, 2.5f}, {1.0f, 1.0f, 3.5f}, -1.0f, 1.0f, 1500},
    {"e_drone01.obj", "DroneNormalMap.jpg", {17.0f, 1.0f, 17.0f}, {22.0f, 6.0f, 22.0f}, -4.0f, 4.0f, 400},
    {"world/st01v002-ground.obj", "", {1500.0f, 1.0f, 1500.0f}, {1500.0f, 101.0f, 1500.0f}, -2.0f, 100.0f, 8000},
    {"world/w_rock02.obj", "world/rock02_normal.jpg", {70.0f, 110.0f, 70.0f}, {100.0f, 130.0f, 100.0f}, -10.0f, 130.0f, 150},
    {"world/w_radarDome.obj", "", {90.0f, 65.0f, 90.0f}, {110.0f, 85.0f, 110.0f}, -0.01f, 85.0f, 800},
    {"world/w_dustCloud.obj", "", {12.0f, 8.0f, 12.0f}, {18.0f, 16.0f, 18.0f}, -9.0f, 9.0f, 48},
    {"world/e_fireball.obj", "", {10.0f, 10.0f, 10.0f}, {14.0f, 14.0f, 14.0f}, -7.0f, 7.0f, 48},
};

void PrintTo(const ModelCase& model, std::ostream* out) { *out << model.path; }

class ModelImport : public testing::TestWithParam<ModelCase> {};

TEST_P(ModelImport, ImportsAsOneTexturedTriangleMeshOfTheRightSize) {
    const ModelCase& model = GetParam();
    std::string path = assets + "/" + model.path;
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(path, aiProcess_CalcTangentSpace | aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices);
    ASSERT_NE(scene, nullptr) << importer.GetErrorString();
    // The game keeps only the first mesh: everything must be in it.
    ASSERT_EQ(scene->mNumMeshes, 1u);
    const aiMesh* mesh = scene->mMeshes[0];
    EXPECT_TRUE(mesh->HasNormals());
    EXPECT_TRUE(mesh->HasTextureCoords(0));
    ASSERT_TRUE(mesh->HasTangentsAndBitangents());
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D& t = mesh->mTangents[i];
        ASSERT_TRUE(std::isfinite(t.x) && std::isfinite(t.y) && std::isfinite(t.z)) << "vertex " << i;
    }
    EXPECT_LE(mesh->mNumFaces, model.maxTriangles);
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        const aiFace& face = mesh->mFaces[f];
        ASSERT_EQ(face.mNumIndices, 3u) << "face " << f;
        // Front faces wind counter-clockwise around their normals, and none is
        // a zero-area sliver (it would get no tangent and may be culled either way).
        const aiVector3D &a = mesh->mVertices[face.mIndices[0]], &b = mesh->mVertices[face.mIndices[1]], &c = mesh->mVertices[face.mIndices[2]];
        aiVector3D winding = (b - a) ^ (c - a);
        ASSERT_GT(winding.Length(), 0.0f) << "face " << f << " has no area";
        aiVector3D normals = mesh->mNormals[face.mIndices[0]] + mesh->mNormals[face.mIndices[1]] + mesh->mNormals[face.mIndices[2]];
        EXPECT_GT(winding * normals, 0.0f) << "face " << f << " winds against its normals";
    }

    aiVector3D lo(1e30f), hi(-1e30f);
    for (unsigned i = 0; i < mesh->mNumVertices; ++i) {
        const aiVector3D& p = mesh->mVertices[i];
        lo = aiVector3D(std::min(lo.x, p.x), std::min(lo.y, p.y), std::min(lo.z, p.z));
        hi = aiVector3D(std::max(hi.x, p.x), std::max(hi.y, p.y), std::max(hi.z, p.z));
    }
    glm::vec3 size(hi.x - lo.x, hi.y - lo.y, hi.z - lo.z);
    for (int axis = 0; axis < 3; ++axis) {
        EXPECT_GE(size[axis], model.minSize[axis]) << "axis " << axis;
        EXPECT_LE(size[axis], model.maxSize[axis]) << "axis " << axis;
    }
    EXPECT_GE(lo.y, model.minY);
    EXPECT_LE(hi.y, model.maxY);

    // Its diffuse texture sits beside it, decodes as 24-bit colour, power-of-two square.
    const aiMaterial* material = scene->mMaterials[mesh->mMaterialIndex];
    aiString texture;
    ASSERT_EQ(aiGetMaterialTexture(material, aiTextureType_DIFFUSE, 0, &texture), aiReturn_SUCCESS);
    std::string texturePath = fs::path(path).parent_path().string() + "/" + texture.C_Str();
    Bitmap colour(texturePath);
    ASSERT_NE(colour.bitmap, nullptr) << texturePath;
    EXPECT_EQ(colour.bpp(), 24u);
    EXPECT_TRUE(powerOfTwo(colour.width()) && colour.width() >= 256 && colour.width() <= 1024) << colour.width();
    EXPECT_EQ(colour.width(), colour.height());
    if (model.normalMap[0] != '\0') {
        Bitmap normal(assets + "/" + model.normalMap);
        ASSERT_NE(normal.bitmap, nullptr) << model.normalMap;
        EXPECT_EQ(normal.width(), colour.width());
        EXPECT_EQ(normal.height(), colour.height());
        EXPECT_EQ(normal.bpp(), 24u);
    }
    // The game takes colours from the first material and loads the normal or
    // reflection map while visiting a material without a diffuse texture: the
    // first material must be untextured and carry the model's own colours.
    ASSERT_GE(scene->mNumMaterials, 2u);
    const aiMaterial* first = scene->mMaterials[0];
    aiString none;
    EXPECT_NE(aiGetMaterialTexture(first, aiTextureType_DIFFUSE, 0, &none), aiReturn_SUCCESS);
    aiColor4D firstColour, ownColour;
    ASSERT_EQ(aiGetMaterialColor(first, AI_MATKEY_COLOR_DIFFUSE, &firstColour), aiReturn_SUCCESS);
    ASSERT_EQ(aiGetMaterialColor(material, AI_MATKEY_COLOR_DIFFUSE, &ownColour), aiReturn_SUCCESS);
    EXPECT_EQ(firstColour, ownColour);
    float shininess = -1.0f;
    EXPECT_EQ(aiGetMaterialFloatArray(first, AI_MATKEY_SHININESS, &shininess, nullptr), aiReturn_SUCCESS);
    EXPECT_GE(shininess, 0.0f);
    EXPECT_LE(shininess, 128.0f);
}

INSTANTIATE_TEST_SUITE_P(EveryModel, ModelImport, testing::ValuesIn(models), [](const testing::TestParamInfo<ModelCase>& info) {
    std::string name = fs::path(info.param.path).stem().string();
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
});

// The strongest channel of the first material's emissive colour, the one the
// game reads.
float emissiveOf(const std::string& model) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(assets + "/" + model, aiProcess_PreTransformVertices);
    aiColor4D emissive(0.0f, 0.0f, 0.0f, 0.0f);
    if (!scene || scene->mNumMaterials == 0 || aiGetMaterialColor(scene->mMaterials[0], AI_MATKEY_COLOR_EMISSIVE, &emissive) != aiReturn_SUCCESS)
        return -1.0f;
    return std::max({emissive.r, emissive.g, emissive.b});
}

int peakOf(RGBQUAD q) { return std::max({q.rgbRed, q.rgbGreen, q.rgbBlue}); }

TEST(Materials, LampsFireAndShotsGlowAndTheLandscapeDoesNot) {
    for (const char* model : {"MGCrawler_Base.obj", "MGCrawler_Base1.obj", "MGCrawler_Base3.obj", "MGCrawler_Body.obj", "MGCrawlerModel03.obj",
                              "e_drone01.obj", "Gameobjects/projectile02.obj", "Gameobjects/simpleExplosion.obj", "world/e_fireball.obj"})
        EXPECT_GT(emissiveOf(model), 0.0f) << model;
    for (const char* model : {"duck.obj", "world/st01v002-ground.obj", "world/w_rock02.obj", "world/w_radarDome.obj", "world/w_dustCloud.obj",
                              "Gameobjects/p_cannon.obj"})
        EXPECT_EQ(emissiveOf(model), 0.0f) << model;
}

TEST(Materials, ACrawlerGlowsAtItsLampsAloneAndItsWreckNowhere) {
    // A glowing material glows where a channel of its picture reaches 0.95,
    // and not at all below 0.85. The crawler's lamp cells fill u 0.375 to
    // 0.625, v 0.75 to 1 of its atlas; its lamps use the middle of each cell.
    Bitmap atlas(assets + "/MGCrawlerMetal.jpg"), burnt(assets + "/DestroyedMGCrawler01.jpg");
    ASSERT_TRUE(atlas.bitmap && burnt.bitmap);
    const unsigned size = atlas.width();
    const int margin = 8;  // JPEG rings a little round a bright cell
    int glowingPaint = 0, glowingWreck = 0;
    for (unsigned y = 0; y < size; ++y)
        for (unsigned x = 0; x < size; ++x) {
            const bool nearLamps = int(x) >= int(size * 3 / 8) - margin && int(x) < int(size * 5 / 8) + margin && int(y) >= int(size * 3 / 4) - margin;
            if (!nearLamps && peakOf(atlas.pixel(x, y)) > 0.85 * 255) ++glowingPaint;
            if (peakOf(burnt.pixel(x, y)) > 0.85 * 255) ++glowingWreck;
        }
    EXPECT_EQ(glowingPaint, 0) << "paint bright enough to glow";
    EXPECT_EQ(glowingWreck, 0) << "the wreck's lamps are burnt out";
    for (glm::vec2 spot : {glm::vec2(0.4375f, 0.8125f), glm::vec2(0.4375f, 0.9375f), glm::vec2(0.5625f, 0.875f)})
        EXPECT_GE(peakOf(atlas.pixel(unsigned(spot.x * size), unsigned(spot.y * size))), 0.95 * 255) << spot.x << ", " << spot.y;
}

TEST(Heightmap, IsA1500SquareGreyImageIn24Bits) {
    Bitmap image(assets + "/world/desertHeightmapCollision.jpg");
    ASSERT_NE(image.bitmap, nullptr);
    EXPECT_EQ(image.width(), 1500u);
    EXPECT_EQ(image.height(), 1500u);
    EXPECT_EQ(image.bpp(), 24u);
    for (unsigned y = 0; y < 1500; y += 37)
        for (unsigned x = 0; x < 1500; x += 41) {
            RGBQUAD q = image.pixel(x, y);
            ASSERT_EQ(q.rgbRed, q.rgbBlue) << x << "," << y;
            ASSERT_EQ(q.rgbGreen, q.rgbBlue) << x << "," << y;
        }
}

// The ground's triangles as the game imports them.
std::vector<std::array<glm::vec3, 3>> groundTriangles() {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(assets + "/world/st01v002-ground.obj",
                                             aiProcess_CalcTangentSpace | aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices);
    std::vector<std::array<glm::vec3, 3>> triangles;
    if (!scene || scene->mNumMeshes == 0) return triangles;
    const aiMesh* mesh = scene->mMeshes[0];
    for (unsigned f = 0; f < mesh->mNumFaces; ++f) {
        std::array<glm::vec3, 3> t;
        for (unsigned k = 0; k < 3 && k < mesh->mFaces[f].mNumIndices; ++k) {
            const aiVector3D& p = mesh->mVertices[mesh->mFaces[f].mIndices[k]];
            t[k] = {p.x, p.y, p.z};
        }
        triangles.push_back(t);
    }
    return triangles;
}

TEST(Heightmap, GroundVerticesStandOnTheHeightsTheGameReads) {
    Terrain heightmap = readHeightmap();
    ASSERT_EQ(heightmap.width, 1500);
    std::vector<std::array<glm::vec3, 3>> triangles = groundTriangles();
    ASSERT_GT(triangles.size(), 1000u);
    int inside = 0;
    for (const auto& triangle : triangles)
        for (const glm::vec3& p : triangle) {
            // Inside the usable pixels exactly the game's lookup; on the outer
            // rim (which the lookup refuses) the nearest pixel.
            float read = heightmap.heightAt(p.x, p.z);
            float expected = read == -1.0f ? heightNearest(heightmap, p.x, p.z) : read;
            ASSERT_NEAR(p.y, expected, 1e-3f) << "at " << p.x << "," << p.z;
            inside += read != -1.0f;
        }
    EXPECT_GT(inside, int(triangles.size()) * 3 * 9 / 10);
}

TEST(Heightmap, GroundFollowsTheHeightsTheGameReadsAcrossEveryCell) {
    // Vertices about every 25 units, so a shot and the sand it hits agree
    // between vertices too: the middle of each cell (the midpoint of each
    // triangle's longest edge) stays within about a unit of the game's height,
    // the pixels' own rounding and JPEG noise included.
    Terrain heightmap = readHeightmap();
    ASSERT_EQ(heightmap.width, 1500);
    std::vector<std::array<glm::vec3, 3>> triangles = groundTriangles();
    ASSERT_GT(triangles.size(), 1000u);
    std::vector<float> misses;
    for (const auto& t : triangles) {
        float lengths[3];
        for (int k = 0; k < 3; ++k) {
            lengths[k] = glm::length(glm::vec2(t[(k + 1) % 3].x - t[k].x, t[(k + 1) % 3].z - t[k].z));
            ASSERT_LE(lengths[k], 25.0f * 1.5f) << "a ground edge from " << t[k].x << "," << t[k].z;
        }
        int longest = int(std::max_element(lengths, lengths + 3) - lengths);
        glm::vec3 middle = (t[longest] + t[(longest + 1) % 3]) * 0.5f;
        float read = heightmap.heightAt(middle.x, middle.z);
        if (read != -1.0f) misses.push_back(std::fabs(middle.y - read));
    }
    ASSERT_GT(misses.size(), triangles.size() * 9 / 10);
    std::sort(misses.begin(), misses.end());
    double mean = 0.0;
    for (float m : misses) mean += m;
    mean /= double(misses.size());
    EXPECT_LT(mean, 0.3);
    EXPECT_LE(misses[misses.size() * 99 / 100], 1.0f) << "one cell in a hundred strays further than a unit";
    EXPECT_LE(misses.back(), 1.5f);
}

// Triangles of a model as the game imports it (it draws the faces unindexed).
unsigned triangleCount(const std::string& path) {
    Assimp::Importer importer;
    const aiScene* scene = importer.ReadFile(assets + "/" + path, aiProcess_CalcTangentSpace | aiProcess_GenSmoothNormals | aiProcess_PreTransformVertices);
    return scene && scene->mNumMeshes > 0 ? scene->mMeshes[0]->mNumFaces : 0u;
}

TEST(TriangleBudget, ALevelOneFrameStaysUnderSixtyThousandTriangles) {
    // One frame at the start of level 1: the ground through the shadow,
    // velocity and colour passes; every crawler (its running gear, its body or
    // the duck, and its marker drone) and every rock through the shadow and
    // colour passes, the view culling about half of them in the colour pass;
    // the radar dome and the dust through two passes, the patrol drone one.
    RouteFile routes = readRoutes(assets + "/world/level1c2.obj");
    ASSERT_FALSE(routes.groupEnds.empty());
    const double crawlers = double(routes.groupEnds.size()) + 1.0;  // one more waits on the map's edge
    const double rocks = 101.0, shadowAndColour = 1.0 + 0.5;
    unsigned base = std::max({triangleCount("MGCrawler_Base.obj"), triangleCount("MGCrawler_Base1.obj"), triangleCount("MGCrawler_Base3.obj")});
    unsigned body = triangleCount("MGCrawler_Body.obj"), duck = triangleCount("duck.obj"), drone = triangleCount("e_drone01.obj");
    unsigned ground = triangleCount("world/st01v002-ground.obj"), rock = triangleCount("world/w_rock02.obj");
    unsigned dome = triangleCount("world/w_radarDome.obj"), dust = triangleCount("world/w_dustCloud.obj");
    ASSERT_TRUE(base && body && duck && drone && ground && rock && dome && dust);
    double crawlerTriangles = crawlers * double(base + drone) + (crawlers - 1.0) * double(body) + double(duck);
    double frame = 3.0 * ground + shadowAndColour * (crawlerTriangles + rocks * rock) + 2.0 * double(dome + dust) + double(drone);
    EXPECT_LE(frame, 60000.0);
}

TEST(Sand, TilesWithoutASeam) {
    // The ground repeats the sand every 20 units: across the texture's edges
    // neighbouring texels differ no more than they do inside it.
    Bitmap sand(assets + "/world/sand.jpg");
    ASSERT_NE(sand.bitmap, nullptr);
    unsigned w = sand.width(), h = sand.height();
    auto grey = [&](unsigned x, unsigned y) {
        RGBQUAD q = sand.pixel(x % w, y % h);
        return double(q.rgbRed) + q.rgbGreen + q.rgbBlue;
    };
    for (bool across : {true, false}) {
        double inside = 0.0, seam = 0.0;
        unsigned length = across ? w : h, lines = across ? h : w;
        for (unsigned line = 0; line < lines; ++line) {
            auto at = [&](unsigned i) { return across ? grey(i, line) : grey(line, i); };
            for (unsigned i = 0; i + 1 < length; ++i) inside += std::fabs(at(i + 1) - at(i));
            seam += std::fabs(at(0) - at(length - 1));
        }
        inside /= double(lines) * double(length - 1);
        seam /= double(lines);
        EXPECT_LT(seam, 1.5 * inside) << (across ? "left and right edges" : "top and bottom edges");
    }
}

TEST(Routes, CrawlerRoutesArePatrolsInsideTheField) {
    RouteFile file = readRoutes(assets + "/world/level1c2.obj");
    ASSERT_GE(file.groupEnds.size(), 10u);
    EXPECT_EQ(file.groupEnds.back(), file.points.size()) << "points after the last g line are lost";
    size_t start = 0;
    for (size_t end : file.groupEnds) {
        ASSERT_GE(end - start, 2u);
        EXPECT_GE(end - start, 20u);
        EXPECT_LE(end - start, 60u);
        for (size_t i = start; i < end; ++i) {
            glm::vec2 p(file.points[i].x * 0.1f, file.points[i].z * 0.1f);
            EXPECT_LE(std::fabs(p.x), 700.0f);
            EXPECT_LE(std::fabs(p.y), 700.0f);
            size_t next = i + 1 < end ? i + 1 : start;  // patrols loop back to their start
            float gap = glm::length(p - glm::vec2(file.points[next].x, file.points[next].z) * 0.1f);
            EXPECT_GE(gap, 4.0f);
            EXPECT_LE(gap, 11.0f);
        }
        start = end;
    }
}

TEST(Routes, PlayerRouteRidesJustAboveTheGround) {
    Terrain heightmap = readHeightmap();
    RouteFile file = readRoutes(assets + "/world/st01v002-pp.obj");
    ASSERT_GE(file.points.size(), 100u);
    EXPECT_TRUE(file.groupEnds.empty());
    float length = 0.0f;
    for (size_t i = 0; i < file.points.size(); ++i) {
        const glm::vec3& p = file.points[i];
        EXPECT_LE(std::fabs(p.x), 700.0f);
        EXPECT_LE(std::fabs(p.z), 700.0f);
        float above = p.y - heightmap.heightAt(p.x, p.z);
        EXPECT_GE(above, 1.0f) << "point " << i;
        EXPECT_LE(above, 4.0f) << "point " << i;
        if (i > 0) {
            float gap = glm::length(p - file.points[i - 1]);
            EXPECT_GE(gap, 2.0f) << "point " << i;
            EXPECT_LE(gap, 15.0f) << "point " << i;
            length += gap;
        }
    }
    EXPECT_GT(length, 2000.0f);
    EXPECT_LT(length, 3200.0f);
}

// OpenGL's cube-map face table: the direction of texel (s, t), t along the
// rows as uploaded (FreeImage's bottom-up order).
glm::vec3 cubeDirection(int face, float s, float t) {
    float sc = 2.0f * s - 1.0f, tc = 2.0f * t - 1.0f;
    switch (face) {
        case 0: return {1.0f, -tc, -sc};
        case 1: return {-1.0f, -tc, sc};
        case 2: return {sc, 1.0f, tc};
        case 3: return {sc, -1.0f, -tc};
        case 4: return {sc, -tc, 1.0f};
        default: return {-sc, -tc, -1.0f};
    }
}

TEST(Sky, FacesAreEqualSquaresBrightestTowardsTheSun) {
    const char* names[6] = {"right", "left", "top", "bottom", "back", "front"};
    int bestFace = -1;
    unsigned bestX = 0, bestY = 0, bestSum = 0, size = 0;
    for (int face = 0; face < 6; ++face) {
        Bitmap image(assets + "/Skybox/" + names[face] + ".jpg");
        ASSERT_NE(image.bitmap, nullptr) << names[face];
        EXPECT_EQ(image.width(), image.height());
        EXPECT_EQ(image.bpp(), 24u);
        if (face == 0) size = image.width();
        EXPECT_EQ(image.width(), size);
        for (unsigned y = 0; y < image.height(); ++y)
            for (unsigned x = 0; x < image.width(); ++x) {
                RGBQUAD q = image.pixel(x, y);
                unsigned sum = unsigned(q.rgbRed) + q.rgbGreen + q.rgbBlue;
                if (sum > bestSum) {
                    bestSum = sum;
                    bestFace = face;
                    bestX = x;
                    bestY = y;
                }
            }
    }
    ASSERT_GE(bestFace, 0);
    glm::vec3 brightest = glm::normalize(cubeDirection(bestFace, (float(bestX) + 0.5f) / float(size), (float(bestY) + 0.5f) / float(size)));
    glm::vec3 sun = glm::normalize(glm::vec3(350.0f, 70.0f, 350.0f));
    EXPECT_GT(glm::dot(brightest, sun), std::cos(glm::radians(3.0f))) << "brightest texel on face " << bestFace;
}

TEST(Sky, ReflectionMapIsTheSkyInLatitudeAndLongitude) {
    // u = 0.5 + atan2(z, x) / 2pi around, v = 0.5 + asin(y) / pi up (v = 0 is the
    // bottom row, FreeImage's first): the environment shader samples it so.
    Bitmap image(assets + "/world/RadarDomeEnvironment.jpg");
    ASSERT_NE(image.bitmap, nullptr);
    EXPECT_EQ(image.width(), 2 * image.height());
    unsigned bestX = 0, bestY = 0, bestSum = 0;
    double upper = 0.0, lower = 0.0;
    for (unsigned y = 0; y < image.height(); ++y)
        for (unsigned x = 0; x < image.width(); ++x) {
            RGBQUAD q = image.pixel(x, y);
            unsigned sum = unsigned(q.rgbRed) + q.rgbGreen + q.rgbBlue;
            (y < image.height() / 2 ? lower : upper) += q.rgbBlue;
            if (sum > bestSum) {
                bestSum = sum;
                bestX = x;
                bestY = y;
            }
        }
    float azimuth = ((float(bestX) + 0.5f) / float(image.width()) - 0.5f) * 6.2831853f;
    float elevation = ((float(bestY) + 0.5f) / float(image.height()) - 0.5f) * 3.1415927f;
    glm::vec3 brightest(std::cos(elevation) * std::cos(azimuth), std::sin(elevation), std::cos(elevation) * std::sin(azimuth));
    EXPECT_GT(glm::dot(brightest, glm::normalize(glm::vec3(350.0f, 70.0f, 350.0f))), std::cos(glm::radians(3.0f)));
    EXPECT_GT(upper, lower) << "the blue sky belongs in the upper half";
}

TEST(Screens, AreWideImagesWithRowsOfWholeWords) {
    for (const char* name : {"loadingScreen", "waitingScreen", "winningScreen", "losingScreen"}) {
        Bitmap image(assets + "/" + name + ".jpg");
        ASSERT_NE(image.bitmap, nullptr) << name;
        EXPECT_EQ(image.width(), 1280u);
        EXPECT_EQ(image.height(), 720u);
        EXPECT_EQ(image.bpp(), 24u);
        // The top-left corner carries the game's white text: it must stay dark.
        double sum = 0.0;
        for (unsigned y = 720 - 160; y < 720; ++y)
            for (unsigned x = 0; x < 420; ++x) {
                RGBQUAD q = image.pixel(x, y);
                sum += (q.rgbRed + q.rgbGreen + q.rgbBlue) / 3.0;
            }
        EXPECT_LT(sum / (160.0 * 420.0), 90.0) << name;
    }
}

TEST(Font, OpensAndRendersPrintableAscii) {
    std::string path = assets + "/Fonts/AmericanCaptain.ttf";
    EXPECT_TRUE(fs::exists(assets + "/Fonts/AmericanCaptain-LICENSE.txt"));
    FT_Library library;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    FT_Face face;
    ASSERT_EQ(FT_New_Face(library, path.c_str(), 0, &face), 0);
    FT_Set_Pixel_Sizes(face, 0, 30);
    for (int c = 32; c < 127; ++c) {
        ASSERT_EQ(FT_Load_Char(face, FT_ULong(c), FT_LOAD_RENDER), 0) << char(c);
        EXPECT_GT(face->glyph->advance.x, 0) << char(c);
        if (c != ' ') {
            EXPECT_GT(face->glyph->bitmap.width * face->glyph->bitmap.rows, 0u) << char(c);
        }
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

std::map<std::string, std::string> treeContents(const fs::path& root) {
    std::map<std::string, std::string> files;
    for (const auto& entry : fs::recursive_directory_iterator(root)) {
        if (!entry.is_regular_file()) continue;
        std::ifstream in(entry.path(), std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        files[fs::relative(entry.path(), root).string()] = bytes.str();
    }
    return files;
}

TEST(Generator, TwoRunsWriteTheSameBytes) {
    fs::path scratch = fs::path(SANDLARK_TEST_OUTPUT_DIR) / "assetgen-twice";
    fs::remove_all(scratch);
    std::vector<std::map<std::string, std::string>> runs;
    for (const char* run : {"first", "second"}) {
        fs::path out = scratch / run;
        std::string command = std::string("\"") + ASSETGEN_EXECUTABLE + "\" \"" + out.string() + "\" \"" + ASSETGEN_FONT_FILE + "\" \"" +
                              ASSETGEN_FONT_LICENCE + "\" > /dev/null";
        ASSERT_EQ(std::system(command.c_str()), 0) << command;
        runs.push_back(treeContents(out));
    }
    ASSERT_GT(runs[0].size(), 50u);
    ASSERT_EQ(runs[0].size(), runs[1].size());
    for (const auto& [name, bytes] : runs[0]) {
        auto other = runs[1].find(name);
        ASSERT_NE(other, runs[1].end()) << name;
        EXPECT_TRUE(bytes == other->second) << name << " differs between runs";
    }
    fs::remove_all(scratch);
}
}  // namespace
