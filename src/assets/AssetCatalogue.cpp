#include "assets/AssetCatalogue.h"

#include "app/Platform.h"
#include "app/Settings.h"
#include "assets/ModelLoader.h"
#include "game/ParticleEmitter.h"
#include "game/ProjectileSystem.h"
#include "render/TextRenderer.h"

#include <glm/mat4x4.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <array>
#include <filesystem>

std::unique_ptr<ShaderProgram> defaultProgram;
std::unique_ptr<ShaderProgram> normalProgram;
std::unique_ptr<ShaderProgram> skyboxProgram;
std::unique_ptr<ShaderProgram> environmentProgram;
std::unique_ptr<ShaderProgram> shadowMappingProgram;
std::unique_ptr<ShaderProgram> textProgram;
std::unique_ptr<ShaderProgram> dustProgram;
std::unique_ptr<ShaderProgram> cockpitGlassProgram;
std::unique_ptr<ShaderProgram> velocityProgram;

std::unique_ptr<Mesh> crawlerModelMesh;
std::unique_ptr<Mesh> crawlerBaseMesh;
std::unique_ptr<Mesh> crawlerBase1Mesh;
std::unique_ptr<Mesh> crawlerBase3Mesh;
std::unique_ptr<Mesh> crawlerBodyMesh;
std::unique_ptr<Mesh> duckMesh;
std::unique_ptr<Mesh> droneMesh;
std::unique_ptr<Mesh> destroyedCrawlerMesh;
std::unique_ptr<Mesh> cannonMesh;
std::unique_ptr<Mesh> projectileMesh;
std::unique_ptr<Mesh> projectileParticleMesh;
std::unique_ptr<Mesh> explosionMesh;
std::unique_ptr<Mesh> groundMesh;
std::unique_ptr<Mesh> rockMesh;
std::unique_ptr<Mesh> dustCloudMesh;
std::unique_ptr<Mesh> fireballMesh;
std::unique_ptr<Mesh> radarDomeMesh;

std::unique_ptr<TextRenderer> textRenderer;

namespace {

// The models in import order, with the normal and reflection maps handed to the
// import ("" for none). The marble box is imported without a mesh made from it.
enum ModelIndex {
    crawlerModel, crawlerBase, crawlerBase1, crawlerBase3, crawlerBody, duck, marbleBox, destroyedCrawler,
    projectile, explosion, cannon, drone, ground, rock, radarDome, dustCloud, fireball, modelCount
};

struct ModelFile {
    const char* path;
    const char* normalMap;
    const char* reflectionMap;
};

constexpr std::array<ModelFile, modelCount> modelFiles = {{
    {"Assets\\MGCrawlerModel03.obj", "Assets\\MGCrawlerMapMetal01.jpg", ""},
    {"Assets\\MGCrawler_Base.obj", "", ""},
    {"Assets\\MGCrawler_Base1.obj", "", ""},
    {"Assets\\MGCrawler_Base3.obj", "", ""},
    {"Assets\\MGCrawler_Body.obj", "", ""},
    {"Assets\\duck.obj", "", ""},
    {"Assets\\marbleBox\\marbleBox.obj", "Assets\\marbleBox\\marbleBoxNormal.jpg", ""},
    {"Assets\\DestroyedMGCrawler01.obj", "", ""},
    {"Assets\\Gameobjects\\projectile02.obj", "", ""},
    {"Assets\\Gameobjects\\simpleExplosion.obj", "", ""},
    {"Assets\\Gameobjects\\p_cannon.obj", "", ""},
    {"Assets\\e_drone01.obj", "Assets\\DroneNormalMap.jpg", ""},
    {"Assets\\world\\st01v002-ground.obj", "", ""},
    {"Assets\\world\\w_rock02.obj", "Assets\\world\\rock02_normal.jpg", ""},
    {"Assets\\world\\w_radarDome.obj", "", "Assets\\world\\RadarDomeEnvironment.jpg"},
    {"Assets\\world\\w_dustCloud.obj", "", ""},
    {"Assets\\world\\e_fireball.obj", "", ""},
}};

// Programs whose sources are not written yet are left empty rather than ending
// the process, so the level loads while the renderer grows.
std::unique_ptr<ShaderProgram> programIfPresent(const char* vertexPath, const char* fragmentPath)
{
    std::error_code error;
    if (!std::filesystem::exists(resolvePath(vertexPath), error) ||
        !std::filesystem::exists(resolvePath(fragmentPath), error))
        return nullptr;
    return createShaderProgram(vertexPath, fragmentPath);
}

// Maps -1..1 to 0..1 on every axis: light clip space to shadow-map coordinates.
void setShadowMappingBiasMatrix()
{
    const glm::mat4 bias(0.5f, 0.0f, 0.0f, 0.0f, //
                         0.0f, 0.5f, 0.0f, 0.0f, //
                         0.0f, 0.0f, 0.5f, 0.0f, //
                         0.5f, 0.5f, 0.5f, 1.0f);
    glUseProgram(defaultProgram->program);
    const GLint location = glGetUniformLocation(defaultProgram->program, "shadowMappingBiasMatrix");
    if (location != -1)
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(bias));
    glUseProgram(0);
}

// The program a mesh is built with, or the default one while its own does not exist yet.
ShaderProgram* programOrDefault(const std::unique_ptr<ShaderProgram>& program)
{
    return program ? program.get() : defaultProgram.get();
}

} // namespace

void loadAssets()
{
    std::array<MeshData, modelCount> records;
    ModelLoader loader;
    for (int i = 0; i < modelCount; ++i)
        loader.load(records[i], modelFiles[i].path, modelFiles[i].normalMap, modelFiles[i].reflectionMap);

    defaultProgram = createShaderProgram("Shaders\\default.vert", "Shaders\\default.frag");
    normalProgram = createShaderProgram("Shaders\\normal.vert", "Shaders\\normal.frag");
    skyboxProgram = programIfPresent("Shaders\\skybox.vert", "Shaders\\skybox.frag");
    environmentProgram = programIfPresent("Shaders\\environment.vert", "Shaders\\environment.frag");
    shadowMappingProgram = programIfPresent("Shaders\\shadowmapping.vert", "Shaders\\shadowmapping.frag");
    textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
    dustProgram = createShaderProgram("Shaders\\default.vert", "Shaders\\dustTr.frag");
    cockpitGlassProgram = programIfPresent("Shaders\\cockpitglass.vert", "Shaders\\cockpitglass.frag");
    velocityProgram = programIfPresent("Shaders\\velocity.vert", "Shaders\\velocity.frag");

    setShadowMappingBiasMatrix();

    ShaderProgram* standard = defaultProgram.get();
    crawlerModelMesh = std::make_unique<Mesh>(records[crawlerModel], standard);
    crawlerBaseMesh = std::make_unique<Mesh>(records[crawlerBase], standard);
    crawlerBase1Mesh = std::make_unique<Mesh>(records[crawlerBase1], standard);
    crawlerBase3Mesh = std::make_unique<Mesh>(records[crawlerBase3], standard);
    crawlerBodyMesh = std::make_unique<Mesh>(records[crawlerBody], standard);
    duckMesh = std::make_unique<Mesh>(records[duck], standard);
    droneMesh = std::make_unique<Mesh>(records[drone], normalProgram.get());
    destroyedCrawlerMesh = std::make_unique<Mesh>(records[destroyedCrawler], standard);
    cannonMesh = std::make_unique<Mesh>(records[cannon], programOrDefault(cockpitGlassProgram));
    projectileMesh = std::make_unique<Mesh>(records[projectile], standard);
    projectileParticleMesh = std::make_unique<Mesh>(records[projectile], standard);
    explosionMesh = std::make_unique<Mesh>(records[explosion], standard);

    // The weapons live for the whole process; every level hands them the new
    // projectile mesh with their rate and size.
    armWeapon(playerWeapon, projectileMesh.get());
    armWeapon(enemyWeapon, projectileMesh.get());

    groundMesh = std::make_unique<Mesh>(records[ground], standard);
    rockMesh = std::make_unique<Mesh>(records[rock], normalProgram.get());
    dustCloudMesh = std::make_unique<Mesh>(records[dustCloud], dustProgram.get());
    fireballMesh = std::make_unique<Mesh>(records[fireball], dustProgram.get());
    radarDomeMesh = std::make_unique<Mesh>(records[radarDome], programOrDefault(environmentProgram));

    createEmitters(projectileParticleMesh.get(), dustCloudMesh.get(), fireballMesh.get(), fParticleDensity);

    textRenderer = std::make_unique<TextRenderer>(static_cast<float>(screenwidth), static_cast<float>(screenheight));
    // The records go here; the arrays and images they share live on in the meshes.
}

void releaseAssets()
{
    crawlerModelMesh.reset();
    crawlerBaseMesh.reset();
    crawlerBase1Mesh.reset();
    crawlerBase3Mesh.reset();
    crawlerBodyMesh.reset();
    destroyedCrawlerMesh.reset();
    projectileMesh.reset();
    explosionMesh.reset();
    duckMesh.reset();
    groundMesh.reset();
    rockMesh.reset();
    dustCloudMesh.reset();
    fireballMesh.reset();
    radarDomeMesh.reset();
    projectileParticleMesh.reset();
    cannonMesh.reset();
    droneMesh.reset();

    defaultProgram.reset();
    normalProgram.reset();
    skyboxProgram.reset();
    environmentProgram.reset();
    shadowMappingProgram.reset();
    textProgram.reset();
    cockpitGlassProgram.reset();
    dustProgram.reset();
    velocityProgram.reset();

    textRenderer.reset();
}

void applyTextureFilters(int textureSamplingMode, int mipmapMode)
{
    for (Mesh* mesh : {crawlerModelMesh.get(), projectileMesh.get(), explosionMesh.get(),
                       projectileParticleMesh.get(), groundMesh.get(), rockMesh.get()})
        if (mesh)
            mesh->setupTextures(textureSamplingMode, mipmapMode);
}
