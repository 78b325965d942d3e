#pragma once
// An Input that plays a script instead of reading a window: keys, buttons and a
// gamepad's buttons and axes go down and up at given clock times, the clock advances by a fixed step at every event poll
// and by the requested amount at every sleep, without waiting. A test installs
// it with setInput() and runs the game's real loop in-process.
#include "platform/Input.h"

#include <functional>
#include <map>
#include <string>
#include <vector>

class ScriptedInput final : public Input {
public:
    // `frameStep`: seconds the clock advances at each pollEvents().
    // `giveUpAfter`: clock time at which the script closes the window itself, so
    // a test whose loop never ends fails instead of hanging.
    explicit ScriptedInput(double frameStep = 1.0 / 60.0, double giveUpAfter = 100000.0);

    // Script, all times in clock seconds. Actions run at the first poll at or after their time.
    void holdKey(double from, double until, int key);
    void holdButton(double from, double until, int button);
    // The pad: plugged in from `from` until `until`; one of its buttons held, or
    // one of its axes at `value` (the pad's rest value otherwise).
    void plugPad(double from, double until);
    void holdPadButton(double from, double until, int button);
    void holdPadAxis(double from, double until, int axis, float value);
    void jumpClock(double at, double seconds);              // time passes without any poll
    void closeWindow(double at);
    void at(double time, std::function<void()> action);     // anything else
    void closeAfterPolls(int polls) { pollLimit_ = polls; } // for a script whose clock stands still

    // What the game did.
    std::vector<std::string> titles;
    std::vector<int> sleeps;
    int polls = 0;
    int swaps = 0;
    bool terminated = false;
    bool gaveUp = false;

    double time() override { return now_; }
    int key(int key) override;
    int mouseButton(int button) override;
    void cursorPosition(double& x, double& y) override { x = cursorX; y = cursorY; }
    bool gamepad(GamepadState& state) override;
    void setCursorPosition(double x, double y) override { cursorX = x; cursorY = y; }
    void setCursorMode(CursorMode mode) override { cursorMode = mode; }
    void pollEvents() override;
    double scrollOffset() override { return scroll; }
    void resetScrollOffset() override { scroll = 0.0; }
    bool shouldClose() override { return close_; }
    bool focused() override { return windowFocused; }
    void setShouldClose(bool close) override { close_ = close; }
    void setTitle(const std::string& title) override { titles.push_back(title); }
    void swapBuffers() override
    {
        ++swaps;
        if (onSwap)
            onSwap();
    }
    void sleepMilliseconds(int milliseconds) override;
    void terminate() override { terminated = true; }

    // Called at every swapBuffers(), also on screens that poll no events
    // (the loading screen).
    std::function<void()> onSwap;

    double cursorX = 0.0, cursorY = 0.0;
    double scroll = 0.0; // wheel turns not yet used
    CursorMode cursorMode = CursorMode::Disabled;
    bool windowFocused = true;

private:
    struct Hold {
        double from, until;
        int code;
        float value = 1.0f;
    };
    void runDueActions();
    static int state(const std::vector<Hold>& holds, int code, double now);

    double now_ = 0.0;
    double frameStep_;
    double giveUpAfter_;
    bool close_ = false;
    int pollLimit_ = -1;
    std::vector<Hold> keys_, buttons_, padPlugged_, padButtons_, padAxes_;
    std::multimap<double, std::function<void()>> actions_;
};
