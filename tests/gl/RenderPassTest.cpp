// The render passes with the game's own shaders, read back: the render targets,
// the headlight's shadow, the lights, the sky, the haze and the composite.
#include "assets/Mesh.h"
#include "assets/Skybox.h"
#include "game/Camera.h"
#include "game/GameObject.h"
#include "game/Light.h"
#include "render/FramePasses.h"
#include "render/Framebuffer.h"
#include "render/LightUniforms.h"
#include "render/ShadowMap.h"
#include "render/helpers/PostProcessing.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string shaderDir = std::string(SANDLARK_SOURCE_DIR) + "/Shaders/";
constexpr int width = 320, height = 240;

std::unique_ptr<ShaderProgram> buildProgram(const std::string& vertex, const std::string& fragment)
{
    ShaderBuildError error;
    auto program = ShaderProgram::tryBuild(shaderDir + vertex, shaderDir + fragment, error);
    EXPECT_NE(program, nullptr) << error.message << error.log.value_or("");
    return program;
}

// Corner arrays of triangles with one normal per triangle corner.
struct Triangles {
    std::vector<float> positions, normals;

    void quad(glm::vec3 a, glm::vec3 b, glm::vec3 c, glm::vec3 d, glm::vec3 normal)
    {
        for (const glm::vec3& corner : {a, b, c, a, c, d}) {
            positions.insert(positions.end(), {corner.x, corner.y, corner.z});
            normals.insert(normals.end(), {normal.x, normal.y, normal.z});
        }
    }

    MeshData meshData() const
    {
        MeshData data;
        data.positions = std::make_shared<std::vector<float>>(positions);
        data.normals = std::make_shared<std::vector<float>>(normals);
        data.hasPositions = data.hasNormals = true;
        data.vertexCount = data.drawCount = static_cast<std::uint32_t>(positions.size() / 3);
        data.faceCount = data.vertexCount / 3;
        data.boundsMin = glm::vec3(-1000.0f);
        data.boundsMax = glm::vec3(1000.0f);
        data.material.diffuse = glm::vec4(0.8f, 0.8f, 0.8f, 1.0f);
        return data;
    }
};

// Flat ground at height 0 from -half to half on x and z, in square cells like
// the level's ground.
MeshData ground(float half, float cell)
{
    Triangles triangles;
    for (float x = -half; x < half; x += cell)
        for (float z = -half; z < half; z += cell)
            triangles.quad({x, 0, z}, {x, 0, z + cell}, {x + cell, 0, z + cell}, {x + cell, 0, z}, {0, 1, 0});
    return triangles.meshData();
}

// An axis-aligned box standing on the ground (no bottom face).
MeshData box(glm::vec3 low, glm::vec3 high)
{
    Triangles t;
    t.quad({low.x, low.y, high.z}, {high.x, low.y, high.z}, {high.x, high.y, high.z}, {low.x, high.y, high.z}, {0, 0, 1});
    t.quad({high.x, low.y, low.z}, {low.x, low.y, low.z}, {low.x, high.y, low.z}, {high.x, high.y, low.z}, {0, 0, -1});
    t.quad({high.x, low.y, high.z}, {high.x, low.y, low.z}, {high.x, high.y, low.z}, {high.x, high.y, high.z}, {1, 0, 0});
    t.quad({low.x, low.y, low.z}, {low.x, low.y, high.z}, {low.x, high.y, high.z}, {low.x, high.y, low.z}, {-1, 0, 0});
    t.quad({low.x, high.y, high.z}, {high.x, high.y, high.z}, {high.x, high.y, low.z}, {low.x, high.y, low.z}, {0, 1, 0});
    return t.meshData();
}

void setMatrix(const ShaderProgram& program, const char* name, const glm::mat4& matrix)
{
    glUniformMatrix4fv(glGetUniformLocation(program.program, name), 1, GL_FALSE, glm::value_ptr(matrix));
}

// Where a world point lands in the window.
glm::ivec2 pixelOf(const glm::mat4& cameraMatrix, glm::vec3 point)
{
    const glm::vec4 clip = cameraMatrix * glm::vec4(point, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {static_cast<int>((ndc.x * 0.5f + 0.5f) * width), static_cast<int>((ndc.y * 0.5f + 0.5f) * height)};
}

int brightness(Rgb pixel)
{
    return pixel.r + pixel.g + pixel.b;
}

int colourDistance(Rgb a, Rgb b)
{
    return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
}

// The level's six lights, all dark but a dim sun, with light 3 a 15-degree
// headlight at `eye` looking at `target`.
std::vector<Light> headlightScene(glm::vec3 eye, glm::vec3 target)
{
    std::vector<Light> lights(6);
    for (Light& light : lights) {
        light.position = glm::vec4(0, -1000, 0, 1);
        light.attenuation = 10.0f;
        light.spotlightAngle = 180.0f;
    }
    lights[sunLight].position = glm::vec4(350, 70, 350, 0);
    lights[sunLight].color = glm::vec3(0.1f);
    lights[headlight].position = glm::vec4(eye, 1);
    lights[headlight].color = glm::vec3(1.0f);
    lights[headlight].attenuation = 0.01f;
    lights[headlight].spotlightAngle = 15.0f;
    lights[headlight].spotlightDirection = glm::normalize(target - eye);
    return lights;
}

// Makes `folder` the working directory, as the game runs in its game folder
// and opens its files by relative paths, and goes back afterwards.
class InFolder {
public:
    explicit InFolder(const std::string& folder) : previous(fs::current_path()) { fs::current_path(folder); }
    ~InFolder() { fs::current_path(previous); }

private:
    fs::path previous;
};

class RenderPassTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requireGlContext(width, height);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, width, height);
        glDisable(GL_BLEND);
        glEnable(GL_DEPTH_TEST);
        glDepthFunc(GL_LESS);
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glGetError();
    }

    void TearDown() override
    {
        glUseProgram(0);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glDisable(GL_DEPTH_TEST);
    }
};

// ---- Shader sources ----

// The lighting and the haze stand in several shader files, GLSL having no
// include: each copy, from its opening marker line to its closing one, must
// be the same, or one kind of mesh would be lit differently.
TEST(ShaderSources, SharedBlocksAreTheSameInEveryFileThatCarriesThem)
{
    struct Shared {
        const char* opening;
        const char* closing;
        std::vector<const char*> files;
    };
    const Shared blocks[] = {
        {"// ---- Scene lights for vertex shaders", "// ---- End of the scene lights ----", {"default.vert", "normal.vert"}},
        {"// ---- Scene lighting:", "// ---- End of the scene lighting ----", {"default.frag", "normal.frag", "dustTr.frag"}},
        {"// ---- Haze:", "// ---- End of the haze ----", {"default.vert", "normal.vert", "environment.vert"}},
    };
    for (const Shared& shared : blocks) {
        std::string first;
        for (const char* file : shared.files) {
            SCOPED_TRACE(testing::Message() << file << ": " << shared.opening);
            const std::string text = readFile(shaderDir + file);
            const std::size_t begin = text.find(shared.opening), end = text.find(shared.closing);
            ASSERT_NE(begin, std::string::npos);
            ASSERT_NE(end, std::string::npos);
            ASSERT_LT(begin, end);
            const std::string copy = text.substr(text.find('\n', begin), end - text.find('\n', begin));
            if (first.empty())
                first = copy;
            EXPECT_EQ(copy, first) << "differs from the copy in " << shared.files.front();
        }
    }
}

// ---- Render targets ----

GLint attachmentName(GLenum attachment)
{
    GLint name = -1;
    glGetFramebufferAttachmentParameteriv(GL_FRAMEBUFFER, attachment, GL_FRAMEBUFFER_ATTACHMENT_OBJECT_NAME, &name);
    return name;
}

GLint textureParameter(GLuint texture, GLenum parameter)
{
    GLint value = -1;
    glBindTexture(GL_TEXTURE_2D, texture);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, parameter, &value);
    return value;
}

TEST_F(RenderPassTest, TargetsHaveTheirSizesAndFormatsAndBindOneDrawBufferAtATime)
{
    testing::internal::CaptureStdout();
    Framebuffer target;
    ShadowMap shadowMap;
    ASSERT_TRUE(target.create(200, 120));
    ASSERT_TRUE(createShadowMap(shadowMap));
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "testing\ntesting\n");

    glBindFramebuffer(GL_FRAMEBUFFER, target.framebuffer);
    EXPECT_EQ(attachmentName(GL_COLOR_ATTACHMENT0), static_cast<GLint>(target.colorTexture.get()));
    EXPECT_EQ(attachmentName(GL_COLOR_ATTACHMENT1), static_cast<GLint>(target.velocityTexture.get()));
    EXPECT_EQ(attachmentName(GL_DEPTH_ATTACHMENT), static_cast<GLint>(target.depthBuffer.get()));
    for (GLuint texture : {target.colorTexture.get(), target.velocityTexture.get()}) {
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_WIDTH), 200);
        EXPECT_EQ(textureParameter(texture, GL_TEXTURE_HEIGHT), 120);
    }
    EXPECT_EQ(textureParameter(target.colorTexture, GL_TEXTURE_INTERNAL_FORMAT), GL_RGB);
    EXPECT_EQ(textureParameter(target.velocityTexture, GL_TEXTURE_INTERNAL_FORMAT), GL_RG16F);
    GLint depthWidth = 0, depthHeight = 0, depthBits = 0;
    glBindRenderbuffer(GL_RENDERBUFFER, target.depthBuffer);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_WIDTH, &depthWidth);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_HEIGHT, &depthHeight);
    glGetRenderbufferParameteriv(GL_RENDERBUFFER, GL_RENDERBUFFER_DEPTH_SIZE, &depthBits);
    EXPECT_EQ(depthWidth, 200);
    EXPECT_EQ(depthHeight, 120);
    EXPECT_GT(depthBits, 0);

    glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.shadowFramebuffer);
    EXPECT_EQ(attachmentName(GL_DEPTH_ATTACHMENT), static_cast<GLint>(shadowMap.shadowMapTexture.get()));
    EXPECT_EQ(textureParameter(shadowMap.shadowMapTexture, GL_TEXTURE_WIDTH), 1024);
    EXPECT_EQ(textureParameter(shadowMap.shadowMapTexture, GL_TEXTURE_HEIGHT), 1024);
    EXPECT_EQ(textureParameter(shadowMap.shadowMapTexture, GL_TEXTURE_INTERNAL_FORMAT), GL_DEPTH_COMPONENT32);
    GLint drawBuffer = -1;
    glGetIntegerv(GL_DRAW_BUFFER0, &drawBuffer);
    EXPECT_EQ(drawBuffer, GL_NONE) << "the shadow map has no colour";

    // Clearing through one selected target leaves the other image as it was.
    target.bind(RenderTarget::Color);
    glClearColor(0, 1, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    target.bind(RenderTarget::Velocity);
    GLint first = -1, second = -1;
    glGetIntegerv(GL_DRAW_BUFFER0, &first);
    glGetIntegerv(GL_DRAW_BUFFER1, &second);
    EXPECT_EQ(first, GL_COLOR_ATTACHMENT1);
    EXPECT_EQ(second, GL_NONE);
    glClearColor(0.25f, 0.5f, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    std::vector<float> velocity(200 * 120 * 2);
    glBindTexture(GL_TEXTURE_2D, target.velocityTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RG, GL_FLOAT, velocity.data());
    EXPECT_EQ(velocity[0], 0.25f);
    EXPECT_EQ(velocity[1], 0.5f);
    std::vector<unsigned char> color(200 * 120 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glBindTexture(GL_TEXTURE_2D, target.colorTexture);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGB, GL_UNSIGNED_BYTE, color.data());
    EXPECT_EQ(color[0], 0);
    EXPECT_EQ(color[1], 255) << "the velocity clear reached the colour image";
    glBindTexture(GL_TEXTURE_2D, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---- The lit shaders ----

// The lit program with a scene's camera, lights and shadow map, as the colour
// pass sets them.
class LitScene : public RenderPassTest {
protected:
    void SetUp() override
    {
        RenderPassTest::SetUp();
        lit = buildProgram("default.vert", "default.frag");
        shadowProgram = buildProgram("shadowmapping.vert", "shadowmapping.frag");
        ASSERT_TRUE(lit && shadowProgram);
        testing::internal::CaptureStdout();
        createShadowMap(shadowMap);
        testing::internal::GetCapturedStdout();
    }

    void look(glm::vec3 from, glm::vec3 to)
    {
        eye = from;
        camera = glm::perspective(glm::radians(50.0f), float(width) / height, 0.5f, 1000.0f) *
                 glm::lookAt(from, to, glm::vec3(0, 1, 0));
    }

    // Fills the shadow map from the headlight with `casters`.
    void shadowPass(const std::vector<Light>& lights, const std::vector<const Mesh*>& casters)
    {
        glUseProgram(shadowProgram->program);
        setLightViewProjection(*shadowProgram, lights[headlight]);
        setMatrix(*shadowProgram, "modelMatrix", glm::mat4(1.0f));
        glViewport(0, 0, shadowMapSize, shadowMapSize);
        glBindFramebuffer(GL_FRAMEBUFFER, shadowMap.shadowFramebuffer);
        glClear(GL_DEPTH_BUFFER_BIT);
        for (const Mesh* mesh : casters)
            mesh->draw(shadowProgram.get());
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        glViewport(0, 0, width, height);
    }

    // Draws `meshes` lit, into the cleared window.
    void colourPass(const std::vector<Light>& lights, const std::vector<const Mesh*>& meshes)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(lit->program);
        setMatrix(*lit, "cameraMatrix", camera);
        glUniform3fv(glGetUniformLocation(lit->program, "cameraPosition"), 1, glm::value_ptr(eye));
        setMatrix(*lit, "modelMatrix", glm::mat4(1.0f));
        setMatrix(*lit, "shadowMappingBiasMatrix",
                  glm::translate(glm::mat4(1.0f), glm::vec3(0.5f)) * glm::scale(glm::mat4(1.0f), glm::vec3(0.5f)));
        setLightUniforms(*lit, lights);
        setLightViewProjection(*lit, lights[headlight]);
        glActiveTexture(GL_TEXTURE4);
        glBindTexture(GL_TEXTURE_2D, shadowMap.shadowMapTexture);
        for (const Mesh* mesh : meshes)
            mesh->draw();
    }

    Rgb at(glm::vec3 point) const
    {
        const glm::ivec2 pixel = pixelOf(camera, point);
        return readPixel(pixel.x, pixel.y);
    }

    std::unique_ptr<ShaderProgram> lit, shadowProgram;
    ShadowMap shadowMap;
    glm::vec3 eye{0.0f};
    glm::mat4 camera{1.0f};
};

TEST_F(LitScene, HeadlightShadowFallsBehindAThinWallFromItsFootAndNowhereElse)
{
    // A headlight 12 up and 30 back shines past a wall 0.4 thick and 4 high
    // onto sand in 10-unit cells: the wall's shadow runs from its back face to
    // about z = -15. Seen from the side, so that the ground at its foot shows.
    look({30, 20, 2}, {0, 0, -6});
    const std::vector<Light> lights = headlightScene({0, 12, 30}, {0, 0, -5});
    Mesh sand(ground(60, 10), lit.get());
    Mesh wall(box({-2, 0, -0.2f}, {2, 4, 0.2f}), lit.get());

    shadowPass(lights, {&wall, &sand});
    colourPass(lights, {&sand, &wall});
    const Rgb atFoot = at({0, 0, -1.2f}), behind = at({0, 0, -10}), beside = at({7, 0, -10}),
              outside = at({20, 0, -10});
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // Lit by the headlight beside the wall, as dark as outside the cone behind
    // it, and already a unit behind its foot: the light that reaches the sand
    // there has come 1.5 units through the wall, and a bias that large would
    // let it through.
    EXPECT_GT(brightness(beside), brightness(outside) + 60) << "the headlight lights its cone";
    EXPECT_NEAR(brightness(behind), brightness(outside), 12) << "in shadow only the headlight is missing";
    EXPECT_LT(brightness(atFoot), brightness(beside) - 50) << "the shadow starts at the wall";

    // The sand does not shadow itself: with only the sand in the map, its
    // pixels match those drawn with an empty map.
    const std::vector<glm::vec3> samples = {{0, 0, -1.2f}, {0, 0, -10}, {7, 0, -10}, {-4, 0, 4}, {3, 0, -16}, {0, 0, 8}};
    shadowPass(lights, {&sand});
    colourPass(lights, {&sand});
    std::vector<Rgb> selfShadowed;
    for (const glm::vec3& point : samples)
        selfShadowed.push_back(at(point));
    shadowPass(lights, {});
    colourPass(lights, {&sand});
    for (std::size_t i = 0; i < samples.size(); ++i)
        EXPECT_NEAR(brightness(selfShadowed[i]), brightness(at(samples[i])), 3) << "acne at sample " << i;
}

TEST_F(LitScene, EveryLightReachesWhatItShouldWhateverTheSizeOfTheTriangles)
{
    // The level's lights over sand in the level's 25-unit cells; the headlight
    // sits under the sand as when riding, the drone light 110 up.
    look({0, 45, 70}, {0, 0, 0});
    Camera player(width, height);
    std::vector<Light> lights = levelLights(player);
    lights[headlight].position = glm::vec4(0, -8, 40, 1);
    lights[droneLight].position = glm::vec4(0, 110, 0, 1);
    lights[explosionLight].position = glm::vec4(-12.5f, 1, 12.5f, 1);
    lights[muzzleLight].position = glm::vec4(12.5f, 7, -12.5f, 1);
    Mesh sand(ground(250, 25), lit.get());
    shadowPass(lights, {&sand});
    colourPass(lights, {&sand});
    const glm::vec3 underFlash{-12.5f, 0, 12.5f}, nearFlash{-12.5f, 0, 2.5f}, underMuzzle{12.5f, 0, -12.5f};
    const Rgb all = at(underFlash), allNearFlash = at(nearFlash), allUnderMuzzle = at(underMuzzle);

    // The spare light starts 650 units under the sand: it changes nothing.
    lights[spareLight].color = glm::vec3(0.0f);
    colourPass(lights, {&sand});
    EXPECT_EQ(brightness(at(underMuzzle)), brightness(allUnderMuzzle));

    // The drone light, far above, lights through the vertices: blue.
    lights[droneLight].color = glm::vec3(0.0f);
    colourPass(lights, {&sand});
    EXPECT_GT(allUnderMuzzle.b, at(underMuzzle).b + 10);
    lights[droneLight].color = glm::vec3(0, 0, 0.9f);

    // The explosion light at attenuation 10, one unit over the middle of a
    // cell (35 units from the far corner), makes a small red pool there and
    // nothing ten units away.
    lights[explosionLight].color = glm::vec3(0.0f);
    colourPass(lights, {&sand});
    EXPECT_GT(all.r, at(underFlash).r + 10);
    EXPECT_NEAR(brightness(allNearFlash), brightness(at(nearFlash)), 1);

    // Firing: the muzzle light 7 up over the middle of a cell lights the sand
    // under it; at attenuation 10 it is dark.
    lights[muzzleLight].attenuation = 0.001f;
    colourPass(lights, {&sand});
    const Rgb firing = at(underMuzzle);
    EXPECT_GT(firing.r, allUnderMuzzle.r + 80);
    EXPECT_GT(firing.g, allUnderMuzzle.g + 80);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---- The sky ----

// Six small faces in a game folder of their own: +x is 8-bit grey, -x 32-bit
// with alpha, the others 24-bit colour.
struct SkyFaces {
    std::string folder;
    std::vector<Rgb> colours = {{200, 200, 200}, {40, 90, 200}, {250, 240, 10},
                                {90, 60, 30},    {200, 40, 40}, {30, 180, 60}};

    explicit SkyFaces(const std::string& name) : folder(makeScratchDirectory(name))
    {
        const std::string sky = folder + "/Assets/Skybox/";
        fs::create_directories(sky);
        const char* names[6] = {"right", "left", "top", "bottom", "back", "front"};
        writeGreyImage(sky + "right.jpg", 16, 16, 200);
        // A 32-bit picture under the game's .jpg name: the decoder goes by content.
        write32BitImage(sky + "left.bmp", 16, 16, colours[1]);
        fs::rename(sky + "left.bmp", sky + "left.jpg");
        for (int face = 2; face < 6; ++face)
            writeColorImage(sky + names[face] + ".jpg", 16, 16, [&](int, int) { return colours[face]; });
    }
};

class SkyTest : public RenderPassTest {
protected:
    void SetUp() override
    {
        RenderPassTest::SetUp();
        program = buildProgram("skybox.vert", "skybox.frag");
        ASSERT_TRUE(program);
        sky = std::make_unique<Skybox>(program.get());
        InFolder inGameFolder(faces.folder);
        sky->createGeometry();
        sky->loadCubeMap();
    }

    // The whole window after the sky pass from `camera`.
    std::vector<unsigned char> draw(const Camera& camera)
    {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(program->program);
        sky->setUniforms(camera.view(), camera.fieldOfView, camera.aspectRatio);
        glUseProgram(0);
        sky->draw();
        std::vector<unsigned char> pixels(width * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    SkyFaces faces{"sky-faces"};
    std::unique_ptr<ShaderProgram> program;
    std::unique_ptr<Skybox> sky;
};

TEST_F(SkyTest, EveryFaceReachesTheCubeMapAs24BitColourWhateverItsDepth)
{
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
    glBindTexture(GL_TEXTURE_CUBE_MAP, sky->cubeTexture);
    for (int face = 0; face < 6; ++face) {
        SCOPED_TRACE(testing::Message() << "face " << face);
        const GLenum target = GL_TEXTURE_CUBE_MAP_POSITIVE_X + face;
        GLint format = 0, size = 0;
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_INTERNAL_FORMAT, &format);
        glGetTexLevelParameteriv(target, 0, GL_TEXTURE_WIDTH, &size);
        EXPECT_EQ(format, GL_RGB);
        EXPECT_EQ(size, 16);
        std::vector<unsigned char> pixels(16 * 16 * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glGetTexImage(target, 0, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        // JPEG keeps flat colours within a few levels.
        EXPECT_NEAR(pixels[8 * 16 * 3 + 24], faces.colours[face].r, 4);
        EXPECT_NEAR(pixels[8 * 16 * 3 + 25], faces.colours[face].g, 4);
        EXPECT_NEAR(pixels[8 * 16 * 3 + 26], faces.colours[face].b, 4);
    }
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(SkyTest, SkyTurnsWithTheCameraButNeverMovesWithIt)
{
    Camera camera(width, height);
    camera.position = glm::vec3(0.0f);
    const std::vector<unsigned char> atHome = draw(camera);
    // Looking down -z: the front face fills the middle of the window.
    const std::size_t middle = (height / 2 * width + width / 2) * 3;
    EXPECT_NEAR(atHome[middle], faces.colours[5].r, 4);
    EXPECT_NEAR(atHome[middle + 1], faces.colours[5].g, 4);

    camera.position = glm::vec3(400.0f, 60.0f, -250.0f);
    camera.offset = glm::vec3(0.0f, 5.0f, 0.0f);
    EXPECT_EQ(draw(camera), atHome) << "moving the camera moved the sky";

    camera.offsetOrientation(0.0f, 90.0f); // now looking along +x, at the grey face
    const std::vector<unsigned char> turned = draw(camera);
    EXPECT_NE(turned, atHome);
    EXPECT_NEAR(turned[middle], 200, 4);
    EXPECT_NEAR(turned[middle + 2], 200, 4);
}

// ---- Haze ----

// The game's own sky, then sand out to the far plane, from a rider's eye 7 up:
// the far sand fades into exactly the sky behind it (no pale band between the
// two), while the near sand shows.
TEST_F(RenderPassTest, FarSandFadesIntoTheSkyBehindItOnEverySide)
{
    auto skyProgram = buildProgram("skybox.vert", "skybox.frag");
    auto lit = buildProgram("default.vert", "default.frag");
    ASSERT_TRUE(skyProgram && lit);
    Skybox sky(skyProgram.get());
    {
        InFolder inGameFolder(SANDLARK_GAME_DIR);
        sky.createGeometry();
        sky.loadCubeMap();
    }
    Camera rider(width, height);
    rider.position = glm::vec3(0, 7, 0);
    rider.fieldOfView = 60.0f;
    rider.nearPlane = 0.5f;
    rider.farPlane = 1000.0f;
    std::vector<Light> lights = levelLights(rider);
    lights[headlight].position = glm::vec4(0, -3, 0, 1);
    Mesh sand(ground(1000, 25), lit.get());

    auto frame = [&](bool withSand) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glUseProgram(skyProgram->program);
        sky.setUniforms(rider.view(), rider.fieldOfView, rider.aspectRatio);
        glUseProgram(0);
        sky.draw();
        if (withSand) {
            glUseProgram(lit->program);
            setMatrix(*lit, "cameraMatrix", rider.matrix());
            glUniform3fv(glGetUniformLocation(lit->program, "cameraPosition"), 1, glm::value_ptr(rider.position));
            setMatrix(*lit, "modelMatrix", glm::mat4(1.0f));
            setLightUniforms(*lit, lights);
            sand.draw();
        }
    };
    // Towards the sun (orange), away from it (violet) and across.
    for (float yaw : {135.0f, 315.0f, 45.0f}) {
        SCOPED_TRACE(testing::Message() << "yaw " << yaw);
        rider.yaw = 0.0f;
        rider.offsetOrientation(0.0f, yaw);
        const glm::vec3 ahead = rider.forward();
        frame(false);
        const glm::ivec2 far = pixelOf(rider.matrix(), rider.position + ahead * 900.0f - glm::vec3(0, 7, 0));
        const glm::ivec2 near = pixelOf(rider.matrix(), rider.position + ahead * 40.0f - glm::vec3(0, 7, 0));
        const Rgb skyFar = readPixel(far.x, far.y), skyNear = readPixel(near.x, near.y);
        frame(true);
        const Rgb sandFar = readPixel(far.x, far.y), sandNear = readPixel(near.x, near.y);
        EXPECT_LE(colourDistance(sandFar, skyFar), 12);
        EXPECT_GT(colourDistance(sandNear, skyNear), 30) << "the near sand shows";
    }
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

// ---- Velocity and composite ----

class CompositeTest : public RenderPassTest {
protected:
    void SetUp() override
    {
        RenderPassTest::SetUp();
        glDisable(GL_DEPTH_TEST);
        // The composite's program is built from the game's own path.
        const std::string folder = makeScratchDirectory("composite");
        fs::create_directory_symlink(std::string(SANDLARK_SOURCE_DIR) + "/Shaders", folder + "/Shaders");
        InFolder inGameFolder(folder);
        postProcessing.createComposite();
        velocityProgram = buildProgram("velocity.vert", "velocity.frag");
        ASSERT_TRUE(velocityProgram);
        testing::internal::CaptureStdout();
        color.create(width, height);
        velocity.create(width, height);
        testing::internal::GetCapturedStdout();

        // The colour image: vertical stripes two pixels wide, black and white,
        // so that any sideways smear shows and an up-and-down one does not.
        for (int y = 0; y < height; ++y)
            for (int x = 0; x < width; ++x)
                for (int channel = 0; channel < 3; ++channel)
                    stripes.push_back(x / 2 % 2 ? 255 : 0);
        glBindTexture(GL_TEXTURE_2D, color.colorTexture);
        glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
        glTexSubImage2D(GL_TEXTURE_2D, 0, 0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, stripes.data());
        glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
        glBindTexture(GL_TEXTURE_2D, 0);
    }

    // The velocity pass as the frame runs it: the clear to (32/255, 32/255),
    // then each of `moving` with its own and its previous model matrix, seen
    // by a camera that stands still.
    void velocityPass(const std::vector<const GameObject*>& moving)
    {
        glUseProgram(velocityProgram->program);
        setMatrix(*velocityProgram, "cameraMatrix", glm::mat4(1.0f));
        setMatrix(*velocityProgram, "prevCameraMatrix", glm::mat4(1.0f));
        glUseProgram(0);
        velocity.bind(RenderTarget::Velocity);
        glClearColor(32.0f / 255.0f, 32.0f / 255.0f, 0.0f, 1.0f);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        for (const GameObject* object : moving)
            drawVelocity(*object, *velocityProgram);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }

    std::vector<unsigned char> composite(float velocityScale)
    {
        glClearColor(0, 0, 0, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        postProcessing.setVelocityScale(velocityScale);
        postProcessing.drawComposite(color, velocity, {width, height});
        std::vector<unsigned char> pixels(width * height * 3);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    }

    // How many pixels of `image` in the window's rows y0..y1 and columns
    // x0..x1 differ from the stripes.
    int changedPixels(const std::vector<unsigned char>& image, int x0, int x1, int y0, int y1) const
    {
        int changed = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x)
                changed += image[(y * width + x) * 3] != stripes[(y * width + x) * 3];
        return changed;
    }

    PostProcessing postProcessing;
    std::unique_ptr<ShaderProgram> velocityProgram;
    Framebuffer color, velocity;
    std::vector<unsigned char> stripes;
};

TEST_F(CompositeTest, StillPixelsStaySharpAndMovingOnesSmearAlongTheirMotion)
{
    // The sky, crawlers and rocks draw no velocity: their pixels keep the clear value.
    velocityPass({});
    EXPECT_EQ(composite(1.5f), stripes) << "the clear value was read as motion";

    // A square in the middle of the window (clip space, the camera is the identity).
    Triangles square;
    square.quad({-0.25f, -0.25f, 0}, {0.25f, -0.25f, 0}, {0.25f, 0.25f, 0}, {-0.25f, 0.25f, 0}, {0, 0, 1});
    Mesh mesh(square.meshData(), velocityProgram.get());
    GameObject object(&mesh);
    object.prevModelMatrix = object.modelMatrix();
    velocityPass({&object});
    EXPECT_EQ(composite(3.0f), stripes) << "a static object smeared";

    // Since the last frame it moved a twentieth of the window's width sideways:
    // its pixels smear across the stripes, all others stay sharp.
    object.prevModelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(-0.1f, 0, 0));
    velocityPass({&object});
    const std::vector<unsigned char> sideways = composite(1.0f);
    const int inside = changedPixels(sideways, 5 * width / 8 - 30, 5 * width / 8 - 10, 3 * height / 8 + 5,
                                     5 * height / 8 - 5);
    EXPECT_GT(inside, 20 * 50 / 2);
    EXPECT_EQ(changedPixels(sideways, 0, width, 0, 3 * height / 8 - 2), 0);
    EXPECT_EQ(changedPixels(sideways, 0, 3 * width / 8 - 2, 0, height), 0);
    EXPECT_EQ(composite(0.0f), stripes) << "a scale of 0 switches the blur off";

    // The same motion up and down smears along the stripes: nothing changes.
    object.prevModelMatrix = glm::translate(glm::mat4(1.0f), glm::vec3(0, -0.1f, 0));
    velocityPass({&object});
    EXPECT_EQ(composite(1.0f), stripes);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

} // namespace
