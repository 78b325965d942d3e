#include "render/TextLayout.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

Glyph glyphOf(int width, int rows, int left, int top, unsigned int advance)
{
    Glyph glyph;
    glyph.size = {width, rows};
    glyph.bearing = {left, top};
    glyph.advance = advance;
    return glyph;
}

TEST(TextLayout, PenAdvanceDropsTheFractionBeforeScaling)
{
    struct Case {
        unsigned int advance;
        float scale;
        float expected;
    };
    const Case cases[] = {
        {1216, 1.5f, 28.5f}, // exactly 19 pixels
        {1250, 1.5f, 28.5f}, // 19.53 pixels: the .53 is dropped first, not after scaling
        {1250, 1.0f, 19.0f},
        {63, 2.0f, 0.0f},    // less than a pixel moves nothing
        {640, 0.5f, 5.0f},
    };
    for (const Case& c : cases)
        EXPECT_FLOAT_EQ(penAdvance(glyphOf(0, 0, 0, 0, c.advance), c.scale), c.expected)
            << c.advance << " at " << c.scale;
}

TEST(TextLayout, GlyphBelowTheBaselineReachesUnderIt)
{
    // 25 rows with the top 20 above the baseline: 5 rows hang below it.
    const Glyph glyph = glyphOf(12, 25, 2, 20, 0);
    const float x = 100.0f, y = 50.0f, scale = 2.0f;
    const GlyphQuad quad = glyphQuad(glyph, x, y, scale);
    const float left = x + 2 * scale, right = left + 12 * scale;
    const float bottom = y - 5 * scale, top = y + 20 * scale;
    const std::vector<float> expected = {
        left, top, 0, 0,  left, bottom, 0, 1,  right, bottom, 1, 1,
        left, top, 0, 0,  right, bottom, 1, 1, right, top, 1, 0,
    };
    ASSERT_EQ(quad.size(), expected.size());
    for (size_t i = 0; i < expected.size(); ++i)
        EXPECT_FLOAT_EQ(quad[i], expected[i]) << "component " << i;
}

struct Emitted {
    unsigned int texture;
    float left;
};

std::vector<Emitted> layout(const GlyphTable& glyphs, const std::string& text, float x, float scale, float* endX)
{
    std::vector<Emitted> emitted;
    *endX = layoutText(glyphs, text, x, 10.0f, scale, [&](const Glyph& glyph, const GlyphQuad& quad) {
        emitted.push_back({glyph.texture, quad[0]});
    });
    return emitted;
}

GlyphTable smallFont()
{
    GlyphTable glyphs;
    glyphs['A'] = glyphOf(10, 20, 1, 20, 12 * 64);
    glyphs['A'].texture = 1;
    glyphs['B'] = glyphOf(9, 20, 2, 20, 11 * 64 + 40); // a fractional advance
    glyphs['B'].texture = 2;
    glyphs[' '] = glyphOf(0, 0, 0, 0, 7 * 64); // FreeType's empty bitmap
    glyphs[' '].texture = 3;
    return glyphs;
}

TEST(TextLayout, BytesAboveTheTableDrawNothingAndKeepThePen)
{
    const GlyphTable glyphs = smallFont();
    float endX = 0.0f;
    const std::string text = std::string("A") + static_cast<char>(200) + "B" + static_cast<char>(255);
    const auto emitted = layout(glyphs, text, 5.0f, 1.0f, &endX);
    ASSERT_EQ(emitted.size(), 2u);
    EXPECT_EQ(emitted[0].texture, 1u);
    EXPECT_EQ(emitted[1].texture, 2u);
    // B starts right where A's advance left the pen: byte 200 did not move it.
    EXPECT_FLOAT_EQ(emitted[1].left, 5.0f + 12.0f + 2.0f);
    EXPECT_FLOAT_EQ(endX, 5.0f + 12.0f + 11.0f);
}

TEST(TextLayout, SpaceIsAnEmptyQuadThatStillAdvances)
{
    const GlyphTable glyphs = smallFont();
    float endX = 0.0f;
    const auto emitted = layout(glyphs, "A B", 0.0f, 2.0f, &endX);
    ASSERT_EQ(emitted.size(), 3u);
    EXPECT_EQ(emitted[1].texture, 3u);
    EXPECT_FLOAT_EQ(emitted[2].left, (12.0f + 7.0f) * 2.0f + 2.0f * 2.0f);
    EXPECT_FLOAT_EQ(endX, (12.0f + 7.0f + 11.0f) * 2.0f);
}

TEST(TextLayout, EmptyStringDrawsNothing)
{
    float endX = 0.0f;
    EXPECT_TRUE(layout(smallFont(), "", 42.0f, 1.0f, &endX).empty());
    EXPECT_FLOAT_EQ(endX, 42.0f);
}

} // namespace
