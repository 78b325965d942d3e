#pragma once
// A glyph bitmap as a font hands it over, turned into what the text renderer
// uploads: one byte of coverage a pixel, rows packed tightly, top row first.
// Plain data in and out (no FreeType, no OpenGL), so every kind of bitmap a
// font can yield is checked without a font file or a window.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// How a bitmap stores its pixels: the kinds FreeType hands over for a glyph.
enum class GlyphPixels {
    mono,  // one bit a pixel, the leftmost pixel in the highest bit (bitmap fonts)
    gray2, // two bits a pixel, levels 0 to 3
    gray4, // four bits a pixel, levels 0 to 15
    gray,  // one byte a pixel, 0 to 255 (outlines, flattened colour glyphs)
    bgra,  // four bytes a pixel: blue, green, red, alpha (colour glyphs)
    other, // anything else (sub-pixel renderings): never drawn
};

// A bitmap in memory. `pitch` is the byte offset from one row to the row below
// it: positive when the top row is stored first; negative when the rows are
// stored bottom row first, `buffer` then pointing at the bottom row.
struct GlyphBitmap {
    const std::uint8_t* buffer = nullptr;
    std::size_t bufferBytes = 0; // how many bytes from `buffer` on may be read
    unsigned int width = 0;      // pixels
    unsigned int rows = 0;
    int pitch = 0;
    GlyphPixels pixels = GlyphPixels::gray;
};

// Coverage from 0 (none) to 255 (full), `width` x `rows` bytes, top row first,
// rows packed tightly (an unpack alignment of 1).
struct GlyphCoverage {
    int width = 0;
    int rows = 0;
    std::vector<std::uint8_t> pixels;
};

// The widest or tallest glyph the renderer draws, in pixels. Text is drawn 30
// pixels high; a glyph beyond this comes from a damaged font.
constexpr int largestGlyphSide = 1024;
// Why such a glyph is not drawn (a console line says it after "because").
constexpr const char* glyphTooLarge = "a glyph is larger than 1024 pixels";

// A converted glyph, or why it cannot be drawn.
struct ConvertedGlyph {
    GlyphCoverage coverage; // empty when refused
    std::string refusal;    // empty when drawn; else what a console line says after "because"
};

// `bitmap` as coverage, resampled by `scale` (1: pixel for pixel). Colour
// pixels become their alpha: the glyph's shape, drawn in the text's colour.
// Refused, never read beyond `bufferBytes`: pixels of another kind, a pitch
// smaller than a row, rows beyond the buffer, a side beyond largestGlyphSide
// (before or after scaling).
ConvertedGlyph convertGlyphBitmap(const GlyphBitmap& bitmap, float scale);

// `coverage` resampled to `width` x `rows`: each new pixel the average of the
// old ones under it (area averaging), so a large strike shrinks without losing
// thin strokes and a small one grows without gaps.
GlyphCoverage resampleCoverage(const GlyphCoverage& coverage, int width, int rows);

// The size of a font without outlines nearest to `wanted` pixels among the
// sizes it has (pixels per em; an entry of 0 or less is no size), and the
// factor its glyphs are scaled by: 1 within a tenth of `wanted`, since scaling
// a pixel font that nearly fits only blurs it. Of two sizes equally near, the
// smaller. `index` is -1 when there is no size.
struct StrikeChoice {
    int index = -1;
    float scale = 1.0f;
};
StrikeChoice nearestStrike(const std::vector<float>& pixelSizes, float wanted);
