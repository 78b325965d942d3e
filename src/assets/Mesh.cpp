#include "assets/Mesh.h"

#include "assets/ImageLoader.h"
#include "assets/TextureFilter.h"

#include <algorithm>

namespace {

// Uploads one attribute array into a buffer of its own and points `name` at it.
// Positions, normals and texture coordinates are wired whatever the location
// says (a -1 location only makes GL ignore the calls); tangents and bitangents
// are skipped when the program does not read them.
GlObject uploadAttribute(GLuint program, const char* name, const std::vector<float>& values, GLint components,
                         std::uint32_t vertexCount, bool onlyIfUsed)
{
    const GLint location = glGetAttribLocation(program, name);
    if (onlyIfUsed && location == -1)
        return {};
    GlObject buffer = createBuffer();
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    const size_t count = std::min(values.size(), static_cast<size_t>(vertexCount) * static_cast<size_t>(components));
    glBufferData(GL_ARRAY_BUFFER, static_cast<GLsizeiptr>(count * sizeof(float)), values.data(), GL_STATIC_DRAW);
    if (location != -1) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), components, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    return buffer;
}

// A new texture on `unit` holding `image`, with mipmaps and the chosen filters.
GlObject createMaterialTexture(GLenum unit, const Image& image, const std::optional<TextureFilters>& filters)
{
    GlObject texture = createTexture();
    glActiveTexture(unit);
    glBindTexture(GL_TEXTURE_2D, texture);
    uploadImage(image);
    // Mip levels always exist; the mip-mapping toggle only decides whether the
    // minification filter uses them.
    if (!image.empty())
        glGenerateMipmap(GL_TEXTURE_2D);
    if (filters) {
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filters->minFilter);
        glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filters->magFilter);
    }
    return texture;
}

} // namespace

Mesh::Mesh(const MeshData& meshData, ShaderProgram* meshProgram) : program(meshProgram), data(meshData)
{
    setBounds(data.boundsMin, data.boundsMax);
    // A record made by hand may ask for more than its arrays hold: never read past them.
    data.drawCount = std::min(data.drawCount, data.vertexCount - data.vertexCount % 3);
    data = splitIntoPieces(data);
    const GLuint name = program->program;
    glUseProgram(name);
    vao = createVertexArray();
    glBindVertexArray(vao);

    if (data.hasPositions && data.positions)
        positionBuffer = uploadAttribute(name, "vertPosition", *data.positions, 3, data.vertexCount, false);
    if (data.hasNormals && data.normals)
        normalBuffer = uploadAttribute(name, "vertNormal", *data.normals, 3, data.vertexCount, false);
    if (data.hasTexCoords && data.texCoords)
        texCoordBuffer = uploadAttribute(name, "vertTexCoord", *data.texCoords, 2, data.vertexCount, false);
    if (data.hasTangents && data.tangents && data.bitangents) {
        tangentBuffer = uploadAttribute(name, "vertTangent", *data.tangents, 3, data.vertexCount, true);
        bitangentBuffer = uploadAttribute(name, "vertBitangent", *data.bitangents, 3, data.vertexCount, true);
    }

    const GLuint blockIndex = glGetUniformBlockIndex(name, "Material");
    if (blockIndex != GL_INVALID_INDEX) {
        glUniformBlockBinding(name, blockIndex, materialBindingPoint);
        materialBuffer = createBuffer();
        glBindBuffer(GL_UNIFORM_BUFFER, materialBuffer);
        glBufferData(GL_UNIFORM_BUFFER, sizeof(Material), &data.material, GL_STATIC_DRAW);
        glBindBufferBase(GL_UNIFORM_BUFFER, materialBindingPoint, materialBuffer);
        glBindBuffer(GL_UNIFORM_BUFFER, 0);
    }

    setupTextures(1, 2);

    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_UNIFORM_BUFFER, 0);
    glUseProgram(0);
}

void Mesh::draw() const
{
    draw(program);
}

void Mesh::draw(const ShaderProgram* other) const
{
    draw(other, {});
}

void Mesh::draw(const ShaderProgram* other, const std::function<bool(const MeshPiece&)>& shows) const
{
    glUseProgram(other->program);
    glBindVertexArray(vao);
    glActiveTexture(GL_TEXTURE1);
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    if (data.hasNormalMap) {
        glActiveTexture(GL_TEXTURE2);
        glBindTexture(GL_TEXTURE_2D, normalTexture);
    }
    if (data.hasReflectionMap) {
        glActiveTexture(GL_TEXTURE3);
        glBindTexture(GL_TEXTURE_2D, reflectionTexture);
    }
    // Each mesh shows its own colours, not those of whichever mesh was built last.
    if (materialBuffer != 0)
        glBindBufferBase(GL_UNIFORM_BUFFER, materialBindingPoint, materialBuffer);
    if (data.pieces.empty() || !shows) {
        if (data.drawCount > 0)
            glDrawArrays(GL_TRIANGLES, 0, static_cast<GLsizei>(data.drawCount));
    } else {
        // Pieces seen side by side in the arrays go in one draw.
        GLint first = 0;
        GLsizei count = 0;
        for (const MeshPiece& piece : data.pieces) {
            if (!shows(piece))
                continue;
            if (count > 0 && static_cast<std::uint32_t>(first + count) == piece.first) {
                count += static_cast<GLsizei>(piece.count);
                continue;
            }
            if (count > 0)
                glDrawArrays(GL_TRIANGLES, first, count);
            first = static_cast<GLint>(piece.first);
            count = static_cast<GLsizei>(piece.count);
        }
        if (count > 0)
            glDrawArrays(GL_TRIANGLES, first, count);
    }
    glBindVertexArray(0);
}

void Mesh::setupTextures(int textureSamplingMode, int mipmapMode)
{
    // The sampler values only land in the current program: make ours current
    // for the toggles too, and give back whatever was current.
    GLint previousProgram = 0;
    glGetIntegerv(GL_CURRENT_PROGRAM, &previousProgram);
    const GLuint name = program->program;
    glUseProgram(name);

    const auto filters = textureFilters(textureSamplingMode, mipmapMode);
    glUniform1i(glGetUniformLocation(name, "colorTexture"), 1);
    glUniform1i(glGetUniformLocation(name, "shadowMap"), 4);

    // Assigning the new texture deletes the one it replaces.
    colorTexture = createMaterialTexture(GL_TEXTURE1, data.colorImage, filters);

    const GLint normalLocation = glGetUniformLocation(name, "normalTexture");
    if (data.hasNormalMap && normalLocation != -1) {
        glUniform1i(normalLocation, 2);
        normalTexture = createMaterialTexture(GL_TEXTURE2, data.normalImage, filters);
    }
    const GLint reflectionLocation = glGetUniformLocation(name, "reflectionTexture");
    if (data.hasReflectionMap && reflectionLocation != -1) {
        glUniform1i(reflectionLocation, 3);
        reflectionTexture = createMaterialTexture(GL_TEXTURE3, data.reflectionImage, filters);
    }
    glUseProgram(static_cast<GLuint>(previousProgram));
}
