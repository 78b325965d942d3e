// Text layout as the text renderer calls it: any byte string, at the scales the
// screens use, over the glyph table of the game's own font (rasterised with
// FreeType exactly as the renderer does, without the textures) or over a table
// whose metrics come from the input, within what FreeType can hand over for a
// damaged font (bitmaps up to 0xFFFF a side, bearings of any outline size).
#include "render/TextLayout.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <ft2build.h>
#include FT_FREETYPE_H

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

GlyphTable rasterisedGlyphs()
{
    GlyphTable glyphs;
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0)
        return glyphs;
    FT_Face face = nullptr;
    if (FT_New_Face(library, SANDLARK_FONT_FILE, 0, &face) == 0) {
        FT_Set_Pixel_Sizes(face, 0, 30);
        for (int code = 0; code < 128; ++code) {
            FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER);
            const FT_GlyphSlot slot = face->glyph;
            Glyph glyph;
            glyph.size = {static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows)};
            glyph.bearing = {slot->bitmap_left, slot->bitmap_top};
            glyph.advance = static_cast<unsigned int>(slot->advance.x);
            glyphs.emplace(static_cast<char>(code), glyph);
        }
        FT_Done_Face(face);
    }
    FT_Done_FreeType(library);
    return glyphs;
}

const GlyphTable& fontGlyphs()
{
    static const GlyphTable glyphs = rasterisedGlyphs();
    return glyphs;
}

GlyphTable inputGlyphs(FuzzedDataProvider& input)
{
    GlyphTable glyphs;
    const int count = input.ConsumeIntegralInRange(0, 40);
    constexpr int outline = 1 << 25; // 26.6 coordinates of the largest outline, in whole pixels
    for (int i = 0; i < count; ++i) {
        Glyph glyph;
        const char code = input.ConsumeIntegral<char>();
        glyph.size = {input.ConsumeIntegralInRange(0, 0xFFFF), input.ConsumeIntegralInRange(0, 0xFFFF)};
        glyph.bearing = {input.ConsumeIntegralInRange(-outline, outline), input.ConsumeIntegralInRange(-outline, outline)};
        glyph.advance = input.ConsumeIntegral<unsigned int>();
        glyphs.emplace(code, glyph);
    }
    return glyphs;
}

void fail(const char* what)
{
    std::cerr << "text layout: " << what << std::endl;
    std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    const bool fromInput = input.ConsumeBool();
    const GlyphTable glyphs = fromInput ? inputGlyphs(input) : fontGlyphs();
    // The screens draw at 0.5 to 2; the finish and a person's edits may ask for more.
    const float scale = input.ConsumeFloatingPointInRange(0.0f, 8.0f);
    const float x = input.ConsumeFloatingPointInRange(-4096.0f, 4096.0f);
    const float y = input.ConsumeFloatingPointInRange(-4096.0f, 4096.0f);
    const std::string text = input.ConsumeRemainingBytesAsString();

    std::size_t withGlyph = 0;
    for (const char ch : text)
        withGlyph += glyphs.count(ch);

    std::size_t emitted = 0;
    const float end = layoutText(glyphs, text, x, y, scale, [&](const Glyph&, const GlyphQuad& quad) {
        ++emitted;
        for (const float value : quad)
            if (!std::isfinite(value))
                fail("a quad corner is not finite");
    });
    if (emitted != withGlyph)
        fail("not one quad per byte with a glyph");
    if (!std::isfinite(end) || end < x)
        fail("the pen went left or off the number line");
    return 0;
}
