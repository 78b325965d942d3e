// The application icons as the build wrote them into its hicolor tree: every
// size a desktop asks for, a rounded tile on a transparent square, the same
// picture at every size, and at 48 pixels a crawler that still reads as one
// dark shape against the bright dusk sky.
#include <FreeImage.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "Icon.h"

namespace {

struct RgbaImage {
    int width = 0;
    int height = 0;
    int bitsPerPixel = 0;
    std::vector<glm::vec4> pixels;  // top row first
    const glm::vec4& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
};

std::string iconPath(int size) {
    const std::string name = std::to_string(size) + "x" + std::to_string(size);
    return std::string(SANDLARK_ICONS_DIR) + "/hicolor/" + name + "/apps/sandlark.png";
}

RgbaImage readIcon(int size) {
    RgbaImage image;
    const std::string path = iconPath(size);
    FIBITMAP* bitmap = FreeImage_Load(FreeImage_GetFileType(path.c_str(), 0), path.c_str(), 0);
    if (!bitmap) return image;
    image.bitsPerPixel = int(FreeImage_GetBPP(bitmap));
    FIBITMAP* rgba = FreeImage_ConvertTo32Bits(bitmap);
    FreeImage_Unload(bitmap);
    image.width = int(FreeImage_GetWidth(rgba));
    image.height = int(FreeImage_GetHeight(rgba));
    for (int y = 0; y < image.height; ++y) {
        const BYTE* line = FreeImage_GetScanLine(rgba, image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            const BYTE* p = line + x * 4;
            image.pixels.push_back(glm::vec4(p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE], p[FI_RGBA_ALPHA]) / 255.0f);
        }
    }
    FreeImage_Unload(rgba);
    return image;
}

float luma(const glm::vec4& p) { return 0.299f * p.r + 0.587f * p.g + 0.114f * p.b; }

// The average colour (alpha-weighted) over each `block` x `block` square.
std::vector<glm::vec3> boxDown(const RgbaImage& image, int block) {
    std::vector<glm::vec3> out;
    for (int y = 0; y + block <= image.height; y += block)
        for (int x = 0; x + block <= image.width; x += block) {
            glm::vec3 sum(0.0f);
            for (int j = 0; j < block; ++j)
                for (int i = 0; i < block; ++i) {
                    const glm::vec4& p = image.at(x + i, y + j);
                    sum += glm::vec3(p) * p.a;
                }
            out.push_back(sum / float(block * block));
        }
    return out;
}

class Icons : public ::testing::Test {
protected:
    static void SetUpTestSuite() { FreeImage_Initialise(FALSE); }
    static void TearDownTestSuite() { FreeImage_DeInitialise(); }
};

TEST_F(Icons, EverySizeADesktopAsksForIsASquarePngWithAlpha) {
    const std::vector<int>& sizes = iconSizes();
    for (int wanted : {48, 64, 128, 256})
        EXPECT_NE(std::find(sizes.begin(), sizes.end(), wanted), sizes.end()) << wanted << " pixels";
    for (int size : sizes) {
        RgbaImage icon = readIcon(size);
        ASSERT_EQ(icon.width, size) << iconPath(size);
        EXPECT_EQ(icon.height, size);
        EXPECT_EQ(icon.bitsPerPixel, 32) << "the corners need an alpha channel";
    }
}

TEST_F(Icons, TheTileHasTransparentRoundedCornersAnOpaqueMiddleAndSmoothEdges) {
    for (int size : iconSizes()) {
        RgbaImage icon = readIcon(size);
        ASSERT_EQ(icon.width, size);
        const int last = size - 1, inset = size / 24;
        for (auto [x, y] : {std::pair{0, 0}, {last, 0}, {0, last}, {last, last}})
            EXPECT_EQ(icon.at(x, y).a, 0.0f) << size << " px corner " << x << "," << y;
        // Just inside the margin on the diagonal: still outside the rounding.
        EXPECT_EQ(icon.at(inset + 1, inset + 1).a, 0.0f) << size << " px: the corners are rounded";
        EXPECT_EQ(icon.at(size / 2, size / 2).a, 1.0f) << size;
        EXPECT_EQ(icon.at(size / 2, inset + 2).a, 1.0f) << size << " px: the tile reaches the top margin";
        EXPECT_EQ(icon.at(size / 2, 0).a, 0.0f) << size << " px: a margin above the tile";
        int partial = 0;
        for (const glm::vec4& p : icon.pixels) partial += (p.a > 0.0f && p.a < 1.0f) ? 1 : 0;
        EXPECT_GE(partial, size / 2) << size << " px: the rounded edge is anti-aliased";
    }
}

TEST_F(Icons, EverySizeShowsTheSamePicture) {
    RgbaImage small = readIcon(48);
    ASSERT_EQ(small.width, 48);
    // Both down to 16 pixels, where the composition shows and detail does not.
    const std::vector<glm::vec3> reference = boxDown(small, 3);
    for (int size : iconSizes()) {
        if (size == 48) continue;
        ASSERT_EQ(size % 16, 0) << "a whole number of pixels per block";
        RgbaImage icon = readIcon(size);
        ASSERT_EQ(icon.width, size);
        const std::vector<glm::vec3>& a = reference;
        std::vector<glm::vec3> b = boxDown(icon, size / 16);
        ASSERT_EQ(a.size(), b.size());
        float difference = 0.0f;
        for (size_t i = 0; i < a.size(); ++i) difference += glm::length(a[i] - b[i]) / std::sqrt(3.0f);
        EXPECT_LT(difference / float(a.size()), 0.05f) << size << " px differs from 48 px";
    }
}

TEST_F(Icons, At48PixelsTheCrawlerIsOneDarkShapeAgainstTheBrightSky) {
    RgbaImage icon = readIcon(48);
    ASSERT_EQ(icon.width, 48);
    const int size = 48;
    std::vector<int> dark(size * size, 0);
    int darkCount = 0, brightCount = 0, opaque = 0;
    for (int y = 0; y < size; ++y)
        for (int x = 0; x < size; ++x) {
            const glm::vec4& p = icon.at(x, y);
            if (p.a < 1.0f) continue;
            ++opaque;
            if (luma(p) < 0.35f) {
                dark[size_t(y * size + x)] = 1;
                ++darkCount;
            }
            brightCount += luma(p) > 0.6f ? 1 : 0;
        }
    ASSERT_GT(opaque, size * size / 2);
    EXPECT_GT(darkCount, opaque * 15 / 100) << "a dark silhouette fills a good part of the tile";
    EXPECT_GT(brightCount, opaque / 4) << "bright sky around it";

    // The largest 4-connected dark shape holds most of the dark pixels, and it
    // sits in the middle of the tile: the crawler, not dark noise or corners.
    int largest = 0;
    glm::vec2 largestCentre(0.0f);
    std::vector<int> stack;
    for (int start = 0; start < size * size; ++start) {
        if (dark[size_t(start)] != 1) continue;
        int count = 0;
        glm::vec2 sum(0.0f);
        stack.assign(1, start);
        dark[size_t(start)] = 2;
        while (!stack.empty()) {
            int i = stack.back();
            stack.pop_back();
            int x = i % size, y = i / size;
            ++count;
            sum += glm::vec2(float(x), float(y));
            for (auto [dx, dy] : {std::pair{1, 0}, {-1, 0}, {0, 1}, {0, -1}}) {
                int nx = x + dx, ny = y + dy;
                if (nx < 0 || ny < 0 || nx >= size || ny >= size || dark[size_t(ny * size + nx)] != 1) continue;
                dark[size_t(ny * size + nx)] = 2;
                stack.push_back(ny * size + nx);
            }
        }
        if (count > largest) {
            largest = count;
            largestCentre = sum / float(count);
        }
    }
    EXPECT_GT(largest, darkCount * 8 / 10) << "the dark pixels form one shape";
    EXPECT_NEAR(largestCentre.x, size * 0.5f, size * 0.2f);
    EXPECT_NEAR(largestCentre.y, size * 0.6f, size * 0.2f);
}

}  // namespace
