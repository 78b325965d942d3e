#pragma once
// Strings in window pixels with one font: the first 128 characters rasterised
// by FreeType at 30 pixels (render/FontGlyphs.h), one single-channel texture
// each, drawn one textured quad per character.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"
#include "render/FontGlyphs.h"
#include "render/TextLayout.h"

#include <glm/vec3.hpp>

#include <string>
#include <string_view>
#include <vector>

class TextRenderer {
public:
    GlyphTable glyphs;               // by signed char; empty when the font failed
    ShaderProgram* program = nullptr; // textProgram; not owned
    GlObject vertexArray;
    GlObject vertexBuffer;           // one quad: 6 vertices of (x, y, u, v), 96 bytes
    GlObject panelTexture;           // one texel of 70% cover: a glyph that is all panel
    float width = 0.0f;              // window size: the extent of the text projection
    float height = 0.0f;

    // The game's font "Assets\Fonts\AmericanCaptain.ttf", drawn with `program`
    // (the catalogue's text program) in a window `width` x `height` pixels.
    TextRenderer(float width, float height, ShaderProgram* program);
    // Any font file (tests).
    TextRenderer(float width, float height, const std::string& fontPath, ShaderProgram* program);
    // Glyphs rasterised already: each uploaded as a texture.
    TextRenderer(float width, float height, const std::vector<RasterisedGlyph>& glyphs, ShaderProgram* program);
    ~TextRenderer();

    TextRenderer(const TextRenderer&) = delete;
    TextRenderer& operator=(const TextRenderer&) = delete;

    // Draws `text` with its baseline starting at (x, y), origin lower left.
    void draw(std::string_view text, float x, float y, float scale, const glm::vec3& color) const;

    // A rectangle of `color` that lets 30% of what is behind it through, for
    // text that must stay readable over any scene. It lies a hair behind text,
    // so the text drawn on it afterwards shows.
    void drawPanel(float left, float bottom, float panelWidth, float panelHeight, const glm::vec3& color) const;

private:
    std::vector<GlObject> glyphTextures; // owns the names the glyph table refers to

    void uploadGlyphs(const std::vector<RasterisedGlyph>& rasterised);
    void createQuadBuffer();
    void createPanelTexture();
    // One draw: begin() makes the program current with the projection and the
    // colour, drawQuad() draws one quad with a texture, end() unbinds it all.
    void begin(const glm::vec3& color) const;
    void drawQuad(GLuint texture, const GlyphQuad& quad) const;
    void end() const;
};
