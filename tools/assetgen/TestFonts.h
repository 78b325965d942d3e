#pragma once
// Small fonts of the kinds a player may put in place of the game's, made from
// code: a one-bit bitmap font (BDF), a TrueType outline font and a colour
// bitmap font (PNG glyphs in CBDT and CBLC tables). The text renderer's tests
// draw them and the glyph fuzz target starts from them.
//
// Each holds the same three characters drawn on one grid of 7 x 8 cells with
// the baseline under the last row: 'T' (a bar of two rows over a stem three
// cells wide), 'L' (a stem two cells wide over a foot of two rows) and the
// space; a cell is a tenth of the font's size, and the pen moves 8 cells a
// letter, 5 a space. Every other character is missing.
#include <string>

// The cells of 'T' and 'L', top row first ('#' filled, '.' empty).
const char* const* testGlyphCells(char letter);

// A one-bit BDF font of `pixelSize` pixels (a multiple of 10).
std::string bitmapFontBdf(int pixelSize);
// A TrueType font of the letters as outlines, 1000 units to the em.
std::string outlineFontTtf();
// A colour font with one size of `pixelSize` pixels (a multiple of 10 up to
// 150): every filled cell opaque dark red, the rest transparent.
std::string colourFontCbdt(int pixelSize);

// Writes bitmap-10.bdf, bitmap-30.bdf, outline.ttf and colour-120.ttf into `dir`.
void writeTestFonts(const std::string& dir);
