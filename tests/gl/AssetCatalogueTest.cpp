// loadAssets and releaseAssets on a game directory of small fixture models.
#include "app/Settings.h"
#include "app/Shutdown.h"
#include "assets/AssetCatalogue.h"
#include "game/ParticleEmitter.h"
#include "game/ProjectileSystem.h"
#include "render/TextRenderer.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <sstream>

namespace fs = std::filesystem;

namespace {

const char* const modelPaths[] = {
    "Assets/MGCrawlerModel03.obj",          "Assets/MGCrawler_Base.obj",         "Assets/MGCrawler_Base1.obj",
    "Assets/MGCrawler_Base3.obj",           "Assets/MGCrawler_Body.obj",         "Assets/duck.obj",
    "Assets/marbleBox/marbleBox.obj",       "Assets/DestroyedMGCrawler01.obj",   "Assets/Gameobjects/projectile02.obj",
    "Assets/Gameobjects/simpleExplosion.obj", "Assets/Gameobjects/p_cannon.obj", "Assets/e_drone01.obj",
    "Assets/World/st01v002-ground.obj",     "Assets/World/w_rock02.obj",         "Assets/World/w_radarDome.obj",
    "Assets/World/w_dustCloud.obj",         "Assets/World/e_fireball.obj",
};

class AssetCatalogueTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requireGlContext();
        dir = makeScratchDirectory("catalogue");
        fs::create_directory_symlink(std::string(SANDLARK_SOURCE_DIR) + "/Shaders", dir + "/Shaders");
        // One small textured triangle per model; the folder "World" is spelt
        // with another case than the game's "world".
        int size = 1;
        for (const char* path : modelPaths) {
            const fs::path model = fs::path(dir) / path;
            fs::create_directories(model.parent_path());
            std::ostringstream obj;
            obj << "mtllib m.mtl\nv 0 0 0\nv " << size << " 0 0\nv 0 " << size << " 0\n"
                << "vt 0 0\nvt 1 0\nvt 0 1\nvn 0 0 1\nusemtl m\nf 1/1/1 2/2/1 3/3/1\n";
            writeFile(model.string(), obj.str());
            writeFile((model.parent_path() / "m.mtl").string(), "newmtl m\nKd 1 0.5 0.25\nmap_Kd t.bmp\n");
            writeColorImage((model.parent_path() / "t.bmp").string(), 4, 4, [](int, int) { return Rgb{9, 9, 9}; });
            ++size;
        }
        fs::create_directories(dir + "/Assets/Fonts");
        fs::copy_file("/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf",
                      dir + "/Assets/Fonts/AmericanCaptain.ttf");
        previous = fs::current_path();
        fs::current_path(dir);
        screenwidth = 320;
        screenheight = 240;
    }

    void TearDown() override
    {
        releaseAssets();
        fs::current_path(previous);
        resetSettings();
    }

    std::string dir;
    fs::path previous;
};

std::vector<Mesh*> allMeshes()
{
    return {crawlerModelMesh.get(), crawlerBaseMesh.get(),      crawlerBase1Mesh.get(), crawlerBase3Mesh.get(),
            crawlerBodyMesh.get(),  duckMesh.get(),             droneMesh.get(),        destroyedCrawlerMesh.get(),
            cannonMesh.get(),       projectileMesh.get(),       projectileParticleMesh.get(), explosionMesh.get(),
            groundMesh.get(),       rockMesh.get(),             dustCloudMesh.get(),    fireballMesh.get(),
            radarDomeMesh.get()};
}

TEST_F(AssetCatalogueTest, LoadsEveryModelInOrderAndReleasesEverything)
{
    ::testing::internal::CaptureStdout();
    loadAssets();
    const std::string out = ::testing::internal::GetCapturedStdout();

    std::string expected;
    for (const char* path : modelPaths) {
        std::string game = path;
        std::replace(game.begin(), game.end(), '/', '\\');
        if (game.find("\\World\\") != std::string::npos)
            game.replace(game.find("\\World\\"), 7, "\\world\\");
        expected += "Load model " + game + "\nModel " + game + " loaded\n";
    }
    EXPECT_EQ(out, expected);

    for (Mesh* mesh : allMeshes())
        ASSERT_NE(mesh, nullptr);
    ASSERT_NE(textRenderer, nullptr);
    EXPECT_EQ(textRenderer->glyphs.size(), 128u);
    EXPECT_EQ(droneMesh->program, normalProgram.get());
    EXPECT_EQ(rockMesh->program, normalProgram.get());
    EXPECT_EQ(dustCloudMesh->program, dustProgram.get());
    EXPECT_EQ(groundMesh->program, defaultProgram.get());
    // Each model is its own record: the ground is the 13th triangle, size 13.
    EXPECT_EQ(groundMesh->size, glm::vec3(13, 13, 0));
    EXPECT_EQ(crawlerModelMesh->size, glm::vec3(1, 1, 0));
    EXPECT_TRUE(crawlerModelMesh->data.hasNormalMap) << "the crawler's metal map is named";

    // Two meshes of the one projectile import: same vertex data, own GL objects.
    EXPECT_EQ(projectileMesh->data.positions, projectileParticleMesh->data.positions);
    EXPECT_NE(projectileMesh->vao.get(), projectileParticleMesh->vao.get());
    EXPECT_NE(projectileMesh->colorTexture.get(), projectileParticleMesh->colorTexture.get());

    // The one uniform that never changes.
    glUseProgram(defaultProgram->program);
    float bias[16] = {};
    glGetUniformfv(defaultProgram->program, glGetUniformLocation(defaultProgram->program, "shadowMappingBiasMatrix"),
                   bias);
    glUseProgram(0);
    EXPECT_FLOAT_EQ(bias[0], 0.5f);
    EXPECT_FLOAT_EQ(bias[12], 0.5f);
    EXPECT_FLOAT_EQ(bias[14], 0.5f);
    EXPECT_FLOAT_EQ(bias[15], 1.0f);

    const GLuint vertexArray = groundMesh->vao, texture = groundMesh->colorTexture;
    const GLuint glyph = textRenderer->glyphs.at('A').texture, program = defaultProgram->program;
    releaseAssets();
    for (Mesh* mesh : allMeshes())
        EXPECT_EQ(mesh, nullptr);
    EXPECT_EQ(textRenderer, nullptr);
    EXPECT_EQ(defaultProgram, nullptr);
    EXPECT_FALSE(glIsVertexArray(vertexArray));
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsTexture(glyph));
    EXPECT_FALSE(glIsProgram(program));
}

TEST_F(AssetCatalogueTest, TextureTogglesReachTheSixMeshesOnly)
{
    ::testing::internal::CaptureStdout();
    loadAssets();
    ::testing::internal::GetCapturedStdout();
    const GLuint duckTexture = duckMesh->colorTexture;
    std::vector<GLuint> before;
    const std::vector<Mesh*> toggled = {crawlerModelMesh.get(), projectileMesh.get(), explosionMesh.get(),
                                        projectileParticleMesh.get(), groundMesh.get(), rockMesh.get()};
    for (Mesh* mesh : toggled)
        before.push_back(mesh->colorTexture);
    applyTextureFilters(2, 2);
    for (size_t i = 0; i < toggled.size(); ++i) {
        EXPECT_FALSE(glIsTexture(before[i])) << i;
        GLint magFilter = 0;
        glBindTexture(GL_TEXTURE_2D, toggled[i]->colorTexture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(magFilter, GL_NEAREST) << i;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(duckMesh->colorTexture.get(), duckTexture) << "other meshes keep their filtering";
}

} // namespace

TEST_F(AssetCatalogueTest, ArmsTheWeaponsAndCreatesTheEmittersEveryLevel)
{
    fParticleDensity = 3;
    for (int level = 0; level < 2; ++level) {
        ::testing::internal::CaptureStdout();
        loadAssets();
        ::testing::internal::GetCapturedStdout();
        for (const ProjectileSystem* weapon : {&playerWeapon, &enemyWeapon}) {
            EXPECT_EQ(weapon->model, projectileMesh.get()) << "the new level's projectile, not a released one";
            EXPECT_EQ(weapon->interval, 0.2f);
            EXPECT_EQ(weapon->spawnScale, 0.5f);
        }
        ASSERT_TRUE(debrisEmitter && dustEmitter && fireballEmitter);
        EXPECT_EQ(debrisEmitter->model, projectileParticleMesh.get());
        EXPECT_EQ(dustEmitter->model, dustCloudMesh.get());
        EXPECT_EQ(fireballEmitter->model, fireballMesh.get());
        EXPECT_EQ(debrisEmitter->count, 90.0f);
        EXPECT_EQ(fireballEmitter->count, 30.0f);

        playerWeapon.spawn({0, 0, 0}, {0, 0, 100}, 10.0 + level);
        debrisEmitter->burst({0, 0, 0}, 10.0 + level);
        ::testing::internal::CaptureStdout();
        cleanup();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Cleaning up...\n");
        EXPECT_TRUE(playerWeapon.objects.empty()) << "shots do not outlive their level";
        EXPECT_EQ(playerWeapon.interval, 0.2f) << "the weapon itself stays";
        EXPECT_FALSE(debrisEmitter || dustEmitter || fireballEmitter);
    }
}
