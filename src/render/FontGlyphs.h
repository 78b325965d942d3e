#pragma once
// The first 128 characters of a font file rasterised with FreeType for the text
// renderer: metrics and coverage, without OpenGL. Every kind of font FreeType
// reads either yields glyphs that draw as they should or is refused with one
// console line; nothing is read beyond what FreeType hands over.
#include "render/GlyphBitmap.h"
#include "render/TextLayout.h"

#include <string>
#include <vector>

// How high the text's glyphs are rasterised, in pixels.
constexpr unsigned int glyphPixelHeight = 30;

// One character: its metrics (`glyph.texture` still 0) and its coverage, as
// large as `glyph.size`.
struct RasterisedGlyph {
    char code = 0;
    Glyph glyph;
    GlyphCoverage coverage;
};

// The characters 0 to 127 of the font at `fontPath` (a game path), in that
// order, `glyphPixelHeight` pixels high; a font without outlines is drawn
// from its nearest size, scaled. Empty when the font cannot be used; every
// failure prints its line on standard output.
std::vector<RasterisedGlyph> rasteriseFont(const std::string& fontPath);
