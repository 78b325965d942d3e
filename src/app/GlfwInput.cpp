#include "app/GlfwInput.h"

#include "app/GamepadMappings.h"
#include "platform/Platform.h"

#include <GLFW/glfw3.h>

#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>

GlfwInput::GlfwInput(GLFWwindow* window, bool rawMouseMotion) : window_(window)
{
    glfwSetWindowUserPointer(window_, this);
    glfwSetScrollCallback(window_, onScroll);
    // Asked once, then followed through events: asking the X server every
    // frame would wait for its answer every frame.
    focused_ = glfwGetWindowAttrib(window_, GLFW_FOCUSED) == GLFW_TRUE;
    glfwSetWindowFocusCallback(window_, onFocus);
    // GLFW uses raw motion only while the cursor is disabled: in mouse look and
    // with the free camera, never for the free pointer of pointer aim.
    if (rawMouseMotion && glfwRawMouseMotionSupported())
        glfwSetInputMode(window_, GLFW_RAW_MOUSE_MOTION, GLFW_TRUE);
}

void GlfwInput::loadGamepadMappings()
{
    const std::string path = resolvePath(gamepadMappingsPath);
    std::error_code error;
    if (!std::filesystem::exists(std::filesystem::symlink_status(path, error)))
        return; // most players have none: GLFW's own mappings serve
    // The community's file is a few hundred kilobytes; a file a hundred times
    // that is no mapping file, and is not read into memory.
    constexpr std::uintmax_t largest = 64u << 20;
    std::string text, problem;
    std::ifstream file(path, std::ios::binary);
    if (!std::filesystem::is_regular_file(path, error) || !file)
        problem = "it cannot be read";
    else if (std::filesystem::file_size(path, error) > largest)
        problem = "it is too large";
    else {
        text.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
        problem = file.bad() ? "it cannot be read" : gamepadMappingsProblem(text);
    }
    if (problem.empty() && glfwUpdateGamepadMappings(text.c_str()) != GLFW_TRUE)
        problem = "GLFW refused them";
    if (!problem.empty())
        std::cout << "The gamepad mappings in " << gamepadMappingsPath << " are damaged (" << problem
                  << "); only the built-in ones are used" << std::endl;
}

void GlfwInput::onScroll(GLFWwindow* window, double, double yoffset)
{
    // Wheel turns arrive during any event poll, the waiting screens' included,
    // and are kept until the free camera uses them.
    if (auto* input = static_cast<GlfwInput*>(glfwGetWindowUserPointer(window)))
        input->scrollOffset_ += yoffset;
}

void GlfwInput::onFocus(GLFWwindow* window, int focused)
{
    if (auto* input = static_cast<GlfwInput*>(glfwGetWindowUserPointer(window)))
        input->focused_ = focused == GLFW_TRUE;
}

double GlfwInput::time() { return glfwGetTime(); }
int GlfwInput::key(int key) { return glfwGetKey(window_, key); }
int GlfwInput::mouseButton(int button) { return glfwGetMouseButton(window_, button); }
void GlfwInput::cursorPosition(double& x, double& y) { glfwGetCursorPos(window_, &x, &y); }
bool GlfwInput::gamepad(GamepadState& state)
{
    // Asked afresh every frame: a pad plugged in during play is found at the
    // next event poll, and one pulled out is simply no longer there.
    for (int joystick = GLFW_JOYSTICK_1; joystick <= GLFW_JOYSTICK_LAST; ++joystick) {
        GLFWgamepadstate pad;
        if (!glfwJoystickIsGamepad(joystick) || !glfwGetGamepadState(joystick, &pad))
            continue;
        for (int axis = 0; axis < PadAxis::Count; ++axis)
            state.axes[axis] = pad.axes[axis];
        for (int button = 0; button < PadButton::Count; ++button)
            state.buttons[button] = pad.buttons[button];
        return true;
    }
    return false;
}

void GlfwInput::setCursorPosition(double x, double y) { glfwSetCursorPos(window_, x, y); }

void GlfwInput::setCursorMode(CursorMode mode)
{
    glfwSetInputMode(window_, GLFW_CURSOR, mode == CursorMode::Disabled ? GLFW_CURSOR_DISABLED : GLFW_CURSOR_NORMAL);
}

void GlfwInput::pollEvents() { glfwPollEvents(); }
bool GlfwInput::shouldClose() { return glfwWindowShouldClose(window_); }
void GlfwInput::setShouldClose(bool close) { glfwSetWindowShouldClose(window_, close ? GLFW_TRUE : GLFW_FALSE); }
void GlfwInput::setTitle(const std::string& title) { glfwSetWindowTitle(window_, title.c_str()); }
void GlfwInput::swapBuffers() { glfwSwapBuffers(window_); }
void GlfwInput::sleepMilliseconds(int milliseconds) { ::sleepMilliseconds(milliseconds); }
void GlfwInput::terminate() { glfwTerminate(); }
