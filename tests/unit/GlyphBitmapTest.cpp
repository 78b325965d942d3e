#include "render/GlyphBitmap.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

GlyphBitmap bitmapOf(const Bytes& buffer, unsigned int width, unsigned int rows, int pitch, GlyphPixels pixels)
{
    GlyphBitmap bitmap;
    bitmap.buffer = buffer.data();
    bitmap.bufferBytes = buffer.size();
    bitmap.width = width;
    bitmap.rows = rows;
    bitmap.pitch = pitch;
    bitmap.pixels = pixels;
    return bitmap;
}

// One picture, 5 x 2, in every kind of pixel a font hands over; the padding
// past each row's last pixel is set, and must not show.
TEST(GlyphBitmap, EveryKindOfPixelGivesTheSameCoveragePackedTopRowFirst)
{
    const Bytes expected = {255, 0, 255, 0, 255, //
                            0, 255, 0, 255, 0};
    struct Case {
        const char* name;
        GlyphPixels pixels;
        int pitch;
        Bytes buffer;
    };
    const Case cases[] = {
        // Rows padded to 4 bytes, as bitmap fonts come.
        {"mono", GlyphPixels::mono, 4, {0xAF, 0xFF, 0xFF, 0xFF, 0x57, 0xFF, 0xFF, 0xFF}},
        {"gray2", GlyphPixels::gray2, 2, {0xCC, 0xFF, 0x33, 0x3F}},
        {"gray4", GlyphPixels::gray4, 3, {0xF0, 0xF0, 0xFF, 0x0F, 0x0F, 0x0F}},
        {"gray", GlyphPixels::gray, 6, {255, 0, 255, 0, 255, 9, 0, 255, 0, 255, 0, 9}},
        // Colour: the alpha is the coverage, whatever the colour.
        {"bgra", GlyphPixels::bgra, 20, {9, 9, 9, 255, 0, 0, 0, 0, 1, 2, 3, 255, 9, 9, 9, 0, 0, 0, 0, 255, //
                                         9, 9, 9, 0, 0, 0, 0, 255, 1, 2, 3, 0, 9, 9, 9, 255, 0, 0, 0, 0}},
    };
    for (const Case& c : cases) {
        const ConvertedGlyph glyph = convertGlyphBitmap(bitmapOf(c.buffer, 5, 2, c.pitch, c.pixels), 1.0f);
        EXPECT_EQ(glyph.refusal, "") << c.name;
        EXPECT_EQ(glyph.coverage.width, 5) << c.name;
        EXPECT_EQ(glyph.coverage.rows, 2) << c.name;
        EXPECT_EQ(glyph.coverage.pixels, expected) << c.name;
    }
    // Rows stored bottom row first (a negative pitch, the buffer starting at
    // the bottom row) still come out top row first.
    const Bytes bottomUp = {0x57, 0, 0xAF, 0};
    const ConvertedGlyph upward = convertGlyphBitmap(bitmapOf(bottomUp, 5, 2, -2, GlyphPixels::mono), 1.0f);
    EXPECT_EQ(upward.coverage.pixels, expected);
}

TEST(GlyphBitmap, BitmapsThatCannotBeReadSafelyAreRefusedWithTheirReason)
{
    const Bytes twelve(12, 0xFF);
    struct Case {
        const char* name;
        GlyphBitmap bitmap;
        float scale;
        const char* refusal;
    };
    GlyphBitmap noBuffer = bitmapOf(twelve, 3, 4, 3, GlyphPixels::gray);
    noBuffer.buffer = nullptr;
    const Case cases[] = {
        {"pitch shorter than a row", bitmapOf(twelve, 4, 3, 3, GlyphPixels::gray), 1.0f,
         "a glyph bitmap does not hold its rows"},
        {"rows beyond the buffer", bitmapOf(twelve, 3, 5, 3, GlyphPixels::gray), 1.0f,
         "a glyph bitmap does not hold its rows"},
        {"rows beyond the buffer, upwards", bitmapOf(twelve, 3, 5, -3, GlyphPixels::gray), 1.0f,
         "a glyph bitmap does not hold its rows"},
        {"colour pitch shorter than a row", bitmapOf(twelve, 2, 1, 7, GlyphPixels::bgra), 1.0f,
         "a glyph bitmap does not hold its rows"},
        {"no buffer", noBuffer, 1.0f, "a glyph bitmap does not hold its rows"},
        {"sub-pixel rendering", bitmapOf(twelve, 1, 4, 3, GlyphPixels::other), 1.0f,
         "its glyph bitmaps are of a kind that cannot be drawn"},
        {"too wide", bitmapOf(twelve, 1025, 1, 0, GlyphPixels::mono), 1.0f, "a glyph is larger than 1024 pixels"},
        {"too tall once scaled", bitmapOf(twelve, 3, 4, 3, GlyphPixels::gray), 300.0f,
         "a glyph is larger than 1024 pixels"},
    };
    for (const Case& c : cases) {
        const ConvertedGlyph glyph = convertGlyphBitmap(c.bitmap, c.scale);
        EXPECT_EQ(glyph.refusal, c.refusal) << c.name;
        EXPECT_TRUE(glyph.coverage.pixels.empty()) << c.name;
    }
    // An empty bitmap (a space) has nothing to read: no buffer is fine.
    const ConvertedGlyph space = convertGlyphBitmap(bitmapOf({}, 0, 0, 0, GlyphPixels::mono), 1.0f);
    EXPECT_EQ(space.refusal, "");
    EXPECT_EQ(space.coverage.width * space.coverage.rows, 0);
}

TEST(GlyphBitmap, ScalingAveragesTheAreaUnderEachNewPixel)
{
    // A 4 x 4 ring of one-pixel strokes shrunk to 2 x 2: each quarter holds
    // three of four pixels lit. Then a 2-pixel bar grown by 1.5.
    const Bytes ring = {255, 255, 255, 255, //
                        255, 0, 0, 255,     //
                        255, 0, 0, 255,     //
                        255, 255, 255, 255};
    const ConvertedGlyph shrunk = convertGlyphBitmap(bitmapOf(ring, 4, 4, 4, GlyphPixels::gray), 0.5f);
    EXPECT_EQ(shrunk.coverage.width, 2);
    EXPECT_EQ(shrunk.coverage.rows, 2);
    EXPECT_EQ(shrunk.coverage.pixels, Bytes(4, 191)) << "thin strokes are kept, not skipped";

    const ConvertedGlyph grown = convertGlyphBitmap(bitmapOf({0xC0}, 2, 1, 1, GlyphPixels::mono), 1.5f);
    EXPECT_EQ(grown.coverage.width, 3);
    EXPECT_EQ(grown.coverage.rows, 2); // 1.5 rows round up
    EXPECT_EQ(grown.coverage.pixels, Bytes(6, 255));
}

TEST(GlyphBitmap, TheNearestSizeIsTakenAndScaledOnlyWhenItIsFarFromTheWantedOne)
{
    struct Case {
        std::vector<float> sizes;
        int index;
        float scale;
    };
    const Case cases[] = {
        {{20.0f}, 0, 1.5f},                       // a 20-pixel font grows
        {{109.0f}, 0, 30.0f / 109.0f},            // a colour font's one large size shrinks
        {{12.0f, 28.0f, 32.0f, 40.0f}, 1, 1.0f},  // 28 and 32 are as near: the smaller, unscaled
        {{33.0f, 16.0f}, 0, 1.0f},                // within a tenth
        {{0.0f, -4.0f, 60.0f}, 2, 0.5f},          // sizes of nothing are passed over
        {{0.0f}, -1, 1.0f},
        {{}, -1, 1.0f},
    };
    for (const Case& c : cases) {
        const StrikeChoice choice = nearestStrike(c.sizes, 30.0f);
        EXPECT_EQ(choice.index, c.index) << c.sizes.size() << " sizes";
        EXPECT_FLOAT_EQ(choice.scale, c.scale) << c.sizes.size() << " sizes";
    }
}

} // namespace
