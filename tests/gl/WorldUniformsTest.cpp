#include "assets/ShaderProgram.h"
#include "game/Camera.h"
#include "render/CameraUniforms.h"
#include "game/Light.h"
#include "render/LightUniforms.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"

#include <GL/glew.h>
#include <glm/gtc/type_ptr.hpp>
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace fs = std::filesystem;

namespace {

// A program with the scene shaders' camera and light interface, every member in
// use so the driver keeps them all.
const char* vertexSource = R"(#version 330 core
struct Light {
    vec4 position;
    vec3 color;
    float attenuation;
    float ambientCE;
    float spotlightAngle;
    vec3 spotlightDirection;
};
uniform mat4 cameraMatrix;
uniform vec3 cameraPosition;
uniform int numLights;
uniform Light lights[6];
in vec3 vertPosition;
out vec4 tint;
void main()
{
    vec4 sum = vec4(cameraPosition, 0.0);
    for (int i = 0; i < numLights; ++i)
        sum += lights[i].position + vec4(lights[i].color + lights[i].spotlightDirection,
                                         lights[i].attenuation + lights[i].ambientCE + lights[i].spotlightAngle);
    tint = sum;
    gl_Position = cameraMatrix * vec4(vertPosition, 1.0);
}
)";

const char* fragmentSource = R"(#version 330 core
in vec4 tint;
out vec4 finalColor;
void main() { finalColor = tint; }
)";

class WorldUniforms : public ::testing::Test {
protected:
    std::unique_ptr<ShaderProgram> program;

    void SetUp() override
    {
        requireGlContext();
        const fs::path folder = makeScratchDirectory("world-uniforms");
        std::ofstream(folder / "probe.vert") << vertexSource;
        std::ofstream(folder / "probe.frag") << fragmentSource;
        ShaderBuildError error;
        program = ShaderProgram::tryBuild((folder / "probe.vert").string(), (folder / "probe.frag").string(), error);
        ASSERT_NE(program, nullptr) << error.message << "\n" << error.log.value_or("");
        glUseProgram(program->program);
    }

    void TearDown() override
    {
        glUseProgram(0);
    }

    GLint location(const std::string& name) const { return glGetUniformLocation(program->program, name.c_str()); }

    template <int N>
    glm::vec<N, float> readVector(const std::string& name) const
    {
        float values[4] = {0, 0, 0, 0};
        glGetUniformfv(program->program, location(name), values);
        glm::vec<N, float> result;
        for (int i = 0; i < N; ++i)
            result[i] = values[i];
        return result;
    }

    float readFloat(const std::string& name) const { return readVector<1>(name).x; }

    int readInt(const std::string& name) const
    {
        GLint value = -1;
        glGetUniformiv(program->program, location(name), &value);
        return value;
    }

    void expectLight(std::size_t i, const Light& light) const
    {
        SCOPED_TRACE(testing::Message() << "lights[" << i << "]");
        EXPECT_EQ(readVector<4>(lightUniformName(i, "position")), light.position);
        EXPECT_EQ(readVector<3>(lightUniformName(i, "color")), light.color);
        EXPECT_EQ(readFloat(lightUniformName(i, "attenuation")), light.attenuation);
        EXPECT_EQ(readFloat(lightUniformName(i, "ambientCE")), light.ambientCE);
        EXPECT_EQ(readFloat(lightUniformName(i, "spotlightAngle")), light.spotlightAngle);
        EXPECT_EQ(readVector<3>(lightUniformName(i, "spotlightDirection")), light.spotlightDirection);
    }
};

} // namespace

TEST_F(WorldUniforms, CameraSendsItsMatrixAndItsPositionWithoutTheEyeOffset)
{
    Camera player(12800, 7200);
    player.position = glm::vec3(120, 15, -40);
    player.offset = glm::vec3(0, 5, 0);
    player.fieldOfView = 60.0f;
    player.offsetOrientation(0, 180);
    setCameraUniforms(*program, player);

    float matrix[16];
    glGetUniformfv(program->program, location("cameraMatrix"), matrix);
    const glm::mat4 expected = player.matrix();
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(matrix[i], glm::value_ptr(expected)[i]) << "element " << i;
    EXPECT_EQ(readVector<3>("cameraPosition"), glm::vec3(120, 15, -40));
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WorldUniforms, TheSixLevelLightsReachTheirArrayEntries)
{
    Camera player(1280, 720);
    player.position = glm::vec3(10, 40, 10);
    player.offsetOrientation(0, 180);
    std::vector<Light> lights = levelLights(player);
    lights[spareLight].position = glm::vec4(1, 2, 3, 1); // differs from every other entry

    setLightUniforms(*program, lights);

    EXPECT_EQ(readInt("numLights"), 6);
    for (std::size_t i = 0; i < lights.size(); ++i)
        expectLight(i, lights[i]);
    EXPECT_EQ(readVector<4>("lights[1].position").w, 0.0f);
    EXPECT_EQ(readVector<4>("lights[3].position").w, 1.0f);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(WorldUniforms, AnEmptyListSendsOnlyTheCount)
{
    Camera player(1280, 720);
    std::vector<Light> lights = levelLights(player);
    setLightUniforms(*program, lights);
    const Light before = lights[0];

    lights.clear();
    setLightUniforms(*program, lights);

    EXPECT_EQ(readInt("numLights"), 0);
    expectLight(0, before); // untouched
}
