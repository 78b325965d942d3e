#include "render/helpers/PostProcessing.h"

#include <vector>

std::unique_ptr<ShaderProgram> compositeProgram;
GLuint compositeQuad = 0;
Helpers::MotionBlurPostProcessor motionBlurPostProcessor;

namespace {

struct QuadObjects {
    GLuint vertexArray, vertexBuffer, indexBuffer;
};
std::vector<QuadObjects> quads; // every quad made, so they can be released at exit

const float quadVertices[] = {
    -1.0f, -1.0f, 0.0f, 1.0f, -1.0f, 0.0f, -1.0f, 1.0f, 0.0f,
    -1.0f, 1.0f, 0.0f, 1.0f, -1.0f, 0.0f, 1.0f, 1.0f, 0.0f,
};
const GLuint quadIndices[] = {0, 1, 2, 3, 4, 5};

} // namespace

GLuint createFullscreenQuad(const ShaderProgram& program)
{
    QuadObjects quad{};
    glGenBuffers(1, &quad.vertexBuffer);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vertexBuffer);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadVertices), quadVertices, GL_STATIC_DRAW);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    glGenBuffers(1, &quad.indexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quad.indexBuffer);
    glBufferData(GL_ELEMENT_ARRAY_BUFFER, sizeof(quadIndices), quadIndices, GL_STATIC_DRAW);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);

    glGenVertexArrays(1, &quad.vertexArray);
    glBindVertexArray(quad.vertexArray);
    glBindBuffer(GL_ARRAY_BUFFER, quad.vertexBuffer);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, quad.indexBuffer);
    const GLint location = glGetAttribLocation(program.program, "vPosition");
    glEnableVertexAttribArray(static_cast<GLuint>(location));
    glVertexAttribPointer(static_cast<GLuint>(location), 3, GL_FLOAT, GL_FALSE, 0, nullptr);
    // The element buffer binding belongs to the vertex array: unbind it first.
    glBindVertexArray(0);
    glBindBuffer(GL_ELEMENT_ARRAY_BUFFER, 0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);

    quads.push_back(quad);
    return quad.vertexArray;
}

void createComposite()
{
    compositeProgram = createShaderProgram("Shaders\\fullscreenQuad.vert", "Shaders\\fullscreenQuad.frag");
    compositeQuad = createFullscreenQuad(*compositeProgram);
}

namespace Helpers {

void MotionBlurPostProcessor::initialize()
{
    program = createShaderProgram("Shaders\\motionblur.vert", "Shaders\\motionblur.frag");
}

void MotionBlurPostProcessor::apply()
{
    // The blur the player sees is the composite's, driven by the velocity
    // image; this separate pass is kept for experiments and draws nothing.
}

} // namespace Helpers

void releasePostProcessing()
{
    for (const QuadObjects& quad : quads) {
        glDeleteVertexArrays(1, &quad.vertexArray);
        glDeleteBuffers(1, &quad.vertexBuffer);
        glDeleteBuffers(1, &quad.indexBuffer);
    }
    quads.clear();
    compositeQuad = 0;
    compositeProgram.reset();
    motionBlurPostProcessor.program.reset();
}
