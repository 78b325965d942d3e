#include "app/Startup.h"

#include "app/GameState.h"
#include "app/GlfwInput.h"
#include "app/LevelFlow.h"
#include "app/Settings.h"
#include "app/WindowTitle.h"
#include "app/RenderToggles.h"
#include "render/helpers/PostProcessing.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>
#include <stdexcept>

GLFWwindow* window = nullptr;
GLFWcursor* crosshairCursor = nullptr;

void onScroll(GLFWwindow*, double, double yoffset)
{
    scrollOffset += yoffset;
}

void createRenderTargets()
{
    motionBlurPostProcessor.initialize();
    createComposite();
}

void initializeGame()
{
    glfwInit(); // a failure shows up as a window that cannot be created
    loadConfiguration();

    glfwWindowHint(GLFW_REFRESH_RATE, refreshrate);
    glfwWindowHint(GLFW_RESIZABLE, GL_FALSE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GL_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);

    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    // GLFW itself rejects a size of 0 or less, but says so only through its
    // error callback; the null window is what we report.
    window = glfwCreateWindow(screenwidth, screenheight, windowTitleBase, fullscreen ? monitor : nullptr, nullptr);
    if (window == nullptr)
        throw std::runtime_error("GLWindow could not be created. (OpenGL 3.3)");

    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetCursorPos(window, 0.0, 0.0);
    glfwSetScrollCallback(window, onScroll);
    glfwMakeContextCurrent(window);
    crosshairCursor = glfwCreateStandardCursor(GLFW_CROSSHAIR_CURSOR);
    glfwSetCursor(window, crosshairCursor);
    setInput(std::make_unique<GlfwInput>(window));

    glewExperimental = GL_TRUE;
    if (glewInit() != GLEW_OK)
        throw std::runtime_error("glewInit failed");

    std::cout << "OpenGL version: " << glGetString(GL_VERSION) << std::endl;
    std::cout << "GLSL version: " << glGetString(GL_SHADING_LANGUAGE_VERSION) << std::endl;
    std::cout << "Vendor: " << glGetString(GL_VENDOR) << std::endl;
    std::cout << "Renderer: " << glGetString(GL_RENDERER) << std::endl;
    if (!GLEW_VERSION_3_3)
        throw std::runtime_error("OpenGL 3.3 API is not available.");

    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LESS);
    if (transparency)
        glEnable(GL_BLEND);
    else
        glDisable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);

    createRenderTargets();
}

int runGame()
{
    try {
        initializeGame();
        playLevel();
    } catch (const std::exception& error) {
        std::cerr << "ERROR: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
