#include "assets/AssetCatalogue.h"

#include "assets/ModelLoader.h"

#include <glm/mat4x4.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <array>

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

// Maps -1..1 to 0..1 on every axis: light clip space to shadow-map coordinates.
void setShadowMappingBiasMatrix(const ShaderProgram& program)
{
    const glm::mat4 bias(0.5f, 0.0f, 0.0f, 0.0f, //
                         0.0f, 0.5f, 0.0f, 0.0f, //
                         0.0f, 0.0f, 0.5f, 0.0f, //
                         0.5f, 0.5f, 0.5f, 1.0f);
    glUseProgram(program.program);
    const GLint location = glGetUniformLocation(program.program, "shadowMappingBiasMatrix");
    if (location != -1)
        glUniformMatrix4fv(location, 1, GL_FALSE, glm::value_ptr(bias));
    glUseProgram(0);
}

} // namespace

Assets loadAssets()
{
    std::array<MeshData, modelCount> records;
    ModelLoader loader;
    for (int i = 0; i < modelCount; ++i)
        loader.load(records[i], modelFiles[i].path, modelFiles[i].normalMap, modelFiles[i].reflectionMap);

    Assets assets;
    assets.defaultProgram = createShaderProgram("Shaders\\default.vert", "Shaders\\default.frag");
    assets.normalProgram = createShaderProgram("Shaders\\normal.vert", "Shaders\\normal.frag");
    assets.skyboxProgram = createShaderProgram("Shaders\\skybox.vert", "Shaders\\skybox.frag");
    assets.environmentProgram = createShaderProgram("Shaders\\environment.vert", "Shaders\\environment.frag");
    assets.shadowMappingProgram = createShaderProgram("Shaders\\shadowmapping.vert", "Shaders\\shadowmapping.frag");
    assets.textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
    assets.dustProgram = createShaderProgram("Shaders\\default.vert", "Shaders\\dustTr.frag");
    assets.cockpitGlassProgram = createShaderProgram("Shaders\\cockpitglass.vert", "Shaders\\cockpitglass.frag");
    assets.velocityProgram = createShaderProgram("Shaders\\velocity.vert", "Shaders\\velocity.frag");

    setShadowMappingBiasMatrix(*assets.defaultProgram);

    ShaderProgram* standard = assets.defaultProgram.get();
    auto build = [&records](ModelIndex model, ShaderProgram* program) {
        return std::make_unique<Mesh>(records[model], program);
    };
    assets.crawlerModelMesh = build(crawlerModel, standard);
    assets.crawlerBaseMesh = build(crawlerBase, standard);
    assets.crawlerBase1Mesh = build(crawlerBase1, standard);
    assets.crawlerBase3Mesh = build(crawlerBase3, standard);
    assets.crawlerBodyMesh = build(crawlerBody, standard);
    assets.duckMesh = build(duck, standard);
    assets.droneMesh = build(drone, assets.normalProgram.get());
    assets.destroyedCrawlerMesh = build(destroyedCrawler, standard);
    assets.cannonMesh = build(cannon, assets.cockpitGlassProgram.get());
    assets.projectileMesh = build(projectile, standard);
    assets.projectileParticleMesh = build(projectile, standard);
    assets.explosionMesh = build(explosion, standard);
    assets.groundMesh = build(ground, standard);
    assets.rockMesh = build(rock, assets.normalProgram.get());
    assets.dustCloudMesh = build(dustCloud, assets.dustProgram.get());
    assets.fireballMesh = build(fireball, assets.dustProgram.get());
    assets.radarDomeMesh = build(radarDome, assets.environmentProgram.get());

    assets.skybox = std::make_unique<Skybox>(assets.skyboxProgram.get());
    assets.skybox->createGeometry();
    assets.skybox->loadCubeMap();
    // The records go here; the arrays and images they share live on in the meshes.
    return assets;
}

void Assets::applyTextureFilters(int textureSamplingMode, int mipmapMode)
{
    for (Mesh* mesh : {crawlerModelMesh.get(), projectileMesh.get(), explosionMesh.get(), projectileParticleMesh.get(),
                       groundMesh.get(), rockMesh.get()})
        if (mesh)
            mesh->setupTextures(textureSamplingMode, mipmapMode);
}
