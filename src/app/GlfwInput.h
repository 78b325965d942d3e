#pragma once
// The game's Input: the GLFW window, its event queue and its clock.
#include "app/Input.h"

struct GLFWwindow;

class GlfwInput final : public Input {
public:
    explicit GlfwInput(GLFWwindow* window) : window_(window) {}

    double time() override;
    int key(int key) override;
    int mouseButton(int button) override;
    void cursorPosition(double& x, double& y) override;
    void setCursorPosition(double x, double y) override;
    void setCursorMode(CursorMode mode) override;
    void pollEvents() override;
    bool shouldClose() override;
    void setShouldClose(bool close) override;
    void setTitle(const std::string& title) override;
    void sleepMilliseconds(int milliseconds) override;
    void terminate() override;

private:
    GLFWwindow* window_;
};
