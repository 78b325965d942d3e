#pragma once
// The one narrow interface through which the game reads the keyboard, the mouse,
// the gamepad and the clock, and talks to its window. The game runs on GlfwInput; tests run
// the same code on a scripted implementation that presses keys and advances time
// without waiting, so a whole level can be played in-process.
#include <string>

// Key, button and mode numbers as GLFW defines them, so the core library can
// name them without including GLFW.
namespace Key {
constexpr int Space = 32;
constexpr int Num1 = 49, Num2 = 50, Num5 = 53, Num6 = 54, Num7 = 55, Num8 = 56;
constexpr int A = 65, D = 68, E = 69, P = 80, Q = 81, S = 83, W = 87, X = 88, Z = 90;
constexpr int Escape = 256, Enter = 257;
constexpr int F1 = 290, F2 = 291, F3 = 292, F4 = 293, F5 = 294, F8 = 297, F9 = 298, F12 = 301;
} // namespace Key

namespace MouseButton {
constexpr int Left = 0, Right = 1;
}

constexpr int Release = 0; // GLFW_RELEASE
constexpr int Press = 1;   // GLFW_PRESS

enum class CursorMode { Normal, Disabled };

// A gamepad in the standard layout GLFW maps every known controller to.
namespace PadAxis {
constexpr int LeftX = 0, LeftY = 1, RightX = 2, RightY = 3, LeftTrigger = 4, RightTrigger = 5;
constexpr int Count = 6;
} // namespace PadAxis

namespace PadButton {
constexpr int A = 0, B = 1, X = 2, Y = 3, LeftBumper = 4, RightBumper = 5, Back = 6, Start = 7, Guide = 8;
constexpr int Count = 15;
} // namespace PadButton

struct GamepadState {
    // Sticks from -1 to 1, y pointing down as the mouse's does; triggers from -1
    // (let go) to 1 (pulled all the way). A pad at rest reads these values.
    float axes[PadAxis::Count] = {0.0f, 0.0f, 0.0f, 0.0f, -1.0f, -1.0f};
    unsigned char buttons[PadButton::Count] = {}; // Press or Release
};

class Input {
public:
    virtual ~Input() = default;

    virtual double time() = 0;                                  // seconds, as glfwGetTime()
    virtual int key(int key) = 0;                               // Press or Release
    virtual int mouseButton(int button) = 0;                    // Press or Release
    virtual void cursorPosition(double& x, double& y) = 0;
    virtual bool gamepad(GamepadState& state) = 0;              // the first pad plugged in; false when there is none
    virtual void setCursorPosition(double x, double y) = 0;
    virtual void setCursorMode(CursorMode mode) = 0;
    virtual void pollEvents() = 0;                              // takes in what happened since the last poll
    virtual double scrollOffset() = 0;                          // wheel turns added up since the last reset
    virtual void resetScrollOffset() = 0;
    virtual bool shouldClose() = 0;                             // the window was asked to close
    virtual bool focused() = 0;                                 // the window has the keyboard focus
    virtual void setShouldClose(bool close) = 0;
    virtual void setTitle(const std::string& title) = 0;
    virtual void swapBuffers() = 0;                             // shows what was drawn: the window's buffer swap
    virtual void sleepMilliseconds(int milliseconds) = 0;
    virtual void terminate() = 0;                               // ends the windowing system at program end
};
