#include "app/Screens.h"

#include "app/Startup.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

// Until the screen images exist, a screen is a cleared window.
void showLoadingScreen()
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
}

void showInfoScreen(const char*, bool)
{
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glfwSwapBuffers(window);
}
