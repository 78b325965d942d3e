#include "render/TextRenderer.h"

#include "platform/Platform.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <iostream>

namespace {

constexpr char gameFont[] = "Assets\\Fonts\\AmericanCaptain.ttf";
constexpr FT_UInt glyphPixelHeight = 30;
constexpr GLsizeiptr quadBytes = sizeof(GlyphQuad);

} // namespace

TextRenderer::TextRenderer(float width, float height, ShaderProgram* program)
    : TextRenderer(width, height, gameFont, program)
{
}

TextRenderer::TextRenderer(float windowWidth, float windowHeight, const std::string& fontPath,
                           ShaderProgram* textShader)
    : program(textShader), width(windowWidth), height(windowHeight)
{
    loadGlyphs(fontPath);
    createQuadBuffer();
    createPanelTexture();
}

TextRenderer::~TextRenderer() = default;

void TextRenderer::loadGlyphs(const std::string& fontPath)
{
    FT_Library library = nullptr;
    if (FT_Init_FreeType(&library) != 0) {
        // Without FreeType there are no glyphs, and the text draws nothing.
        std::cout << "Could not init FreeType library" << std::endl;
        return;
    }
    FT_Face face = nullptr;
    const FT_Error faceError = FT_New_Face(library, resolvePath(fontPath).c_str(), 0, &face);
    if (faceError != 0) {
        if (faceError == FT_Err_Unknown_File_Format)
            std::cout << "Could not load font, because the file format is not supported" << std::endl;
        else
            std::cout << "Could not load font" << std::endl;
        FT_Done_FreeType(library); // only what was obtained is released
        return;
    }
    FT_Set_Pixel_Sizes(face, 0, glyphPixelHeight);

    // Glyph bitmaps are one byte a pixel with rows of any width. Image uploads
    // set the alignment they need themselves.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glyphTextures.reserve(128);
    for (int code = 0; code < 128; ++code) {
        const char ch = static_cast<char>(code);
        if (FT_Load_Char(face, static_cast<FT_ULong>(code), FT_LOAD_RENDER) != 0)
            std::cout << "Could not load glyph '" << ch << "'" << std::endl;
        // Made from whatever the glyph slot holds, even after a failed load.
        const FT_GlyphSlot slot = face->glyph;
        GlObject texture = createTexture();
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, static_cast<GLsizei>(slot->bitmap.width),
                     static_cast<GLsizei>(slot->bitmap.rows), 0, GL_RED, GL_UNSIGNED_BYTE, slot->bitmap.buffer);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        Glyph glyph;
        glyph.texture = texture;
        glyph.size = {static_cast<int>(slot->bitmap.width), static_cast<int>(slot->bitmap.rows)};
        glyph.bearing = {slot->bitmap_left, slot->bitmap_top};
        glyph.advance = static_cast<unsigned int>(slot->advance.x);
        glyphs.emplace(ch, glyph); // a key already present keeps its first glyph
        glyphTextures.push_back(std::move(texture));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

void TextRenderer::createQuadBuffer()
{
    vertexArray = createVertexArray();
    vertexBuffer = createBuffer();
    glBindVertexArray(vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, quadBytes, nullptr, GL_DYNAMIC_DRAW);
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 4, GL_FLOAT, GL_FALSE, 4 * sizeof(float), nullptr);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindVertexArray(0);
}

void TextRenderer::createPanelTexture()
{
    // The text program takes a glyph's coverage for its alpha: a texel of 70%
    // makes every quad drawn with it a panel of that opacity.
    const unsigned char cover = 179;
    panelTexture = createTexture();
    glBindTexture(GL_TEXTURE_2D, panelTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, 1, 1, 0, GL_RED, GL_UNSIGNED_BYTE, &cover);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void TextRenderer::begin(const glm::vec3& color) const
{
    const GLuint name = program->program;
    glUseProgram(name);
    const glm::mat4 projection = glm::ortho(0.0f, width, 0.0f, height);
    glUniformMatrix4fv(glGetUniformLocation(name, "projection"), 1, GL_FALSE, glm::value_ptr(projection));
    glUniform3f(glGetUniformLocation(name, "textColor"), color.x, color.y, color.z);
    glBindVertexArray(vertexArray);
}

void TextRenderer::drawQuad(GLuint texture, const GlyphQuad& quad) const
{
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, texture);
    glBindBuffer(GL_ARRAY_BUFFER, vertexBuffer);
    glBufferSubData(GL_ARRAY_BUFFER, 0, quadBytes, quad.data());
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glDrawArrays(GL_TRIANGLES, 0, 6);
}

void TextRenderer::end() const
{
    glBindVertexArray(0);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, 0);
    glUseProgram(0);
}

void TextRenderer::draw(std::string_view text, float x, float y, float scale, const glm::vec3& color) const
{
    if (program == nullptr)
        return;
    begin(color);
    layoutText(glyphs, text, x, y, scale,
               [this](const Glyph& glyph, const GlyphQuad& quad) { drawQuad(glyph.texture, quad); });
    end();
}

void TextRenderer::drawPanel(float left, float bottom, float panelWidth, float panelHeight,
                             const glm::vec3& color) const
{
    if (program == nullptr)
        return;
    // A glyph as large as the panel, standing on its bottom edge.
    Glyph panel;
    panel.size = {static_cast<int>(panelWidth), static_cast<int>(panelHeight)};
    panel.bearing = {0, panel.size.y};
    // At the depth of text, a hair further: what is drawn behind text stays
    // behind the panel, and the text drawn on it afterwards shows.
    glEnable(GL_POLYGON_OFFSET_FILL);
    glPolygonOffset(0.0f, 1.0f);
    begin(color);
    drawQuad(panelTexture, glyphQuad(panel, left, bottom, 1.0f));
    end();
    glDisable(GL_POLYGON_OFFSET_FILL);
}
