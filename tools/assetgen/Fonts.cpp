#include "Fonts.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>
#include <filesystem>
#include <stdexcept>

#include "Assets.h"

namespace {
std::string fontFile;
std::string licenceFile;
}  // namespace

void setFontSource(const std::string& font, const std::string& licence) {
    fontFile = font;
    licenceFile = licence;
}

const std::string& fontSource() { return fontFile; }

void copyFont(const std::string& assets) {
    // The game opens the face by this name; FreeType reads it by content, so
    // the OpenType file serves unchanged.
    std::filesystem::create_directories(assets + "/Fonts");
    std::filesystem::copy_file(fontFile, assets + "/Fonts/AmericanCaptain.ttf", std::filesystem::copy_options::overwrite_existing);
    std::filesystem::copy_file(licenceFile, assets + "/Fonts/AmericanCaptain-LICENSE.txt", std::filesystem::copy_options::overwrite_existing);
}

TextMask renderText(const std::string& text, int pixelHeight, int tracking, int pad) {
    FT_Library library;
    if (FT_Init_FreeType(&library)) throw std::runtime_error("FreeType did not start");
    FT_Face face;
    if (FT_New_Face(library, fontFile.c_str(), 0, &face)) {
        FT_Done_FreeType(library);
        throw std::runtime_error("could not open the font " + fontFile);
    }
    FT_Set_Pixel_Sizes(face, 0, FT_UInt(pixelHeight));
    struct Placed {
        int x, top, width, rows;
        std::vector<unsigned char> bits;
    };
    std::vector<Placed> glyphs;
    int pen = 0, maxTop = 0, maxBelow = 0, right = 0;
    for (char ch : text) {
        if (FT_Load_Char(face, FT_ULong((unsigned char)ch), FT_LOAD_RENDER)) continue;
        FT_GlyphSlot g = face->glyph;
        Placed p{pen + g->bitmap_left, g->bitmap_top, int(g->bitmap.width), int(g->bitmap.rows), {}};
        for (int r = 0; r < p.rows; ++r)
            for (int c = 0; c < p.width; ++c) p.bits.push_back(g->bitmap.buffer[r * g->bitmap.pitch + c]);
        maxTop = std::max(maxTop, p.top);
        maxBelow = std::max(maxBelow, p.rows - p.top);
        right = std::max(right, p.x + p.width);
        glyphs.push_back(std::move(p));
        pen += int(g->advance.x >> 6) + tracking;
    }
    FT_Done_Face(face);
    FT_Done_FreeType(library);
    TextMask mask;
    mask.width = right + 2 * pad;
    mask.height = maxTop + maxBelow + 2 * pad;
    mask.baseline = pad + maxTop;
    mask.coverage.assign(size_t(mask.width) * size_t(mask.height), 0.0f);
    for (const Placed& p : glyphs) {
        for (int r = 0; r < p.rows; ++r) {
            for (int c = 0; c < p.width; ++c) {
                int x = pad + p.x + c, y = mask.baseline - p.top + r;
                if (x >= 0 && y >= 0 && x < mask.width && y < mask.height)
                    mask.coverage[size_t(y) * size_t(mask.width) + size_t(x)] = float(p.bits[size_t(r * p.width + c)]) / 255.0f;
            }
        }
    }
    return mask;
}
