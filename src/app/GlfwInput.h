#pragma once
// The game's Input: the GLFW window, its event queue and its clock.
#include "platform/Input.h"

struct GLFWwindow;

class GlfwInput final : public Input {
public:
    // Installs the scroll callback on `window`; wheel turns add up until reset.
    explicit GlfwInput(GLFWwindow* window);

    double time() override;
    int key(int key) override;
    int mouseButton(int button) override;
    void cursorPosition(double& x, double& y) override;
    void setCursorPosition(double x, double y) override;
    void setCursorMode(CursorMode mode) override;
    void pollEvents() override;
    double scrollOffset() override { return scrollOffset_; }
    void resetScrollOffset() override { scrollOffset_ = 0.0; }
    bool shouldClose() override;
    void setShouldClose(bool close) override;
    void setTitle(const std::string& title) override;
    void swapBuffers() override;
    void sleepMilliseconds(int milliseconds) override;
    void terminate() override;

    // The scroll callback: adds the vertical offset, ignores the rest.
    static void onScroll(GLFWwindow* window, double xoffset, double yoffset);

private:
    GLFWwindow* window_;
    double scrollOffset_ = 0.0;
};
