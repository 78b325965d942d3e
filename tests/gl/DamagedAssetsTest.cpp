// Damaged model and image files that once crashed or stalled the game, found by
// the fuzzers (tests/fuzz): each is now refused before the library reads it.
// No GL context needed.
#include "assets/ImageLoader.h"
#include "assets/ImageSizeCheck.h"
#include "assets/ModelLoader.h"
#include "support/core/Process.h"
#include "support/gl/ImageFixtures.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

const char* triangleObj = "mtllib tri.mtl\nv 0 0 0\nv 1 0 0\nv 0 1 0\nusemtl red\nf 1 2 3\n";

class DamagedAssetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = makeScratchDirectory(std::string("damaged-") +
                                   ::testing::UnitTest::GetInstance()->current_test_info()->name());
    }

    std::string file(const std::string& name, const std::string& content)
    {
        writeFile(dir + "/" + name, content);
        return dir + "/" + name;
    }

    bool import(MeshData& data, const std::string& path)
    {
        ::testing::internal::CaptureStdout();
        ModelLoader loader;
        const bool loaded = loader.tryLoad(data, path, "", "");
        ::testing::internal::GetCapturedStdout();
        return loaded;
    }

    std::string dir;
};

} // namespace

TEST_F(DamagedAssetsTest, AMaterialLibraryWithATextureBeforeItsFirstMaterialReadsAsMissing)
{
    // Assimp 5.2 wrote through a null material here and the process died.
    writeGreyImage(dir + "/red.bmp", 2, 2, 200);
    file("tri.mtl", "map_Kd red.bmp\nnewmtl red\nKd 1 0 0\n");
    MeshData data;
    ASSERT_TRUE(import(data, file("tri.obj", triangleObj)));
    EXPECT_EQ(data.vertexCount, 3u);
    EXPECT_TRUE(data.colorImage.empty()) << "nothing of the library was read";
    EXPECT_NE(data.material.diffuse, glm::vec4(1, 0, 0, 1));

    // The same library with its material named first is read as usual.
    file("tri.mtl", "newmtl red\nKd 1 0 0\nmap_Kd red.bmp\n");
    MeshData good;
    ASSERT_TRUE(import(good, file("tri.obj", triangleObj)));
    EXPECT_FALSE(good.colorImage.empty());
    EXPECT_EQ(good.material.diffuse, glm::vec4(1, 0, 0, 1));
}

TEST_F(DamagedAssetsTest, AFolderWhereAFileShouldBeIsNotOpened)
{
    // A folder named as the material library: the model keeps the default material.
    fs::create_directories(dir + "/tri.mtl");
    MeshData data;
    EXPECT_TRUE(import(data, file("tri.obj", triangleObj)));
    EXPECT_EQ(data.vertexCount, 3u);

    // A folder named as the model: it cannot be read.
    fs::create_directories(dir + "/folder.obj");
    MeshData none;
    EXPECT_FALSE(import(none, dir + "/folder.obj"));
    EXPECT_TRUE(loadImage(dir + "/tri.mtl").empty());
}

TEST_F(DamagedAssetsTest, AnImageHeaderClaimingAHugeSizeIsNotDecoded)
{
    // 30 bytes of Targa that claim 19789 x 19789 pixels: decoding them made
    // the image library allocate and fill 1.1 GB.
    const unsigned char targa[] = {0x00, 0x00, 0x02, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00,
                                   0x00, 0x00, 0x4d, 0x4d, 0x4d, 0x4d, 0x18, 0x00, 0xff, 0x00,
                                   0x00, 0xff, 0x00, 0x00, 0x00, 0x87, 0xff, 0x00, 0x00, 0x1e};
    const std::string path = file("sky.jpg", std::string(reinterpret_cast<const char*>(targa), sizeof(targa)));
    EXPECT_TRUE(loadImage(path).empty());
}

TEST_F(DamagedAssetsTest, ImagesDecodeUpToTheSizeLimitAndNotBeyond)
{
    writeGreyImage(dir + "/widest.bmp", static_cast<int>(largestImageSide), 1, 90);
    writeGreyImage(dir + "/too-wide.bmp", static_cast<int>(largestImageSide) + 1, 1, 90);
    const Image widest = loadImage(dir + "/widest.bmp");
    EXPECT_EQ(widest.width, largestImageSide);
    EXPECT_EQ(widest.height, 1u);
    EXPECT_TRUE(loadImage(dir + "/too-wide.bmp").empty());

    EXPECT_TRUE(imageSizeAcceptable(largestImageSide, largestImageSide));
    EXPECT_FALSE(imageSizeAcceptable(largestImageSide, largestImageSide + 1));
    EXPECT_FALSE(imageSizeAcceptable(0, 10));
    EXPECT_FALSE(imageSizeAcceptable(10, 0));
}
