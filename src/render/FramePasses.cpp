#include "render/FramePasses.h"

#include "app/Startup.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

void renderFrame()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
}
