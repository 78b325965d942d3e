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
