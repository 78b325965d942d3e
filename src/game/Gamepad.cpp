#include "game/Gamepad.h"

#include <glm/geometric.hpp>

#include <cmath>

namespace {

bool readable(float value)
{
    return std::isfinite(value) && value >= -1.0f && value <= 1.0f;
}

} // namespace

glm::vec2 stickResponse(float x, float y)
{
    if (!readable(x) || !readable(y))
        return glm::vec2(0.0f);
    const glm::vec2 stick(x, y);
    // The corners of a square gate read up to 1.41: full travel is 1 every way.
    const float travel = std::min(glm::length(stick), 1.0f);
    if (travel <= padDeadZone)
        return glm::vec2(0.0f);
    const float beyond = (travel - padDeadZone) / (1.0f - padDeadZone);
    return stick / glm::length(stick) * (beyond * beyond);
}

bool triggerHeld(float value, bool wasHeld)
{
    if (!readable(value))
        return false;
    const float travel = (value + 1.0f) * 0.5f;
    return wasHeld ? travel >= triggerLetGoAt : travel >= triggerPulledAt;
}

PadCommands readPad(Input& input, const Settings& settings, float dt, PadLatches& latches)
{
    GamepadState pad;
    if (!input.gamepad(pad) || !input.focused()) {
        // A pad pulled out mid-shot stops firing; the mouse goes on as ever.
        latches.fireHeld = latches.zoomHeld = false;
        return {};
    }
    PadCommands commands;
    // Either stick looks: the one pushed further, so a pad with one stick aims
    // as well, and two sticks pushed together do not turn twice as fast.
    const glm::vec2 right = stickResponse(pad.axes[PadAxis::RightX], pad.axes[PadAxis::RightY]);
    const glm::vec2 left = stickResponse(pad.axes[PadAxis::LeftX], pad.axes[PadAxis::LeftY]);
    const glm::vec2 look = glm::length(left) > glm::length(right) ? left : right;
    const float degrees = padTurnRate * static_cast<float>(settings.mousesensitivity) / 100.0f * dt;
    commands.yawDelta = look.x * degrees;
    commands.pitchDelta = (settings.invertmouse ? -look.y : look.y) * degrees;

    latches.fireHeld = triggerHeld(pad.axes[PadAxis::RightTrigger], latches.fireHeld);
    latches.zoomHeld = triggerHeld(pad.axes[PadAxis::LeftTrigger], latches.zoomHeld);
    commands.fire = latches.fireHeld;
    commands.zoom = latches.zoomHeld;

    // The press of Start that left the waiting screen is still down in the
    // first frames of play: it must not pause the level it started.
    const bool startDown = pad.buttons[PadButton::Start] == Press;
    if (!startDown)
        latches.startSeenUp = true;
    commands.start = startDown && latches.startSeenUp;
    return commands;
}

bool padStartDown(Input& input)
{
    GamepadState pad;
    return input.gamepad(pad) && pad.buttons[PadButton::Start] == Press && input.focused();
}
