#include "assets/Skybox.h"

#include "assets/ImageLoader.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

namespace {

const float cubeVertices[36 * 3] = {
    -10, 10,  -10, -10, -10, -10, 10,  -10, -10, 10,  -10, -10, 10,  10,  -10, -10, 10,  -10, // z = -10
    -10, -10, 10,  -10, -10, -10, -10, 10,  -10, -10, 10,  -10, -10, 10,  10,  -10, -10, 10,  // x = -10
    10,  -10, -10, 10,  -10, 10,  10,  10,  10,  10,  10,  10,  10,  10,  -10, 10,  -10, -10, // x = 10
    -10, -10, 10,  -10, 10,  10,  10,  10,  10,  10,  10,  10,  10,  -10, 10,  -10, -10, 10,  // z = 10
    -10, 10,  -10, 10,  10,  -10, 10,  10,  10,  10,  10,  10,  -10, 10,  10,  -10, 10,  -10, // y = 10
    -10, -10, -10, -10, -10, 10,  10,  -10, -10, 10,  -10, -10, -10, -10, 10,  10,  -10, 10,  // y = -10
};

} // namespace

void Skybox::createGeometry()
{
    vao = createVertexArray();
    vbo = createBuffer();
    glBindVertexArray(vao);
    glBindBuffer(GL_ARRAY_BUFFER, vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(cubeVertices), cubeVertices, GL_STATIC_DRAW);
    // The sky's vertex shader takes its position at location 0, not by name.
    glEnableVertexAttribArray(0);
    glVertexAttribPointer(0, 3, GL_FLOAT, GL_FALSE, 3 * sizeof(float), nullptr);
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
}

void Skybox::loadCubeMap()
{
    cubeTexture = createTexture();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeTexture);
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    // Decoded rows are padded to 4 bytes, whatever the font set-up left behind.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    for (std::size_t i = 0; i < skyboxFaces.size(); ++i) {
        // loadImage hands every image over as 24-bit blue-green-red, so a grey
        // or 32-bit face is converted rather than sent in a format a core
        // context refuses.
        const Image face = loadImage(skyboxFaces[i]);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_MIN_FILTER, GL_LINEAR);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
        glTexParameteri(GL_TEXTURE_CUBE_MAP, GL_TEXTURE_WRAP_R, GL_CLAMP_TO_EDGE);
        glTexImage2D(GL_TEXTURE_CUBE_MAP_POSITIVE_X + static_cast<GLenum>(i), 0, GL_RGB,
                     static_cast<GLsizei>(face.width), static_cast<GLsizei>(face.height), 0, GL_BGR, GL_UNSIGNED_BYTE,
                     face.empty() ? nullptr : face.pixels);
    }
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
    glBindTexture(GL_TEXTURE_CUBE_MAP, 0);
}

void Skybox::setUniforms(const glm::mat4& cameraView, float fieldOfView, float aspectRatio) const
{
    // Turning, not moving: the translation column goes, the rotation stays.
    const glm::mat4 view = glm::mat4(glm::mat3(cameraView));
    const glm::mat4 projection =
        glm::perspective(fieldOfView * (3.14159265f / 180.0f), aspectRatio, 0.1f, 100.0f);
    glUniformMatrix4fv(glGetUniformLocation(program->program, "view"), 1, GL_FALSE, glm::value_ptr(view));
    glUniformMatrix4fv(glGetUniformLocation(program->program, "projection"), 1, GL_FALSE,
                       glm::value_ptr(projection));
}

void Skybox::draw() const
{
    // The vertex shader puts the cube at the far end of the depth range: it
    // fills what nothing nearer has drawn, and writes no depth of its own.
    glDepthFunc(GL_LEQUAL);
    glDepthMask(GL_FALSE);
    glUseProgram(program->program);
    glBindVertexArray(vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_CUBE_MAP, cubeTexture);
    glDrawArrays(GL_TRIANGLES, 0, 36);
    glBindVertexArray(0);
    glDepthMask(GL_TRUE);
    glDepthFunc(GL_LESS);
    glUseProgram(0);
}
