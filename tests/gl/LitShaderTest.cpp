// The game's mesh shaders with the level's six lights: a lit sphere that looks
// like dusk, saved for a person to look at.
#include "assets/ImageLoader.h"
#include "assets/Mesh.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include <FreeImage.h>
#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <cmath>

namespace {

const std::string shaderDir = std::string(SANDLARK_SOURCE_DIR) + "/Shaders/";

// A UV sphere of radius 1 as a plain triangle list.
MeshData sphere()
{
    auto positions = std::make_shared<std::vector<float>>();
    auto texCoords = std::make_shared<std::vector<float>>();
    const int rings = 24, segments = 32;
    auto corner = [&](int ring, int segment) {
        const float theta = 3.14159265f * static_cast<float>(ring) / rings;
        const float phi = 2.0f * 3.14159265f * static_cast<float>(segment) / segments;
        positions->insert(positions->end(), {std::sin(theta) * std::cos(phi), std::cos(theta),
                                             std::sin(theta) * std::sin(phi)});
        texCoords->insert(texCoords->end(), {static_cast<float>(segment) / segments, static_cast<float>(ring) / rings});
    };
    for (int r = 0; r < rings; ++r)
        for (int s = 0; s < segments; ++s) {
            // Counter-clockwise seen from outside.
            corner(r, s), corner(r + 1, s + 1), corner(r + 1, s);
            corner(r, s), corner(r, s + 1), corner(r + 1, s + 1);
        }
    MeshData data;
    data.positions = positions;
    data.normals = positions; // the unit sphere's normals are its positions
    data.texCoords = texCoords;
    data.tangents = data.bitangents = nullptr;
    data.hasPositions = data.hasNormals = data.hasTexCoords = true;
    data.vertexCount = static_cast<std::uint32_t>(positions->size() / 3);
    data.faceCount = data.vertexCount / 3;
    data.drawCount = data.vertexCount;
    data.boundsMin = glm::vec3(-1);
    data.boundsMax = glm::vec3(1);
    data.material.diffuse = glm::vec4(0.9f, 0.85f, 0.8f, 1.0f);
    data.material.specular = glm::vec4(0.4f, 0.4f, 0.4f, 1.0f);
    data.material.shininess = 32.0f;
    return data;
}

struct LightValues {
    glm::vec4 position;
    glm::vec3 color;
    float attenuation, ambientCE, spotlightAngle;
    glm::vec3 spotlightDirection;
};

// The level's six lights around a camera at `eye` looking down -z.
void setLevelUniforms(GLuint program, const glm::vec3& eye)
{
    const LightValues lights[] = {
        {{-650, -650, 200, 1}, {2, 2, 2}, 0.1f, 0.0f, 15.0f, {0, 0, 0}},
        {{350, 70, 350, 0}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.17f, 180.0f, {0, 0, 0}},
        {{eye, 1}, {0.96f, 0.9f, 0.13f}, 10.0f, 0.0f, 180.0f, {0, 0, 0}},
        {{eye - glm::vec3(0, 10, 0), 1}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.0f, 15.0f, {0, 0, -1}},
        {{0, 0, 0, 1}, {0, 0, 0.9f}, 0.0002f, 0.0f, 180.0f, {0, 0, 0}},
        {{0, 0, 0, 1}, {0.9f, 0.1f, 0}, 10.0f, 0.0f, 180.0f, {0, 0, 0}},
    };
    glUniform1i(glGetUniformLocation(program, "numLights"), 6);
    for (int i = 0; i < 6; ++i) {
        const std::string name = "lights[" + std::to_string(i) + "].";
        glUniform4fv(glGetUniformLocation(program, (name + "position").c_str()), 1, glm::value_ptr(lights[i].position));
        glUniform3fv(glGetUniformLocation(program, (name + "color").c_str()), 1, glm::value_ptr(lights[i].color));
        glUniform1f(glGetUniformLocation(program, (name + "attenuation").c_str()), lights[i].attenuation);
        glUniform1f(glGetUniformLocation(program, (name + "ambientCE").c_str()), lights[i].ambientCE);
        glUniform1f(glGetUniformLocation(program, (name + "spotlightAngle").c_str()), lights[i].spotlightAngle);
        glUniform3fv(glGetUniformLocation(program, (name + "spotlightDirection").c_str()), 1,
                     glm::value_ptr(lights[i].spotlightDirection));
    }
    const glm::mat4 camera = glm::perspective(glm::radians(50.0f), 320.0f / 240.0f, 0.1f, 100.0f) *
                             glm::lookAt(eye, glm::vec3(0), glm::vec3(0, 1, 0));
    glUniformMatrix4fv(glGetUniformLocation(program, "cameraMatrix"), 1, GL_FALSE, glm::value_ptr(camera));
    glUniform3fv(glGetUniformLocation(program, "cameraPosition"), 1, glm::value_ptr(eye));
    const glm::mat4 identity(1.0f);
    glUniformMatrix4fv(glGetUniformLocation(program, "modelMatrix"), 1, GL_FALSE, glm::value_ptr(identity));
}

void savePng(const std::string& path)
{
    std::vector<unsigned char> pixels(320 * 240 * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, 320, 240, GL_BGR, GL_UNSIGNED_BYTE, pixels.data());
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(pixels.data(), 320, 240, 320 * 3, 24, 0, 0, 0, false);
    FreeImage_Save(FIF_PNG, bitmap, path.c_str(), 0);
    FreeImage_Unload(bitmap);
}

class LitShaderTest : public ::testing::TestWithParam<const char*> {};

TEST_P(LitShaderTest, SunlitSandSphereIsWarmAndReadsOnBothSides)
{
    requireGlContext();
    const std::string name = GetParam();
    const std::string dir = makeScratchDirectory("lit-" + name);
    ShaderBuildError error;
    const std::string vertex = name == "dustTr" ? "default" : name;
    auto program = ShaderProgram::tryBuild(shaderDir + vertex + ".vert", shaderDir + name + ".frag", error);
    ASSERT_NE(program, nullptr) << error.message << error.log.value_or("");

    writeColorImage(dir + "/sand.bmp", 8, 8, [](int x, int y) {
        return (x + y) % 2 ? Rgb{214, 170, 112} : Rgb{200, 156, 100};
    });
    MeshData data = sphere();
    data.colorImage = loadImage(dir + "/sand.bmp");
    Mesh mesh(data, program.get());

    glViewport(0, 0, 320, 240);
    glEnable(GL_DEPTH_TEST);
    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glUseProgram(program->program);
    setLevelUniforms(program->program, glm::vec3(0, 0, 3.5f));
    mesh.draw();
    savePng(std::string(SANDLARK_TEST_OUTPUT_DIR) + "/lit-" + name + ".png");
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));

    // The sun shines from +x +z: the right side is lit, the left in shade but
    // still visible; dusk light is warm.
    const Rgb lit = readPixel(200, 120), shade = readPixel(110, 120);
    EXPECT_GT(lit.r, 90) << name;
    EXPECT_GT(lit.r, lit.b + 30) << name << ": warm";
    EXPECT_GT(shade.r + shade.g + shade.b, 30) << name << ": the shaded side is not black";
    EXPECT_GT(lit.r + lit.g + lit.b, shade.r + shade.g + shade.b) << name;
    EXPECT_EQ(readPixel(5, 5).r, 0) << "nothing outside the sphere";
    glDisable(GL_BLEND);
    glDisable(GL_DEPTH_TEST);
}

INSTANTIATE_TEST_SUITE_P(MeshShaders, LitShaderTest, ::testing::Values("default", "normal", "dustTr"));

} // namespace
