#include "render/RenderContext.h"

#include <GL/glew.h>

#include <iostream>
#include <stdexcept>

void loadGlFunctions()
{
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        throw std::runtime_error("glewInit failed");
}

void printContextIdentity()
{
    std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl;
    std::cout << "GLSL version: " << glGetString(GL_SHADING_LANGUAGE_VERSION) << std::endl;
    std::cout << "Vendor: " << glGetString(GL_VENDOR) << std::endl;
    std::cout << "Renderer: " << glGetString(GL_RENDERER) << std::endl;
}

bool hasOpenGl33()
{
    return GLEW_VERSION_3_3;
}

bool canDrawAtSize(int width, int height)
{
    GLint viewport[2] = {0, 0};
    GLint renderbuffer = 0, texture = 0;
    glGetIntegerv(GL_MAX_VIEWPORT_DIMS, viewport);
    glGetIntegerv(GL_MAX_RENDERBUFFER_SIZE, &renderbuffer);
    glGetIntegerv(GL_MAX_TEXTURE_SIZE, &texture);
    return width > 0 && height > 0 && width <= viewport[0] && height <= viewport[1] && width <= renderbuffer &&
           height <= renderbuffer && width <= texture && height <= texture;
}

void setGlobalRenderState(bool blending)
{
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    setBlending(blending);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

void setBlending(bool blending)
{
    if (blending)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
}

std::vector<unsigned char> readWindowFrame(int width, int height)
{
    const std::size_t pitch = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    std::vector<unsigned char> rows(pitch * static_cast<std::size_t>(height));
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 4);
    glReadPixels(0, 0, width, height, GL_BGR, GL_UNSIGNED_BYTE, rows.data());
    return rows;
}
