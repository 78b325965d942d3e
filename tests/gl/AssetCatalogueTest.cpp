// loadAssets and releaseAssets on a game directory of small fixture models.
#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Shutdown.h"
#include "assets/AssetCatalogue.h"
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
    }

    void TearDown() override
    {
        assets = Assets{};
        fs::current_path(previous);
    }

    // Loads the catalogue; its console lines go to `out`.
    void load()
    {
        ::testing::internal::CaptureStdout();
        assets = loadAssets();
        out = ::testing::internal::GetCapturedStdout();
    }

    std::vector<Mesh*> allMeshes() const
    {
        const Assets& a = assets;
        return {a.crawlerModelMesh.get(), a.crawlerBaseMesh.get(), a.crawlerBase1Mesh.get(),
                a.crawlerBase3Mesh.get(), a.crawlerBodyMesh.get(), a.duckMesh.get(),
                a.droneMesh.get(),        a.destroyedCrawlerMesh.get(), a.cannonMesh.get(),
                a.projectileMesh.get(),   a.projectileParticleMesh.get(), a.explosionMesh.get(),
                a.groundMesh.get(),       a.rockMesh.get(), a.dustCloudMesh.get(),
                a.fireballMesh.get(),     a.radarDomeMesh.get()};
    }

    std::string dir;
    fs::path previous;
    Assets assets;
    std::string out;
};

TEST_F(AssetCatalogueTest, LoadsEveryModelInOrderAndReleasesEverything)
{
    load();
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
    EXPECT_EQ(assets.droneMesh->program, assets.normalProgram.get());
    EXPECT_EQ(assets.rockMesh->program, assets.normalProgram.get());
    EXPECT_EQ(assets.dustCloudMesh->program, assets.dustProgram.get());
    EXPECT_EQ(assets.groundMesh->program, assets.defaultProgram.get());
    // Each model is its own record: the ground is the 13th triangle, size 13.
    EXPECT_EQ(assets.groundMesh->size, glm::vec3(13, 13, 0));
    EXPECT_EQ(assets.crawlerModelMesh->size, glm::vec3(1, 1, 0));
    EXPECT_TRUE(assets.crawlerModelMesh->data.hasNormalMap) << "the crawler's metal map is named";

    // Two meshes of the one projectile import: same vertex data, own GL objects.
    EXPECT_EQ(assets.projectileMesh->data.positions, assets.projectileParticleMesh->data.positions);
    EXPECT_NE(assets.projectileMesh->vao.get(), assets.projectileParticleMesh->vao.get());
    EXPECT_NE(assets.projectileMesh->colorTexture.get(), assets.projectileParticleMesh->colorTexture.get());

    // The one uniform that never changes.
    glUseProgram(assets.defaultProgram->program);
    float bias[16] = {};
    glGetUniformfv(assets.defaultProgram->program, glGetUniformLocation(assets.defaultProgram->program, "shadowMappingBiasMatrix"),
                   bias);
    glUseProgram(0);
    EXPECT_FLOAT_EQ(bias[0], 0.5f);
    EXPECT_FLOAT_EQ(bias[12], 0.5f);
    EXPECT_FLOAT_EQ(bias[14], 0.5f);
    EXPECT_FLOAT_EQ(bias[15], 1.0f);

    const GLuint vertexArray = assets.groundMesh->vao, texture = assets.groundMesh->colorTexture;
    const GLuint program = assets.defaultProgram->program;
    assets = Assets{};
    for (Mesh* mesh : allMeshes())
        EXPECT_EQ(mesh, nullptr);
    EXPECT_EQ(assets.defaultProgram, nullptr);
    EXPECT_FALSE(glIsVertexArray(vertexArray));
    EXPECT_FALSE(glIsTexture(texture));
    EXPECT_FALSE(glIsProgram(program));
}

TEST_F(AssetCatalogueTest, TextureTogglesReachTheSixMeshesOnly)
{
    load();
    const GLuint duckTexture = assets.duckMesh->colorTexture;
    std::vector<GLuint> before;
    const std::vector<Mesh*> toggled = {assets.crawlerModelMesh.get(), assets.projectileMesh.get(), assets.explosionMesh.get(),
                                        assets.projectileParticleMesh.get(), assets.groundMesh.get(), assets.rockMesh.get()};
    for (Mesh* mesh : toggled)
        before.push_back(mesh->colorTexture);
    assets.applyTextureFilters(2, 2);
    for (size_t i = 0; i < toggled.size(); ++i) {
        EXPECT_FALSE(glIsTexture(before[i])) << i;
        GLint magFilter = 0;
        glBindTexture(GL_TEXTURE_2D, toggled[i]->colorTexture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        EXPECT_EQ(magFilter, GL_NEAREST) << i;
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(assets.duckMesh->colorTexture.get(), duckTexture) << "other meshes keep their filtering";
}

} // namespace

TEST_F(AssetCatalogueTest, EveryLevelArmsTheWeaponsAndCreatesTheEmittersAndItsCleanUpTakesThem)
{
    Game& g = game();
    World& world = g.world;
    for (int level = 0; level < 2; ++level) {
        load();
        g.assets = std::move(assets);
        g.textRenderer = std::make_unique<TextRenderer>(320.0f, 240.0f, g.assets.textProgram.get());
        EXPECT_EQ(g.textRenderer->glyphs.size(), 128u);
        const GLuint glyph = g.textRenderer->glyphs.at('A').texture;
        armLevel(world, levelMeshes(g.assets), 3);
        for (const ProjectileSystem* weapon : {&world.playerWeapon, &world.enemyWeapon}) {
            EXPECT_EQ(weapon->model, g.assets.projectileMesh.get()) << "the new level's projectile, not a released one";
            EXPECT_EQ(weapon->interval, 0.2f);
            EXPECT_EQ(weapon->spawnScale, 0.5f);
        }
        ASSERT_TRUE(world.debrisEmitter && world.dustEmitter && world.fireballEmitter);
        EXPECT_EQ(world.debrisEmitter->model, g.assets.projectileParticleMesh.get());
        EXPECT_EQ(world.dustEmitter->model, g.assets.dustCloudMesh.get());
        EXPECT_EQ(world.fireballEmitter->model, g.assets.fireballMesh.get());
        EXPECT_EQ(world.debrisEmitter->count, 90.0f);
        EXPECT_EQ(world.fireballEmitter->count, 30.0f);

        world.playerWeapon.spawn({0, 0, 0}, {0, 0, 100}, 10.0 + level);
        world.debrisEmitter->burst({0, 0, 0}, 10.0 + level);
        const GLuint program = g.assets.defaultProgram->program;
        ::testing::internal::CaptureStdout();
        cleanup();
        EXPECT_EQ(::testing::internal::GetCapturedStdout(), "Cleaning up...\n");
        EXPECT_TRUE(world.playerWeapon.objects.empty()) << "shots do not outlive their level";
        EXPECT_EQ(world.playerWeapon.interval, 0.2f) << "the weapon itself stays";
        EXPECT_FALSE(world.debrisEmitter || world.dustEmitter || world.fireballEmitter);
        EXPECT_EQ(g.textRenderer, nullptr);
        EXPECT_EQ(g.assets.groundMesh, nullptr);
        EXPECT_FALSE(glIsTexture(glyph));
        EXPECT_FALSE(glIsProgram(program));
    }
}
