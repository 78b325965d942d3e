// The live-object count the soak and the memory report rely on: an object of
// each kind shows up once it exists and goes again once deleted.
#include "support/gl/GlObjectCount.h"
#include "support/gl/GlTestContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

namespace {

TEST(GlObjectCount, EachKindIsCountedWhileItLives)
{
    requireGlContext();
    const GlObjectCounts before = countLiveGlObjects();

    // Names from glGen* become objects when first bound.
    GLuint buffer = 0, vertexArray = 0, texture = 0, framebuffer = 0, renderbuffer = 0;
    glGenBuffers(1, &buffer);
    glBindBuffer(GL_ARRAY_BUFFER, buffer);
    glGenVertexArrays(1, &vertexArray);
    glBindVertexArray(vertexArray);
    glGenTextures(1, &texture);
    glBindTexture(GL_TEXTURE_2D, texture);
    glGenFramebuffers(1, &framebuffer);
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    glGenRenderbuffers(1, &renderbuffer);
    glBindRenderbuffer(GL_RENDERBUFFER, renderbuffer);
    const GLuint program = glCreateProgram();
    const GLuint shader = glCreateShader(GL_VERTEX_SHADER);

    const GlObjectCounts during = countLiveGlObjects();
    EXPECT_EQ(during.buffers, before.buffers + 1);
    EXPECT_EQ(during.vertexArrays, before.vertexArrays + 1);
    EXPECT_EQ(during.textures, before.textures + 1);
    EXPECT_EQ(during.framebuffers, before.framebuffers + 1);
    EXPECT_EQ(during.renderbuffers, before.renderbuffers + 1);
    EXPECT_EQ(during.programs, before.programs + 1);
    EXPECT_EQ(during.shaders, before.shaders + 1);
    EXPECT_EQ(during.total(), before.total() + 7);
    EXPECT_FALSE(during == before);

    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glDeleteBuffers(1, &buffer);
    glDeleteVertexArrays(1, &vertexArray);
    glDeleteTextures(1, &texture);
    glDeleteFramebuffers(1, &framebuffer);
    glDeleteRenderbuffers(1, &renderbuffer);
    glDeleteProgram(program);
    glDeleteShader(shader);
    EXPECT_EQ(countLiveGlObjects(), before) << describe(countLiveGlObjects());
}

} // namespace
