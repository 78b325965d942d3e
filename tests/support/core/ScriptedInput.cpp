#include "support/core/ScriptedInput.h"

ScriptedInput::ScriptedInput(double frameStep, double giveUpAfter) : frameStep_(frameStep), giveUpAfter_(giveUpAfter) {}

void ScriptedInput::holdKey(double from, double until, int key) { keys_.push_back({from, until, key}); }
void ScriptedInput::holdButton(double from, double until, int button) { buttons_.push_back({from, until, button}); }
void ScriptedInput::plugPad(double from, double until) { padPlugged_.push_back({from, until, 0}); }
void ScriptedInput::holdPadButton(double from, double until, int button) { padButtons_.push_back({from, until, button}); }

void ScriptedInput::holdPadAxis(double from, double until, int axis, float value)
{
    padAxes_.push_back({from, until, axis, value});
}

void ScriptedInput::jumpClock(double at, double seconds) { actions_.emplace(at, [this, seconds] { now_ += seconds; }); }
void ScriptedInput::closeWindow(double at) { actions_.emplace(at, [this] { close_ = true; }); }
void ScriptedInput::at(double time, std::function<void()> action) { actions_.emplace(time, std::move(action)); }

int ScriptedInput::state(const std::vector<Hold>& holds, int code, double now)
{
    for (const Hold& hold : holds)
        if (hold.code == code && now >= hold.from && now < hold.until)
            return Press;
    return Release;
}

int ScriptedInput::key(int key) { return state(keys_, key, now_); }
int ScriptedInput::mouseButton(int button) { return state(buttons_, button, now_); }

bool ScriptedInput::gamepad(GamepadState& pad)
{
    if (state(padPlugged_, 0, now_) == Release)
        return false;
    pad = GamepadState{};
    for (int button = 0; button < PadButton::Count; ++button)
        pad.buttons[button] = static_cast<unsigned char>(state(padButtons_, button, now_));
    for (const Hold& hold : padAxes_)
        if (now_ >= hold.from && now_ < hold.until)
            pad.axes[hold.code] = hold.value;
    return true;
}

void ScriptedInput::runDueActions()
{
    while (!actions_.empty() && actions_.begin()->first <= now_) {
        auto action = std::move(actions_.begin()->second);
        actions_.erase(actions_.begin());
        action();
    }
}

void ScriptedInput::pollEvents()
{
    ++polls;
    now_ += frameStep_;
    runDueActions();
    if (now_ > giveUpAfter_ || (pollLimit_ >= 0 && polls >= pollLimit_)) {
        gaveUp = true;
        close_ = true;
    }
}

void ScriptedInput::sleepMilliseconds(int milliseconds)
{
    sleeps.push_back(milliseconds);
    now_ += milliseconds / 1000.0;
}
