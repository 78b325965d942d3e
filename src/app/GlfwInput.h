#pragma once
// The game's Input: the GLFW window, its event queue, its clock and the
// gamepads GLFW knows.
#include "platform/Input.h"

struct GLFWwindow;

class GlfwInput final : public Input {
public:
    // Installs the scroll and focus callbacks on `window`; wheel turns add up
    // until reset.
    // With `rawMouseMotion`, and where the system offers it, the captured
    // pointer of mouse look moves by the mouse's own counts, without the
    // desktop's acceleration.
    GlfwInput(GLFWwindow* window, bool rawMouseMotion);

    double time() override;
    int key(int key) override;
    int mouseButton(int button) override;
    void cursorPosition(double& x, double& y) override;
    bool gamepad(GamepadState& state) override;
    void setCursorPosition(double x, double y) override;
    void setCursorMode(CursorMode mode) override;
    void pollEvents() override;
    double scrollOffset() override { return scrollOffset_; }
    void resetScrollOffset() override { scrollOffset_ = 0.0; }
    bool shouldClose() override;
    bool focused() override { return focused_; }
    void setShouldClose(bool close) override;
    void setTitle(const std::string& title) override;
    void swapBuffers() override;
    void sleepMilliseconds(int milliseconds) override;
    void terminate() override;

    // The scroll callback: adds the vertical offset, ignores the rest.
    static void onScroll(GLFWwindow* window, double xoffset, double yoffset);
    // The focus callback: the window gained (GLFW_TRUE) or lost the focus.
    static void onFocus(GLFWwindow* window, int focused);

    // Adds the mappings of gamecontrollerdb.txt in the game directory, when
    // there is one, to GLFW's own. A damaged file is reported in one line and
    // left out whole.
    static void loadGamepadMappings();

private:
    GLFWwindow* window_;
    double scrollOffset_ = 0.0;
    bool focused_ = false;
};
