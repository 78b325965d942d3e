// Meshes built from hand-made records, drawn and read back.
#include "assets/Mesh.h"
#include "assets/ImageLoader.h"
#include "assets/TextureFilter.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

const std::string shaderDir = std::string(SANDLARK_SOURCE_DIR) + "/Shaders/";

// Shows the material block: red from diffuse, green from emissive, blue from
// shininess / 128, so a wrong offset shows as a wrong channel.
const char* materialVertex = "#version 330 core\n"
                             "layout(location = 0) in vec3 vertPosition;\n"
                             "void main() { gl_Position = vec4(vertPosition, 1.0); }\n";
const char* materialFragment = "#version 330 core\n"
                               "layout(std140) uniform Material { vec4 diffuse; vec4 ambient; vec4 specular;"
                               " vec4 emissive; float shininess; } material;\n"
                               "out vec4 finalColor;\n"
                               "void main() { finalColor = vec4(material.diffuse.r, material.emissive.g,"
                               " material.shininess / 128.0, 1.0); }\n";

// A triangle list covering the rectangle x0..x1 by -1..1 in clip space.
MeshData rectangle(float x0, float x1)
{
    MeshData data;
    data.positions = std::make_shared<std::vector<float>>(std::vector<float>{
        x0, -1, 0, x1, -1, 0, x1, 1, 0, x0, -1, 0, x1, 1, 0, x0, 1, 0});
    data.hasPositions = true;
    data.vertexCount = 6;
    data.faceCount = 2;
    data.drawCount = 6;
    data.boundsMin = glm::vec3(x0, -1, 0);
    data.boundsMax = glm::vec3(x1, 1, 0);
    return data;
}

class MeshTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requireGlContext();
        dir = makeScratchDirectory(std::string("mesh-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
        glViewport(0, 0, 320, 240);
        glDisable(GL_DEPTH_TEST);
        glDisable(GL_BLEND);
    }

    std::unique_ptr<ShaderProgram> program(const std::string& vertex, const std::string& fragment)
    {
        ShaderBuildError error;
        auto built = ShaderProgram::tryBuild(vertex, fragment, error);
        EXPECT_NE(built, nullptr) << error.message << error.log.value_or("");
        return built;
    }

    std::unique_ptr<ShaderProgram> materialProgram()
    {
        writeFile(dir + "/material.vert", materialVertex);
        writeFile(dir + "/material.frag", materialFragment);
        return program(dir + "/material.vert", dir + "/material.frag");
    }

    // An image whose mip chain has more than one level.
    Image smallImage()
    {
        writeColorImage(dir + "/small.bmp", 4, 4, [](int, int) { return Rgb{200, 100, 50}; });
        return loadImage(dir + "/small.bmp");
    }

    std::string dir;
};

TEST_F(MeshTest, EveryMeshDrawsInItsOwnMaterialColours)
{
    auto shader = materialProgram();
    ASSERT_NE(shader, nullptr);
    MeshData left = rectangle(-1, 0), right = rectangle(0, 1);
    left.material.diffuse = glm::vec4(1, 0, 0, 1);
    left.material.emissive = glm::vec4(0, 0, 0, 1);
    left.material.shininess = 128.0f;
    right.material.diffuse = glm::vec4(0, 0, 0, 1);
    right.material.emissive = glm::vec4(0, 1, 0, 1);
    right.material.shininess = 0.0f;
    Mesh leftMesh(left, shader.get());
    Mesh rightMesh(right, shader.get()); // built last: its buffer holds the binding point

    glClear(GL_COLOR_BUFFER_BIT);
    leftMesh.draw();
    rightMesh.draw();
    const Rgb leftPixel = readPixel(80, 120), rightPixel = readPixel(240, 120);
    EXPECT_EQ(leftPixel.r, 255);
    EXPECT_EQ(leftPixel.g, 0);
    EXPECT_EQ(leftPixel.b, 255) << "shininess at offset 64";
    EXPECT_EQ(rightPixel.r, 0);
    EXPECT_EQ(rightPixel.g, 255) << "emissive at offset 48";
    EXPECT_EQ(rightPixel.b, 0);

    GLint blockSize = 0;
    glGetActiveUniformBlockiv(shader->program, glGetUniformBlockIndex(shader->program, "Material"),
                              GL_UNIFORM_BLOCK_DATA_SIZE, &blockSize);
    EXPECT_EQ(blockSize, 80);
    GLint bufferSize = 0;
    glBindBuffer(GL_UNIFORM_BUFFER, leftMesh.materialBuffer);
    glGetBufferParameteriv(GL_UNIFORM_BUFFER, GL_BUFFER_SIZE, &bufferSize);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    EXPECT_EQ(bufferSize, 80);
}

TEST_F(MeshTest, BuildsOneTightBufferPerAttributeAndFillsItsBounds)
{
    auto shader = program(shaderDir + "normal.vert", shaderDir + "normal.frag");
    ASSERT_NE(shader, nullptr);
    MeshData data = rectangle(-2, 3);
    data.normals = std::make_shared<std::vector<float>>(18, 0.0f);
    data.texCoords = std::make_shared<std::vector<float>>(12, 0.5f);
    data.tangents = data.normals;
    data.bitangents = data.normals;
    data.hasNormals = data.hasTexCoords = data.hasTangents = true;
    Mesh mesh(data, shader.get());

    EXPECT_EQ(mesh.size, glm::vec3(5, 2, 0));
    const MeshBounds& bounds = mesh;
    EXPECT_EQ(bounds.boundsMax, glm::vec3(3, 1, 0));
    struct Attribute {
        GLuint buffer;
        GLint bytes;
    };
    const Attribute attributes[] = {{mesh.positionBuffer, 72}, {mesh.normalBuffer, 72}, {mesh.texCoordBuffer, 48},
                                    {mesh.tangentBuffer, 72},  {mesh.bitangentBuffer, 72}};
    for (const Attribute& attribute : attributes) {
        ASSERT_NE(attribute.buffer, 0u);
        GLint size = 0;
        glBindBuffer(GL_ARRAY_BUFFER, attribute.buffer);
        glGetBufferParameteriv(GL_ARRAY_BUFFER, GL_BUFFER_SIZE, &size);
        EXPECT_EQ(size, attribute.bytes);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    GLint current = -1;
    glGetIntegerv(GL_CURRENT_PROGRAM, &current);
    EXPECT_EQ(current, 0) << "the constructor leaves no program current";

    // A program that reads no tangents gets no tangent buffers.
    auto plain = materialProgram();
    Mesh withoutTangents(data, plain.get());
    EXPECT_EQ(withoutTangents.tangentBuffer.get(), 0u);
    EXPECT_EQ(withoutTangents.bitangentBuffer.get(), 0u);
}

TEST_F(MeshTest, ToggleRecreatesTexturesWithNewFiltersAndDeletesTheOldOnes)
{
    auto shader = program(shaderDir + "normal.vert", shaderDir + "normal.frag");
    ASSERT_NE(shader, nullptr);
    MeshData data = rectangle(-1, 1);
    data.colorImage = smallImage();
    data.normalImage = data.colorImage;
    data.hasNormalMap = true;
    data.reflectionImage = data.colorImage;
    data.hasReflectionMap = true; // the normal program has no "reflectionTexture"
    Mesh mesh(data, shader.get());
    EXPECT_EQ(mesh.reflectionTexture.get(), 0u);

    auto filtersOf = [](GLuint texture) {
        GLint minFilter = 0, magFilter = 0, levelOneWidth = 0;
        glBindTexture(GL_TEXTURE_2D, texture);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
        glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
        glGetTexLevelParameteriv(GL_TEXTURE_2D, 1, GL_TEXTURE_WIDTH, &levelOneWidth);
        return std::array<GLint, 3>{minFilter, magFilter, levelOneWidth};
    };
    EXPECT_EQ(filtersOf(mesh.colorTexture), (std::array<GLint, 3>{GL_LINEAR_MIPMAP_LINEAR, GL_LINEAR, 2}));

    const GLuint oldColor = mesh.colorTexture, oldNormal = mesh.normalTexture;
    mesh.setupTextures(2, 3); // nearest, mip-mapping off: the mip levels still exist
    EXPECT_FALSE(glIsTexture(oldColor));
    EXPECT_FALSE(glIsTexture(oldNormal));
    EXPECT_EQ(filtersOf(mesh.colorTexture), (std::array<GLint, 3>{GL_NEAREST, GL_NEAREST, 2}));
    EXPECT_EQ(filtersOf(mesh.normalTexture), (std::array<GLint, 3>{GL_NEAREST, GL_NEAREST, 2}));

    mesh.setupTextures(3, 4);
    EXPECT_EQ(filtersOf(mesh.colorTexture), (std::array<GLint, 3>{GL_LINEAR_MIPMAP_NEAREST, GL_LINEAR, 2}));
    // A negative counter sets no filter: OpenGL's own defaults stay.
    mesh.setupTextures(-1, 2);
    EXPECT_EQ(filtersOf(mesh.colorTexture), (std::array<GLint, 3>{GL_NEAREST_MIPMAP_LINEAR, GL_LINEAR, 2}));
    glBindTexture(GL_TEXTURE_2D, 0);

    // The filter values are OpenGL's.
    EXPECT_EQ(TextureFilterValue::nearestMipmapLinear, GL_NEAREST_MIPMAP_LINEAR);
    EXPECT_EQ(TextureFilterValue::linearMipmapNearest, GL_LINEAR_MIPMAP_NEAREST);
}

TEST_F(MeshTest, DrawingLeavesTheUnitsOfMapsItDoesNotHave)
{
    auto shader = program(shaderDir + "default.vert", shaderDir + "default.frag");
    ASSERT_NE(shader, nullptr);
    MeshData data = rectangle(-1, 1);
    data.colorImage = smallImage();
    Mesh mesh(data, shader.get());

    GLuint marker = 0;
    glGenTextures(1, &marker);
    glActiveTexture(GL_TEXTURE2);
    glBindTexture(GL_TEXTURE_2D, marker);
    mesh.draw();
    GLint unitTwo = 0, unitOne = 0;
    glActiveTexture(GL_TEXTURE2);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &unitTwo);
    glActiveTexture(GL_TEXTURE1);
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &unitOne);
    EXPECT_EQ(static_cast<GLuint>(unitTwo), marker);
    EXPECT_EQ(static_cast<GLuint>(unitOne), mesh.colorTexture.get());
    GLint sampler = -1;
    glGetUniformiv(shader->program, glGetUniformLocation(shader->program, "colorTexture"), &sampler);
    EXPECT_EQ(sampler, 1);
    glGetUniformiv(shader->program, glGetUniformLocation(shader->program, "shadowMap"), &sampler);
    EXPECT_EQ(sampler, 4);
    glDeleteTextures(1, &marker);
    glActiveTexture(GL_TEXTURE0);
}

TEST_F(MeshTest, RecordsAskingForMoreThanTheyHoldDrawOnlyWhatTheyHave)
{
    auto shader = materialProgram();
    MeshData data = rectangle(-1, 1);
    data.faceCount = 5;
    data.drawCount = 15; // more corners than the six uploaded
    Mesh mesh(data, shader.get());
    EXPECT_EQ(mesh.data.drawCount, 6u);
    mesh.draw();
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(MeshTest, ReleasingAMeshDeletesItsGlObjects)
{
    auto shader = materialProgram();
    MeshData data = rectangle(-1, 1);
    data.colorImage = smallImage();
    std::vector<GLuint> vertexArrays, buffers, textures;
    // Repeated levels: every build is released with its mesh.
    for (int level = 0; level < 3; ++level) {
        auto mesh = std::make_unique<Mesh>(data, shader.get());
        vertexArrays.push_back(mesh->vao);
        buffers.push_back(mesh->positionBuffer);
        buffers.push_back(mesh->materialBuffer);
        textures.push_back(mesh->colorTexture);
    }
    for (GLuint name : vertexArrays)
        EXPECT_FALSE(glIsVertexArray(name));
    for (GLuint name : buffers)
        EXPECT_FALSE(glIsBuffer(name));
    for (GLuint name : textures)
        EXPECT_FALSE(glIsTexture(name));
    // The decoded image lives on in the record that still uses it.
    EXPECT_EQ(data.colorImage.owner.use_count(), 1);
}

} // namespace
