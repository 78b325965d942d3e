#include "app/GlfwInput.h"

#include "platform/Platform.h"

#include <GLFW/glfw3.h>

GlfwInput::GlfwInput(GLFWwindow* window) : window_(window)
{
    glfwSetWindowUserPointer(window_, this);
    glfwSetScrollCallback(window_, onScroll);
}

void GlfwInput::onScroll(GLFWwindow* window, double, double yoffset)
{
    // Wheel turns arrive during any event poll, the waiting screens' included,
    // and are kept until the free camera uses them.
    if (auto* input = static_cast<GlfwInput*>(glfwGetWindowUserPointer(window)))
        input->scrollOffset_ += yoffset;
}

double GlfwInput::time() { return glfwGetTime(); }
int GlfwInput::key(int key) { return glfwGetKey(window_, key); }
int GlfwInput::mouseButton(int button) { return glfwGetMouseButton(window_, button); }
void GlfwInput::cursorPosition(double& x, double& y) { glfwGetCursorPos(window_, &x, &y); }
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
