#include "game/Terrain.h"
#include "assets/Image.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

// A 1500 by 1500 heightmap whose blue byte encodes where it is, so a lookup
// shows which pixel it read: column plus row, modulo 256.
Terrain patterned(int width = 1500, int height = 1500)
{
    std::vector<std::uint8_t> blue(static_cast<std::size_t>(width) * height);
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            blue[static_cast<std::size_t>(row) * width + column] = static_cast<std::uint8_t>((column + row) % 256);
    return Terrain(width, height, std::move(blue));
}

float heightOf(int c)
{
    return 100.0f * (c / 256.0f) * (c / 256.0f) + c / 128.0f - 2.0f;
}

} // namespace

TEST(Terrain, GreyValuesGiveTheParabolaOverA256Scale)
{
    struct Case {
        std::uint8_t grey;
        float height;
    };
    for (const Case& c : {Case{0, -2.0f}, Case{1, -1.99066162109375f}, Case{64, 4.75f}, Case{128, 24.0f},
                          Case{192, 55.75f}, Case{255, 99.21246337890625f}}) {
        const Terrain flat(4, 4, std::vector<std::uint8_t>(16, c.grey));
        EXPECT_EQ(flat.heightAt(-748.5f, 748.5f), c.height) << "grey " << int(c.grey);
    }
}

TEST(Terrain, ReadsThePixelUnderThePointWithRowsFromTheBottom)
{
    const Terrain map = patterned();
    struct Case {
        float x, z;
        int column, row;
    };
    for (const Case& c : {Case{10.9f, 0.0f, 760, 750}, Case{-749.0f, 749.0f, 1, 1}, Case{749.9f, -749.0f, 1499, 1499},
                          Case{0.5f, 0.5f, 750, 749}, Case{-0.5f, -0.5f, 749, 750}, Case{-100.25f, 300.75f, 649, 449}}) {
        EXPECT_EQ(map.heightAt(c.x, c.z), heightOf((c.column + c.row) % 256)) << c.x << ", " << c.z;
        EXPECT_EQ(map.blueAt(c.column, c.row), (c.column + c.row) % 256);
    }
}

TEST(Terrain, ColumnZeroRowZeroAndEverythingBeyondAreOutside)
{
    const Terrain map = patterned();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    struct Case {
        float x, z;
    };
    for (const Case& c : {Case{-750.0f, 0}, Case{-749.5f, 0}, Case{-749.01f, 0}, Case{-800, 0}, Case{750.0f, 0},
                          Case{0, 750.0f}, Case{0, 749.5f}, Case{0, -750.0f}, Case{0, -900}, Case{nan, 0}, Case{0, nan},
                          Case{inf, 0}, Case{-inf, 0}, Case{0, inf}, Case{0, -inf}, Case{1e30f, 0}, Case{-1e30f, 0},
                          Case{0, 3e9f}, Case{0, -3e9f}}) {
        EXPECT_EQ(map.heightAt(c.x, c.z), -1.0f) << c.x << ", " << c.z;
    }
    EXPECT_NE(map.heightAt(-749.0f, 0), -1.0f) << "column 1 is used";
    EXPECT_NE(map.heightAt(0, 749.0f), -1.0f) << "row 1 is used";
    // Just inside the far edge: 1500 - 0.000061 truncates to row 1499 in double
    // precision; in single precision it would round up to 1500 and fall outside.
    EXPECT_EQ(map.heightAt(0, -749.99994f), heightOf((750 + 1499) % 256));
}

TEST(Terrain, TheRowConstantStays1500WhateverTheImageHeight)
{
    // 1500 wide, 1000 high: row = 750 - z, so z at -250 or below runs off the top.
    const Terrain map = patterned(1500, 1000);
    EXPECT_EQ(map.heightAt(0, -249.0f), heightOf((750 + 999) % 256));
    EXPECT_EQ(map.heightAt(0, -249.5f), heightOf((750 + 999) % 256));
    EXPECT_EQ(map.heightAt(0, -250.0f), -1.0f);
    EXPECT_EQ(map.heightAt(0, -600.0f), -1.0f);
}

TEST(Terrain, WithoutAnImageEveryQueryIsOutside)
{
    const Terrain missing;
    EXPECT_EQ(missing.heightAt(0, 0), -1.0f);
    EXPECT_EQ(missing.heightAt(-749, 749), -1.0f);
    const Terrain mismatched(10, 10, std::vector<std::uint8_t>(5, 200));
    EXPECT_EQ(mismatched.width, 0);
    EXPECT_EQ(mismatched.heightAt(-745, 745), -1.0f);
}

TEST(Terrain, ReadsTheBlueOfADecodedImageWhoseRowsArePadded)
{
    // Five pixels of three bytes make 15, padded to 16 a row. Padding bytes
    // and the green and red ones hold values no pixel's blue has.
    const unsigned width = 5, height = 3, pitch = 16;
    std::vector<unsigned char> bytes(pitch * height, 255);
    for (unsigned row = 0; row < height; ++row)
        for (unsigned column = 0; column < width; ++column) {
            unsigned char* pixel = &bytes[row * pitch + column * 3];
            pixel[0] = static_cast<unsigned char>(row * 10 + column);
            pixel[1] = pixel[2] = 200;
        }
    Image image;
    image.pixels = bytes.data();
    image.width = width;
    image.height = height;

    const Terrain map(image);
    ASSERT_EQ(map.width, 5);
    ASSERT_EQ(map.height, 3);
    for (int row = 0; row < 3; ++row)
        for (int column = 0; column < 5; ++column)
            EXPECT_EQ(map.blueAt(column, row), row * 10 + column) << column << ", " << row;
}
