#include "render/TextLayout.h"

GlyphQuad glyphQuad(const Glyph& glyph, float x, float y, float scale)
{
    const float xpos = x + static_cast<float>(glyph.bearing.x) * scale;
    // Glyphs that reach below the baseline (g, p, commas) start lower by the part
    // of their bitmap under it.
    const float ypos = y - static_cast<float>(glyph.size.y - glyph.bearing.y) * scale;
    const float w = static_cast<float>(glyph.size.x) * scale;
    const float h = static_cast<float>(glyph.size.y) * scale;
    return {
        xpos,     ypos + h, 0.0f, 0.0f, //
        xpos,     ypos,     0.0f, 1.0f, //
        xpos + w, ypos,     1.0f, 1.0f, //
        xpos,     ypos + h, 0.0f, 0.0f, //
        xpos + w, ypos,     1.0f, 1.0f, //
        xpos + w, ypos + h, 1.0f, 0.0f, //
    };
}

float penAdvance(const Glyph& glyph, float scale)
{
    return static_cast<float>(glyph.advance >> 6) * scale;
}

float layoutText(const GlyphTable& glyphs, std::string_view text, float x, float y, float scale,
                 const std::function<void(const Glyph&, const GlyphQuad&)>& emit)
{
    for (const char ch : text) {
        const auto found = glyphs.find(ch);
        if (found == glyphs.end())
            continue;
        emit(found->second, glyphQuad(found->second, x, y, scale));
        x += penAdvance(found->second, scale);
    }
    return x;
}

float textWidth(const GlyphTable& glyphs, std::string_view text, float scale)
{
    return layoutText(glyphs, text, 0.0f, 0.0f, scale, [](const Glyph&, const GlyphQuad&) {});
}
