#include "app/LevelFlow.h"
#include "support/core/Process.h"

#include <FreeImage.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>

namespace fs = std::filesystem;

namespace {


// Writes an 8-bit grey image whose scan line `row` (0 at the bottom) holds
// grey(column, row).
void writeGrey(const fs::path& file, FREE_IMAGE_FORMAT format, int flags, int width, int height,
               const std::function<int(int, int)>& grey)
{
    fs::create_directories(file.parent_path());
    FIBITMAP* image = FreeImage_Allocate(width, height, 8);
    RGBQUAD* palette = FreeImage_GetPalette(image);
    for (int i = 0; i < 256; ++i)
        palette[i].rgbRed = palette[i].rgbGreen = palette[i].rgbBlue = static_cast<BYTE>(i);
    for (int row = 0; row < height; ++row) {
        BYTE* line = FreeImage_GetScanLine(image, row);
        for (int column = 0; column < width; ++column)
            line[column] = static_cast<BYTE>(grey(column, row));
    }
    ASSERT_TRUE(FreeImage_Save(format, image, file.c_str(), flags));
    FreeImage_Unload(image);
}

// A scratch folder of the running test's own.
fs::path scratch() { return makeScratchDirectory("terrain-image"); }

float heightOf(int c)
{
    return 100.0f * (c / 256.0f) * (c / 256.0f) + c / 128.0f - 2.0f;
}

} // namespace

TEST(TerrainImage, DecodesAGreyImageBottomRowFirstThroughTheGamesPath)
{
    const fs::path folder = scratch();
    auto grey = [](int column, int row) { return (column * 40 + row * 7) % 256; };
    writeGrey(folder / "Lossless" / "Heights.png", FIF_PNG, 0, 6, 5, grey);

    // The game writes backslashes and does not always match the case on disk.
    const auto map = loadTerrain((folder / "LOSSLESS" / "heights.PNG").string());
    ASSERT_EQ(map->width, 6);
    ASSERT_EQ(map->height, 5);
    EXPECT_EQ(map->heightScale, 100);
    EXPECT_EQ(map->originX, -750.0f);
    EXPECT_EQ(map->originZ, -750.0f);
    for (int row = 0; row < 5; ++row)
        for (int column = 0; column < 6; ++column)
            EXPECT_EQ(map->blueAt(column, row), grey(column, row)) << column << ", " << row;
    // Column 3 is x = -747, row 2 is z = 748.
    EXPECT_EQ(map->heightAt(-747.0f, 748.0f), heightOf(grey(3, 2)));
    EXPECT_EQ(map->heightAt(-745.0f, 746.0f), heightOf(grey(5, 4)));
    EXPECT_EQ(map->heightAt(-744.0f, 746.0f), -1.0f) << "column 6 is beyond the image";
}

TEST(TerrainImage, AGreyJpegWorksToo)
{
    const fs::path folder = scratch();
    const fs::path file = folder / "grey.jpg";
    writeGrey(file, FIF_JPEG, JPEG_QUALITYSUPERB, 16, 16, [](int, int) { return 128; });
    FIBITMAP* check = FreeImage_Load(FIF_JPEG, file.c_str(), 0);
    ASSERT_NE(check, nullptr);
    EXPECT_EQ(FreeImage_GetBPP(check), 8u) << "the file decodes to 8-bit grey";
    FreeImage_Unload(check);

    const auto map = loadTerrain(file.string());
    ASSERT_EQ(map->width, 16);
    for (int row = 1; row < 16; ++row)
        for (int column = 1; column < 16; ++column)
            EXPECT_EQ(map->heightAt(-750.0f + column, 750.0f - row), 24.0f) << column << ", " << row;
}

TEST(TerrainImage, AColourImageIsReadByItsBlueByte)
{
    const fs::path folder = scratch();
    const fs::path file = folder / "colour.bmp";
    fs::create_directories(folder);
    FIBITMAP* image = FreeImage_Allocate(4, 4, 24);
    for (int row = 0; row < 4; ++row) {
        BYTE* line = FreeImage_GetScanLine(image, row);
        for (int column = 0; column < 4; ++column) {
            line[column * 3 + FI_RGBA_RED] = 250;
            line[column * 3 + FI_RGBA_GREEN] = 10;
            line[column * 3 + FI_RGBA_BLUE] = static_cast<BYTE>(64 * row);
        }
    }
    ASSERT_TRUE(FreeImage_Save(FIF_BMP, image, file.c_str(), 0));
    FreeImage_Unload(image);

    const auto map = loadTerrain(file.string());
    EXPECT_EQ(map->heightAt(-748.0f, 749.0f), heightOf(64));
    EXPECT_EQ(map->heightAt(-748.0f, 747.0f), heightOf(192));
}

TEST(TerrainImage, AMissingHeightmapSaysSoOnceAndEverythingIsOutside)
{
    const fs::path folder = scratch();
    const std::string missing = (folder / "nowhere" / "desertHeightmapCollision.jpg").string();
    testing::internal::CaptureStdout();
    const auto map = loadTerrain(missing);
    const std::string output = testing::internal::GetCapturedStdout();
    EXPECT_EQ(output, "Could not load the heightmap " + missing + "\n");
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->width, 0);
    EXPECT_EQ(map->height, 0);
    for (float x : {-749.0f, 0.0f, 500.0f})
        EXPECT_EQ(map->heightAt(x, 0.0f), -1.0f);
}
