#include "render/FontGlyphs.h"

#include "platform/Platform.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

GlyphPixels pixelsOf(unsigned char mode)
{
    switch (mode) {
    case FT_PIXEL_MODE_MONO: return GlyphPixels::mono;
    case FT_PIXEL_MODE_GRAY2: return GlyphPixels::gray2;
    case FT_PIXEL_MODE_GRAY4: return GlyphPixels::gray4;
    case FT_PIXEL_MODE_GRAY: return GlyphPixels::gray;
    case FT_PIXEL_MODE_BGRA: return GlyphPixels::bgra;
    default: return GlyphPixels::other;
    }
}

// FreeType's bitmap as plain data: it holds `rows` rows of `pitch` bytes.
GlyphBitmap describe(const FT_Bitmap& bitmap)
{
    GlyphBitmap described;
    described.buffer = bitmap.buffer;
    described.bufferBytes = static_cast<std::size_t>(std::llabs(bitmap.pitch)) * bitmap.rows;
    described.width = bitmap.width;
    described.rows = bitmap.rows;
    described.pitch = bitmap.pitch;
    described.pixels = pixelsOf(bitmap.pixel_mode);
    return described;
}

// Sets the face `glyphPixelHeight` pixels high. A font of bitmaps alone has
// only the sizes it was drawn at: the nearest is taken and `scale` says how
// much its glyphs must grow or shrink. False when the face has no size.
bool setGlyphSize(FT_Face face, float& scale)
{
    scale = 1.0f;
    if (FT_Set_Pixel_Sizes(face, 0, glyphPixelHeight) == 0)
        return true;
    if (FT_IS_SCALABLE(face))
        return false;
    std::vector<float> sizes;
    for (int i = 0; i < face->num_fixed_sizes; ++i) {
        const FT_Bitmap_Size& size = face->available_sizes[i];
        sizes.push_back(size.y_ppem != 0 ? static_cast<float>(size.y_ppem) / 64.0f : static_cast<float>(size.height));
    }
    const StrikeChoice strike = nearestStrike(sizes, static_cast<float>(glyphPixelHeight));
    if (strike.index < 0 || FT_Select_Size(face, strike.index) != 0)
        return false;
    scale = strike.scale;
    return true;
}

// The advance in 26.6 scaled; a damaged font's advance may be negative or
// huge: it wraps into the unsigned field as the unscaled one does.
unsigned int scaledAdvance(FT_Pos advance, float scale)
{
    if (scale == 1.0f)
        return static_cast<unsigned int>(advance);
    const double scaled = std::clamp(static_cast<double>(advance) * scale, -1e18, 1e18);
    return static_cast<unsigned int>(std::llround(scaled));
}

// Loads character `code` into the glyph slot and renders it, as FT_LOAD_RENDER
// does, but leaves an outline larger than any glyph drawn unrendered
// (`tooLarge`): a damaged font's outline may span tens of thousands of pixels,
// and rendering it would fill a bitmap of a gigabyte, glyph after glyph.
// False when FreeType fails.
bool loadGlyph(FT_Face face, int code, bool& tooLarge)
{
    tooLarge = false;
    if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_DEFAULT) != 0)
        return false;
    const FT_GlyphSlot slot = face->glyph;
    if (slot->format == FT_GLYPH_FORMAT_BITMAP)
        return true;
    if (slot->format == FT_GLYPH_FORMAT_OUTLINE) {
        FT_BBox box;
        FT_Outline_Get_CBox(&slot->outline, &box);
        const double width = static_cast<double>(box.xMax) - static_cast<double>(box.xMin);
        const double height = static_cast<double>(box.yMax) - static_cast<double>(box.yMin);
        if (std::max(width, height) / 64.0 > largestGlyphSide) {
            tooLarge = true;
            return true;
        }
    }
    return FT_Render_Glyph(slot, FT_RENDER_MODE_NORMAL) == 0;
}

bool hasCoverage(const GlyphCoverage& coverage)
{
    for (const std::uint8_t pixel : coverage.pixels)
        if (pixel != 0)
            return true;
    return false;
}

std::vector<RasterisedGlyph> rasteriseFace(FT_Face face, const std::string& fontPath)
{
    std::vector<RasterisedGlyph> glyphs;
    float scale = 1.0f;
    if (!setGlyphSize(face, scale)) {
        std::cout << "Could not load font " << fontPath << ", because it cannot be drawn " << glyphPixelHeight
                  << " pixels high" << std::endl;
        return glyphs;
    }
    bool anyRefused = false, anyDrawn = false;
    glyphs.reserve(128);
    for (int code = 0; code < 128; ++code) {
        RasterisedGlyph rasterised;
        rasterised.code = static_cast<char>(code);
        bool tooLarge = false;
        if (!loadGlyph(face, code, tooLarge))
            std::cout << "Could not load glyph '" << rasterised.code << "'" << std::endl;
        // Made from whatever the glyph slot holds, even after a failed load:
        // the conversion reads only what the slot's bitmap says it has.
        const FT_GlyphSlot slot = face->glyph;
        ConvertedGlyph converted;
        if (tooLarge)
            converted.refusal = glyphTooLarge;
        else
            converted = convertGlyphBitmap(describe(slot->bitmap), scale);
        if (!converted.refusal.empty() && !anyRefused) {
            std::cout << "Could not draw every glyph of font " << fontPath << ", because " << converted.refusal
                      << std::endl;
            anyRefused = true;
        }
        anyDrawn = anyDrawn || hasCoverage(converted.coverage);
        Glyph& glyph = rasterised.glyph;
        glyph.size = {converted.coverage.width, converted.coverage.rows};
        glyph.bearing = {static_cast<int>(std::lround(slot->bitmap_left * static_cast<double>(scale))),
                         static_cast<int>(std::lround(slot->bitmap_top * static_cast<double>(scale)))};
        glyph.advance = scaledAdvance(slot->advance.x, scale);
        rasterised.coverage = std::move(converted.coverage);
        glyphs.push_back(std::move(rasterised));
    }
    if (!anyDrawn) {
        std::cout << "Could not load font " << fontPath << ", because none of its first 128 characters can be drawn"
                  << std::endl;
        glyphs.clear();
    }
    return glyphs;
}

} // namespace

std::vector<RasterisedGlyph> rasteriseFont(const std::string& fontPath)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        // Without FreeType there are no glyphs, and the text draws nothing.
        std::cout << "Could not init FreeType library" << std::endl;
        return {};
    }
    FT_Face face = nullptr;
    const FT_Error faceError = FT_New_Face(library, resolvePath(fontPath).c_str(), 0, &face);
    if (faceError != 0) {
        if (faceError == FT_Err_Unknown_File_Format)
            std::cout << "Could not load font, because the file format is not supported" << std::endl;
        else
            std::cout << "Could not load font" << std::endl;
        FT_Done_FreeType(library); // only what was obtained is released
        return {};
    }
    std::vector<RasterisedGlyph> glyphs = rasteriseFace(face, fontPath);
    // Releasing handles that were obtained cannot fail.
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    return glyphs;
}
