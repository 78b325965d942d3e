#include "assets/ShaderProgram.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <set>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string shaderDir = std::string(SANDLARK_SOURCE_DIR) + "/Shaders/";
const std::string probe = std::string(SANDLARK_TEST_TOOLS_DIR) + "/shader_probe";

// Every program the game builds, by its two file names.
const std::vector<std::pair<std::string, std::string>> knownPairs = {
    {"default", "default"},           {"normal", "normal"},         {"default", "dustTr"},
    {"environment", "environment"},   {"cockpitglass", "cockpitglass"}, {"shadowmapping", "shadowmapping"},
    {"velocity", "velocity"},         {"skybox", "skybox"},         {"text", "text"},
    {"loadingScreen", "loadingScreen"}, {"fullscreenQuad", "fullscreenQuad"}, {"motionblur", "motionblur"},
};

bool exists(const std::string& name) { return fs::exists(shaderDir + name); }

TEST(ShaderSources, EveryPresentPairBuildsOnThisDriver)
{
    requireGlContext();
    int built = 0;
    for (const auto& [vertex, fragment] : knownPairs) {
        const std::string vertexFile = vertex + ".vert", fragmentFile = fragment + ".frag";
        if (!exists(vertexFile) || !exists(fragmentFile))
            continue;
        ShaderBuildError error;
        auto program = ShaderProgram::tryBuild(shaderDir + vertexFile, shaderDir + fragmentFile, error);
        EXPECT_NE(program, nullptr) << vertexFile << " + " << fragmentFile << ": " << error.message << "\n"
                                    << error.log.value_or("");
        if (program) {
            EXPECT_NE(program->program, 0u);
            EXPECT_EQ(glGetFragDataLocation(program->program, "finalColor"), 0) << fragmentFile;
            ++built;
        }
    }
    // Start-up cannot run without these two.
    EXPECT_TRUE(exists("fullscreenQuad.vert") && exists("fullscreenQuad.frag"));
    EXPECT_TRUE(exists("motionblur.vert") && exists("motionblur.frag"));
    EXPECT_GE(built, 2);
}

TEST(ShaderSources, EveryFileBelongsToAKnownPair)
{
    std::set<std::string> known;
    for (const auto& [vertex, fragment] : knownPairs) {
        known.insert(vertex + ".vert");
        known.insert(fragment + ".frag");
    }
    for (const auto& entry : fs::directory_iterator(shaderDir))
        EXPECT_TRUE(known.count(entry.path().filename().string())) << "unexpected file " << entry.path();
}

TEST(ShaderSources, ReleasingAProgramDeletesItsShaders)
{
    requireGlContext();
    ShaderBuildError error;
    auto program = ShaderProgram::tryBuild(shaderDir + "fullscreenQuad.vert", shaderDir + "fullscreenQuad.frag", error);
    ASSERT_NE(program, nullptr);
    const GLuint name = program->program, vertex = program->vertexShader, fragment = program->fragmentShader;
    EXPECT_TRUE(glIsProgram(name));
    program.reset();
    EXPECT_FALSE(glIsProgram(name));
    EXPECT_FALSE(glIsShader(vertex));
    EXPECT_FALSE(glIsShader(fragment));
}

class ShaderFailureTest : public ::testing::Test {
protected:
    void SetUp() override { dir = makeScratchDirectory("shader-failures"); }

    std::string file(const std::string& name, const std::string& source)
    {
        writeFile(dir + "/" + name, source);
        return dir + "/" + name;
    }

    std::string dir;
    const std::string goodVertex = "#version 330 core\nin vec3 p;\nout vec3 v;\nvoid main(){ v = p; gl_Position = vec4(p, 1.0); }\n";
    const std::string goodFragment = "#version 330 core\nin vec3 v;\nout vec4 finalColor;\nvoid main(){ finalColor = vec4(v, 1.0); }\n";
};

TEST_F(ShaderFailureTest, MissingFileEndsTheProcessWithoutNamingIt)
{
    const auto vertex = file("good.vert", goodVertex);
    // Both missing: only the vertex file is reported.
    auto both = runProcess({probe, dir + "/absent.vert", dir + "/absent.frag"});
    EXPECT_EQ(both.exitStatus, 255);
    EXPECT_EQ(both.out, "Shader file missing\nPress any key to continue . . .\n");

    // A missing fragment file is found after the vertex shader compiled.
    auto fragmentMissing = runProcess({probe, vertex, dir + "/absent.frag"});
    EXPECT_EQ(fragmentMissing.exitStatus, 255);
    EXPECT_EQ(fragmentMissing.out, "Shader file missing\nPress any key to continue . . .\n");
}

TEST_F(ShaderFailureTest, CompileErrorPrintsTheDriverLog)
{
    const auto vertex = file("good.vert", goodVertex);
    const auto broken = file("broken.frag", "#version 330 core\nout vec4 finalColor;\nvoid main(){ finalColor = nonsense; }\n");
    auto result = runProcess({probe, vertex, broken});
    EXPECT_EQ(result.exitStatus, 255);
    ASSERT_EQ(result.out.rfind("Failed to compile shader\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("nonsense"), std::string::npos) << "the log names the bad identifier";
    EXPECT_NE(result.out.find("Press any key to continue . . .\n"), std::string::npos);
    EXPECT_EQ(result.out.find("broken.frag"), std::string::npos) << "no file names in the messages";
}

TEST_F(ShaderFailureTest, LinkErrorPrintsTheProgramLog)
{
    const auto vertex = file("good.vert", goodVertex);
    // The stages disagree on the type of `v`: each compiles, the link fails.
    const auto mismatched = file("mismatch.frag", "#version 330 core\nin vec4 v;\nout vec4 finalColor;\nvoid main(){ finalColor = v; }\n");
    auto result = runProcess({probe, vertex, mismatched});
    EXPECT_EQ(result.exitStatus, 255);
    EXPECT_EQ(result.out.rfind("Failed to link shader program\n", 0), 0u) << result.out;
    EXPECT_NE(result.out.find("Press any key to continue . . .\n"), std::string::npos);
}

TEST_F(ShaderFailureTest, GoodPairBuilds)
{
    auto result = runProcess({probe, file("good.vert", goodVertex), file("good.frag", goodFragment)});
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;
    EXPECT_EQ(result.out, "built\n");
}

} // namespace
