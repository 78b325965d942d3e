#include "support/gl/GlTestContext.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <gtest/gtest.h>

#include <stdexcept>

namespace {
GLFWwindow* contextWindow = nullptr;
}

GLFWwindow* requireGlContext(int width, int height)
{
    if (contextWindow) {
        glfwMakeContextCurrent(contextWindow);
        return contextWindow;
    }
    if (!glfwInit())
        throw std::runtime_error("glfwInit failed (no display?)");
    glfwWindowHint(GLFW_VISIBLE, GLFW_TRUE); // a hidden window may own no pixels to read back
    glfwWindowHint(GLFW_RESIZABLE, GLFW_FALSE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GLFW_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);
    contextWindow = glfwCreateWindow(width, height, "sandlark-gl-test", nullptr, nullptr);
    if (!contextWindow)
        throw std::runtime_error("could not create a GL 3.3 core window");
    glfwMakeContextCurrent(contextWindow);
    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        throw std::runtime_error("glewInit failed");
    glGetError(); // GLEW's probe can leave an error behind
    return contextWindow;
}

Rgb readPixel(int x, int y)
{
    unsigned char pixel[4] = {0, 0, 0, 0};
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(x, y, 1, 1, GL_RGBA, GL_UNSIGNED_BYTE, pixel);
    return {pixel[0], pixel[1], pixel[2]};
}
