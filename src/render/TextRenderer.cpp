#include "render/TextRenderer.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {

constexpr char gameFont[] = "Assets\\Fonts\\AmericanCaptain.ttf";
constexpr GLsizeiptr quadBytes = sizeof(GlyphQuad);

} // namespace

TextRenderer::TextRenderer(float width, float height, ShaderProgram* program)
    : TextRenderer(width, height, gameFont, program)
{
}

TextRenderer::TextRenderer(float width, float height, const std::string& fontPath, ShaderProgram* program)
    : TextRenderer(width, height, rasteriseFont(fontPath), program)
{
}

TextRenderer::TextRenderer(float windowWidth, float windowHeight, const std::vector<RasterisedGlyph>& rasterised,
                           ShaderProgram* textShader)
    : program(textShader), width(windowWidth), height(windowHeight)
{
    uploadGlyphs(rasterised);
    createQuadBuffer();
    createPanelTexture();
}

TextRenderer::~TextRenderer() = default;

void TextRenderer::uploadGlyphs(const std::vector<RasterisedGlyph>& rasterised)
{
    if (rasterised.empty())
        return; // no font: the text draws nothing
    // Coverage rows are packed tightly, one byte a pixel. Image uploads set the
    // alignment they need themselves.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 1);
    glyphTextures.reserve(rasterised.size());
    for (const RasterisedGlyph& each : rasterised) {
        GlObject texture = createTexture();
        glActiveTexture(GL_TEXTURE0);
        glBindTexture(GL_TEXTURE_2D, texture);
        glTexImage2D(GL_TEXTURE_2D, 0, GL_RED, each.coverage.width, each.coverage.rows, 0, GL_RED, GL_UNSIGNED_BYTE,
                     each.coverage.pixels.empty() ? nullptr : each.coverage.pixels.data());
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        Glyph glyph = each.glyph;
        glyph.texture = texture;
        glyphs.emplace(each.code, glyph); // a key already present keeps its first glyph
        glyphTextures.push_back(std::move(texture));
    }
    glBindTexture(GL_TEXTURE_2D, 0);
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
