#include "app/Startup.h"

#include "app/Configuration.h"
#include "app/Game.h"
#include "app/GlfwInput.h"
#include "app/LevelFlow.h"
#include "app/WindowTitle.h"
#include "platform/HeapRelease.h"

#include "render/RenderContext.h"

#include <GLFW/glfw3.h>

#include <iostream>
#include <stdexcept>
#include <string>
#include <vector>

void createRenderTargets()
{
    Game& g = game();
    const int width = g.settings.screenwidth, height = g.settings.screenheight;
    RenderTargets& targets = g.targets;
    targets.width = width;
    targets.height = height;
    // A target that cannot be completed says so and start-up goes on.
    createShadowMap(targets.shadowMap);
    targets.velocityFramebuffer.create(width, height);
    targets.colorFramebuffer.create(width, height);
    PostProcessing& postProcessing = g.postProcessing;
    for (PostProcessFramebuffer& target : postProcessing.targets)
        target.initialize(width, height);
    postProcessing.motionBlurPostProcessor.initialize();
    postProcessing.createComposite();
}

namespace {

constexpr const char* windowFailure = "GLWindow could not be created. (OpenGL 3.3)";

// The widest and tallest window asked of the windowing system. Far larger ones
// (tens of thousands of pixels) fail inside the X server or the driver while
// the window and its context are made, before OpenGL can be asked what it can
// draw; no screen is wider than this. Below it the context's own limits decide.
constexpr int largestWindowSide = 16384;

// What GLFW first said went wrong while the window was being made: shown to
// the player above the failure line (no display, no OpenGL 3.3 core
// context...). Later complaints only follow from the first.
std::string glfwComplaint;

void rememberGlfwError(int, const char* description)
{
    if (glfwComplaint.empty() && description)
        glfwComplaint = description;
}

[[noreturn]] void failWindow(bool withGlfwReason)
{
    if (withGlfwReason && !glfwComplaint.empty())
        std::cerr << "GLFW: " << glfwComplaint << std::endl;
    glfwComplaint.clear();
    throw std::runtime_error(windowFailure);
}

} // namespace

void initializeGame()
{
    Game& g = game();
    Settings& settings = g.settings;
    glfwSetErrorCallback(rememberGlfwError);
    mapLargeBlocksSeparately(); // before the first level's images and textures
    glfwInit(); // a failure shows up as a window that cannot be created
    loadConfiguration(g.settings);
    // GLFW asserts on a negative size: a size that is no size, or one no
    // display can hold, never reaches it.
    if (settings.screenwidth <= 0 || settings.screenheight <= 0 || settings.screenwidth > largestWindowSide ||
        settings.screenheight > largestWindowSide)
        failWindow(false);

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
        failWindow(true);
    glfwComplaint.clear(); // anything GLFW says from here on is not fatal
    g.window = window;
    // Full-screen on a monitor without a mode of the asked size gives the
    // nearest mode it has: every frame, target and text is laid out for the
    // window as it really is.
    glfwGetFramebufferSize(window, &settings.screenwidth, &settings.screenheight);

    glfwSetInputMode(window, GLFW_CURSOR, GLFW_CURSOR_DISABLED);
    glfwSetCursorPos(window, 0.0, 0.0);
    g.input = std::make_unique<GlfwInput>(window, settings.rawmouse); // installs the scroll and focus callbacks
    GlfwInput::loadGamepadMappings();
    glfwMakeContextCurrent(window);
    // With a graphics card the game would otherwise draw thousands of frames a
    // second that nobody sees; the benchmark turns it off to measure.
    glfwSwapInterval(settings.vsync ? 1 : 0);
    g.crosshairCursor = glfwCreateStandardCursor(GLFW_CROSSHAIR_CURSOR);
    glfwSetCursor(window, g.crosshairCursor);

    loadGlFunctions();
    // A size the driver cannot draw at would end in an X error at the first
    // frame; it is a window that cannot be created.
    if (!canDrawAtSize(settings.screenwidth, settings.screenheight))
        failWindow(false);
    // Printed even on a machine that then fails the version check.
    printContextIdentity();
    if (!hasOpenGl33())
        throw std::runtime_error("OpenGL 3.3 API is not available.");
    setGlobalRenderState(g.toggles.transparency);

    createRenderTargets();
    g.renderScale = RenderScaleController(settings.renderscale);
    // Without a device (or with volume 0) the game plays on in silence.
    g.audio = std::make_unique<Audio>(g.settings.soundvolume);
}

int runGame()
{
    try {
        initializeGame();
        startAtChosenLevel();
        playLevel();
    } catch (const std::exception& error) {
        std::cerr << "ERROR: " << error.what() << std::endl;
        return 1;
    }
    return 0;
}
