#pragma once
// Where the glyphs of a string go, without OpenGL: the quad of each glyph and
// the pen's walk along the baseline. The text renderer draws what this lays out.
#include <glm/vec2.hpp>

#include <array>
#include <functional>
#include <map>
#include <string_view>

// One rasterised character of the font.
struct Glyph {
    unsigned int texture = 0; // GL texture name of the bitmap (single channel)
    glm::ivec2 size{0};       // bitmap width and rows, in pixels
    glm::ivec2 bearing{0};    // bitmap left and top offsets from the pen, in pixels
    unsigned int advance = 0; // horizontal advance in 1/64 pixel (26.6 fixed point)
};

// Glyphs by character. Keys are signed `char`, so bytes 128 to 255 (negative
// keys) never find one of the 128 rasterised glyphs.
using GlyphTable = std::map<char, Glyph>;

// Six vertices of (x, y, u, v): two triangles. The top edge takes v = 0 and the
// bottom edge v = 1, because the glyph bitmaps are stored top row first.
using GlyphQuad = std::array<float, 24>;

// The quad of `glyph` with the pen at (x, y) on the baseline.
GlyphQuad glyphQuad(const Glyph& glyph, float x, float y, float scale);

// How far the pen moves after `glyph`: whole pixels of the advance (the 26.6
// fraction is dropped) times `scale`.
float penAdvance(const Glyph& glyph, float scale);

// Walks `text` byte by byte from (x, y), calling `emit` for every byte that has a
// glyph. Bytes without one draw nothing and leave the pen where it is.
// Returns the pen's final x.
float layoutText(const GlyphTable& glyphs, std::string_view text, float x, float y, float scale,
                 const std::function<void(const Glyph&, const GlyphQuad&)>& emit);

// How far the pen walks over `text`: the width a line takes, for lines placed
// by their middle or their end.
float textWidth(const GlyphTable& glyphs, std::string_view text, float scale);
