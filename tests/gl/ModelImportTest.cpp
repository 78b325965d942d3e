// Importing small OBJ/MTL fixtures written by the tests. No GL context needed.
#include "assets/ImageLoader.h"
#include "assets/ModelLoader.h"
#include "support/core/Process.h"
#include "support/gl/GlTestContext.h"
#include "support/gl/ImageFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const std::string modelProbe = std::string(SANDLARK_TEST_TOOLS_DIR) + "/model_probe";

// Two triangles of a quad at negative x, with normals and texture coordinates.
const char* quadObj = "mtllib quad.mtl\n"
                      "v -4 0 -1\nv -2 0 -1\nv -2 3 -1\nv -4 3 2\n"
                      "vt 0 0\nvt 1 0\nvt 1 1\nvt 0 1\n"
                      "vn 0 0 1\n"
                      "usemtl sand\n"
                      "f 1/1/1 2/2/1 3/3/1\nf 1/1/1 3/3/1 4/4/1\n";

class ModelImportTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = makeScratchDirectory(std::string("import-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::string file(const std::string& name, const std::string& content)
    {
        fs::create_directories(fs::path(dir + "/" + name).parent_path());
        writeFile(dir + "/" + name, content);
        return dir + "/" + name;
    }

    // Imports and returns the console output.
    std::string import(MeshData& data, const std::string& path, const std::string& normalMap = "",
                       const std::string& reflectionMap = "")
    {
        ::testing::internal::CaptureStdout();
        ModelLoader loader;
        const bool loaded = loader.tryLoad(data, path, normalMap, reflectionMap);
        const std::string out = ::testing::internal::GetCapturedStdout();
        EXPECT_TRUE(loaded) << path;
        return out;
    }

    std::string dir;
};

TEST_F(ModelImportTest, TrianglesGiveCornerArraysBoundsAndTheTwoConsoleLines)
{
    file("quad.mtl", "newmtl sand\nKd 0.8 0.6 0.4\n");
    const std::string path = file("quad.obj", quadObj);
    MeshData data;
    EXPECT_EQ(import(data, path), "Load model " + path + "\nModel " + path + " loaded\n");

    // Identical vertices are not joined: one vertex per face corner.
    EXPECT_EQ(data.vertexCount, 6u);
    EXPECT_EQ(data.faceCount, 2u);
    EXPECT_EQ(data.drawCount, 6u);
    EXPECT_TRUE(data.hasPositions && data.hasNormals && data.hasTexCoords && data.hasTangents);
    ASSERT_TRUE(data.positions && data.texCoords && data.tangents && data.bitangents);
    EXPECT_EQ(data.positions->size(), 18u);
    EXPECT_EQ(data.texCoords->size(), 12u) << "two components per vertex, the third dropped";
    EXPECT_EQ(data.tangents->size(), 18u);
    // Every vertex lies at negative x: the largest x stays negative.
    EXPECT_EQ(data.boundsMin, glm::vec3(-4, 0, -1));
    EXPECT_EQ(data.boundsMax, glm::vec3(-2, 3, 2));
    EXPECT_FALSE(data.hasNormalMap || data.hasReflectionMap);
}

TEST_F(ModelImportTest, BoundsWidenFromTheRecordsValues)
{
    file("quad.mtl", "newmtl sand\n");
    const std::string path = file("quad.obj", quadObj);
    MeshData data;
    data.boundsMin = glm::vec3(-10, 1, 0);
    data.boundsMax = glm::vec3(0, 2, 5);
    import(data, path);
    EXPECT_EQ(data.boundsMin, glm::vec3(-10, 0, -1));
    EXPECT_EQ(data.boundsMax, glm::vec3(0, 3, 5));
}

TEST_F(ModelImportTest, ColoursComeFromTheMaterialTheMeshUsesNotTheReadersDefault)
{
    // Two materials in the library; the mesh uses the second. The OBJ reader
    // puts its own "DefaultMaterial" before both.
    file("quad.mtl", "newmtl other\nKd 0 0 1\n\n"
                     "newmtl sand\nKd 0.8 0.6 0.4\nKa 0.1 0.2 0.3\nKs 0.5 0.5 0.5\nKe 0.25 0 0\nNs 64\nd 0.5\n");
    MeshData data;
    import(data, file("quad.obj", quadObj));
    EXPECT_EQ(data.material.diffuse, glm::vec4(0.8f, 0.6f, 0.4f, 1.0f)) << "alpha is always 1";
    EXPECT_EQ(data.material.ambient, glm::vec4(0.1f, 0.2f, 0.3f, 1.0f));
    EXPECT_EQ(data.material.specular, glm::vec4(0.5f, 0.5f, 0.5f, 1.0f));
    EXPECT_EQ(data.material.emissive, glm::vec4(0.25f, 0.0f, 0.0f, 1.0f));
    EXPECT_FLOAT_EQ(data.material.shininess, 64.0f);
}

TEST_F(ModelImportTest, ShininessIsOnlyTakenFromZeroTo128)
{
    struct Case {
        const char* ns;
        float expected;
    };
    const Case cases[] = {{"0", 0.0f}, {"128", 128.0f}, {"128.5", 7.0f}, {"500", 7.0f}, {"-1", 7.0f}};
    for (const Case& c : cases) {
        file("quad.mtl", std::string("newmtl sand\nKd 1 1 1\nNs ") + c.ns + "\n");
        MeshData data;
        data.material.shininess = 7.0f; // what the record held before
        import(data, file("quad.obj", quadObj));
        EXPECT_FLOAT_EQ(data.material.shininess, c.expected) << "Ns " << c.ns;
    }
}

TEST_F(ModelImportTest, DiffuseTextureIsJoinedToTheModelsFolder)
{
    file("models/quad.mtl", "newmtl sand\nKd 1 1 1\nmap_Kd sand.jpg\n");
    writeColorImage(dir + "/models/sand.jpg", 8, 4, [](int, int) { return Rgb{200, 150, 100}; });
    file("models/quad.obj", quadObj);
    MeshData data;
    // The game's own form of the path: backslashes, a different case.
    const std::string path = dir + "\\MODELS\\quad.obj";
    EXPECT_EQ(import(data, path), "Load model " + path + "\nModel " + path + " loaded\n");
    EXPECT_EQ(data.colorImage.width, 8u);
    EXPECT_EQ(data.colorImage.height, 4u);
    EXPECT_NE(data.colorImage.pixels, nullptr);
}

TEST_F(ModelImportTest, ModelNamedWithoutAFolderFindsItsTextureBesideIt)
{
    file("quad.mtl", "newmtl sand\nmap_Kd sand.bmp\n");
    file("quad.obj", quadObj);
    writeColorImage(dir + "/sand.bmp", 6, 2, [](int, int) { return Rgb{1, 2, 3}; });
    const fs::path previous = fs::current_path();
    fs::current_path(dir);
    MeshData data;
    import(data, "quad.obj");
    fs::current_path(previous);
    EXPECT_EQ(data.colorImage.width, 6u) << "the texture is beside the model, not inside a folder named like it";
}

TEST_F(ModelImportTest, OneLoaderDecodesAnImageOnceForEveryModelThatNamesIt)
{
    file("quad.mtl", "newmtl sand\nmap_Kd sand.jpg\n");
    writeColorImage(dir + "/sand.jpg", 8, 8, [](int, int) { return Rgb{200, 150, 100}; });
    const std::string path = file("quad.obj", quadObj);
    MeshData first, second;
    ModelLoader loader;
    ::testing::internal::CaptureStdout();
    ASSERT_TRUE(loader.tryLoad(first, path, "", ""));
    // Replaced on disk between the two imports: the second model still gets
    // the pixels the loader decoded first, not a fresh decode.
    writeColorImage(dir + "/sand.jpg", 16, 16, [](int, int) { return Rgb{0, 0, 0}; });
    ASSERT_TRUE(loader.tryLoad(second, path, "", ""));
    ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(second.colorImage.pixels, first.colorImage.pixels);
    EXPECT_EQ(second.colorImage.width, 8u);

    // A new loader (the next level's catalogue) reads the file again.
    MeshData third;
    import(third, path);
    EXPECT_EQ(third.colorImage.width, 16u);
}

TEST_F(ModelImportTest, TheLastMaterialWithADiffuseTextureWins)
{
    writeColorImage(dir + "/first.jpg", 8, 8, [](int, int) { return Rgb{255, 0, 0}; });
    writeColorImage(dir + "/second.jpg", 16, 16, [](int, int) { return Rgb{0, 255, 0}; });
    file("quad.mtl", "newmtl sand\nmap_Kd first.jpg\n\nnewmtl other\nmap_Kd second.jpg\n");
    MeshData data;
    import(data, file("quad.obj", quadObj));
    EXPECT_EQ(data.colorImage.width, 16u);
}

TEST_F(ModelImportTest, CallersMapsLoadOnTheTurnOfAMaterialWithoutDiffuseTexture)
{
    writeColorImage(dir + "/normal.jpg", 4, 4, [](int, int) { return Rgb{128, 128, 255}; });
    writeColorImage(dir + "/sky.jpg", 8, 4, [](int, int) { return Rgb{90, 120, 200}; });

    // No diffuse texture anywhere: both maps load.
    file("plain.mtl", "newmtl sand\nKd 1 1 1\n");
    file("plain.obj", std::string(quadObj).replace(7, 8, "plain.mtl"));
    MeshData plain;
    import(plain, dir + "/plain.obj", dir + "/normal.jpg", dir + "/sky.jpg");
    EXPECT_TRUE(plain.hasNormalMap);
    EXPECT_TRUE(plain.hasReflectionMap);
    EXPECT_EQ(plain.normalImage.width, 4u);
    EXPECT_EQ(plain.reflectionImage.width, 8u);

    // A model whose materials all have a diffuse texture: only the reader's own
    // default material (no texture) gives the maps a turn, and it always exists.
    writeColorImage(dir + "/sand.jpg", 4, 4, [](int, int) { return Rgb{200, 150, 100}; });
    file("quad.mtl", "newmtl sand\nmap_Kd sand.jpg\n");
    MeshData textured;
    import(textured, file("quad.obj", quadObj), dir + "/normal.jpg", "");
    EXPECT_TRUE(textured.hasNormalMap);
    EXPECT_FALSE(textured.hasReflectionMap) << "no reflection map was named";

    // A missing map still sets its flag and leaves an empty image.
    MeshData missing;
    import(missing, dir + "/plain.obj", dir + "/absent.jpg", "");
    EXPECT_TRUE(missing.hasNormalMap);
    EXPECT_TRUE(missing.normalImage.empty());
}

TEST_F(ModelImportTest, ModelWithoutTextureCoordinatesHasNoTexCoordArray)
{
    file("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    MeshData data;
    import(data, dir + "/bare.obj");
    EXPECT_TRUE(data.hasPositions);
    EXPECT_TRUE(data.hasNormals) << "smooth normals are generated";
    EXPECT_FALSE(data.hasTexCoords);
    EXPECT_EQ(data.texCoords, nullptr);
    EXPECT_FALSE(data.hasTangents) << "tangents need texture coordinates";
    EXPECT_TRUE(data.colorImage.empty()) << "no material names a texture";
}

TEST_F(ModelImportTest, NonTriangleFacesNeverDrawPastTheirVertices)
{
    // Faces are not triangulated: a quad keeps its four corners.
    file("square.obj", "v 0 0 0\nv 1 0 0\nv 1 1 0\nv 0 1 0\nf 1 2 3 4\n");
    MeshData square;
    import(square, dir + "/square.obj");
    EXPECT_EQ(square.faceCount, 1u);
    EXPECT_EQ(square.vertexCount, 4u);
    EXPECT_LE(square.drawCount, square.vertexCount);
    EXPECT_EQ(square.drawCount % 3, 0u);

    // A triangle and a line: 3 x 2 faces would be 6 corners of the 5 there are.
    file("mixed.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nv 5 5 5\nv 6 6 6\nf 1 2 3\nl 4 5\n");
    MeshData mixed;
    import(mixed, dir + "/mixed.obj");
    EXPECT_LE(mixed.drawCount, mixed.vertexCount);
    EXPECT_EQ(mixed.drawCount % 3, 0u);
}

TEST_F(ModelImportTest, UnreadableOrMeshlessFilesEndTheProcessWithStatus255)
{
    const std::string missing = dir + "\\absent.obj";
    auto absent = runProcess({modelProbe, missing});
    EXPECT_EQ(absent.exitStatus, 255);
    EXPECT_EQ(absent.out, "Load model " + missing + "\nERROR READING MESH: " + missing +
                              "\nPress any key to continue . . .\n");

    // A file with no mesh at all is reported like an unreadable one.
    const std::string empty = file("empty.obj", "# nothing here\nmtllib none.mtl\n");
    auto meshless = runProcess({modelProbe, empty});
    EXPECT_EQ(meshless.exitStatus, 255);
    EXPECT_EQ(meshless.out, "Load model " + empty + "\nERROR READING MESH: " + empty +
                                "\nPress any key to continue . . .\n");

    const std::string good = file("bare.obj", "v 0 0 0\nv 1 0 0\nv 0 1 0\nf 1 2 3\n");
    auto loaded = runProcess({modelProbe, good});
    EXPECT_EQ(loaded.exitStatus, 0) << loaded.out << loaded.err;
    EXPECT_EQ(loaded.out, "Load model " + good + "\nModel " + good + " loaded\nvertices 3\n");
}

class ImageLoadTest : public ModelImportTest {};

TEST_F(ImageLoadTest, ImagesThatAreNot24BitAreConverted)
{
    writeGreyImage(dir + "/grey.jpg", 5, 3, 90);
    writeGreyImage(dir + "/palette.bmp", 7, 2, 40);
    write32BitImage(dir + "/alpha.bmp", 3, 3, Rgb{10, 20, 30});

    struct Case {
        const char* name;
        unsigned int width, height;
        int b, g, r;
    };
    const Case cases[] = {{"grey.jpg", 5, 3, 90, 90, 90}, {"palette.bmp", 7, 2, 40, 40, 40}, {"alpha.bmp", 3, 3, 30, 20, 10}};
    for (const Case& c : cases) {
        const Image image = loadImage(dir + "/" + c.name);
        ASSERT_FALSE(image.empty()) << c.name;
        EXPECT_EQ(image.width, c.width) << c.name;
        EXPECT_EQ(image.height, c.height) << c.name;
        // The last pixel of the top row, read as 24-bit rows padded to 4 bytes,
        // is inside the image and holds its colour.
        const unsigned int pitch = (c.width * 3 + 3) / 4 * 4;
        const unsigned char* last = image.pixels + pitch * (c.height - 1) + 3 * (c.width - 1);
        EXPECT_NEAR(last[0], c.b, 2) << c.name;
        EXPECT_NEAR(last[1], c.g, 2) << c.name;
        EXPECT_NEAR(last[2], c.r, 2) << c.name;
    }
}

TEST_F(ImageLoadTest, FailedLoadGivesAnEmptyImageAndNoMessage)
{
    writeFile(dir + "/garbage.jpg", "this is not an image");
    ::testing::internal::CaptureStdout();
    ::testing::internal::CaptureStderr();
    const Image absent = loadImage(dir + "/absent.jpg");
    const Image garbage = loadImage(dir + "/garbage.jpg");
    const std::string out = ::testing::internal::GetCapturedStdout();
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_TRUE(absent.empty());
    EXPECT_EQ(absent.width, 0u);
    EXPECT_TRUE(garbage.empty());
    EXPECT_EQ(out, "");
    EXPECT_EQ(err, "");
}

} // namespace
