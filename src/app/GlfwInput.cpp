#include "app/GlfwInput.h"

#include "app/Platform.h"

#include <GLFW/glfw3.h>

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
void GlfwInput::sleepMilliseconds(int milliseconds) { ::sleepMilliseconds(milliseconds); }
void GlfwInput::terminate() { glfwTerminate(); }
