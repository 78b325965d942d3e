#include "app/Startup.h"

#include "app/Configuration.h"
#include "app/Game.h"
#include "app/GlfwInput.h"
#include "app/LevelFlow.h"
#include "app/WindowTitle.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

#include <iostream>
#include <stdexcept>

void createRenderTargets()
{
    PostProcessing& postProcessing = game().postProcessing;
    postProcessing.motionBlurPostProcessor.initialize();
    postProcessing.createComposite();
}

void initializeGame()
{
    Game& g = game();
    const Settings& settings = g.settings;
    glfwInit(); // a failure shows up as a window that cannot be created
    loadConfiguration(g.settings);

    glfwWindowHint(GLFW_REFRESH_RATE, settings.refreshrate);
    glfwWindowHint(GLFW_RESIZABLE, GL_FALSE);
    glfwWindowHint(GLFW_OPENGL_FORWARD_COMPAT, GL_TRUE);
    glfwWindowHint(GLFW_OPENGL_PROFILE, GLFW_OPENGL_CORE_PROFILE);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MAJOR, 3);
    glfwWindowHint(GLFW_CONTEXT_VERSION_MINOR, 3);

    GLFWmonitor* monitor = glfwGetPrimaryMonitor();
    // GLFW itself rejects a size of 0 or less, but says so only through its
    // error callback; the null window is what we report.
    GLFWwindow* window = glfwCreateWindow(settings.screenwidth, settings.screenheight, windowTitleBase,
                                          settings.fullscreen ? monitor : nullptr, nullptr);
    if (window == nullptr)
        throw std::runtime_error("GLWindow could not be created. (OpenGL 3.3)");
    g.window = window;

    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetCursorPos(window, 0.0, 0.0);
    g.input = std::make_unique<GlfwInput>(window); // installs the scroll callback
    glfwMakeContextCurrent(window);
    g.crosshairCursor = glfwCreateStandardCursor(GLFW_CROSSHAIR_CURSOR);
    glfwSetCursor(window, g.crosshairCursor);

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
    if (g.toggles.transparency)
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
