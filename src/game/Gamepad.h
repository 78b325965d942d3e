#pragma once
// The gamepad as the game reads it: a stick turns the view like the mouse, the
// right trigger is the left mouse button, the left trigger the right one, and
// Start is Enter between levels and P during play. Nothing on the pad ends the game.
#include "game/Settings.h"
#include "platform/Input.h"

#include <glm/vec2.hpp>

// Below this share of a stick's travel it is at rest: worn sticks never quite centre.
inline constexpr float padDeadZone = 0.15f;
// Degrees a second a stick pushed all the way turns the view, at a mouse sensitivity of 100.
inline constexpr float padTurnRate = 180.0f;
// A trigger counts as pulled once past 60% of its travel and as let go below 40%,
// so one resting near the middle does not fire and stop every other frame.
inline constexpr float triggerPulledAt = 0.6f;
inline constexpr float triggerLetGoAt = 0.4f;

// What the triggers and Start did in earlier frames of this level.
struct PadLatches {
    bool fireHeld = false;    // right trigger pulled
    bool zoomHeld = false;    // left trigger pulled
    bool startSeenUp = false; // Start was up at least once since the level began
};

// What the pad asks of the game in one frame.
struct PadCommands {
    float pitchDelta = 0.0f; // degrees, positive looks down
    float yawDelta = 0.0f;   // degrees, positive turns right
    bool fire = false;
    bool zoom = false;
    bool start = false; // Start down, not still held from the screen that started the level
};

// A stick's (x, y) after the dead zone and the response curve: zero inside the
// dead zone, then growing with the square of the travel beyond it, for fine aim
// near the centre and fast turns at the rim; length 1 at full travel. A reading
// that is not a number or lies outside -1 to 1 is no reading: zero.
glm::vec2 stickResponse(float x, float y);

// Whether a trigger at `value` (-1 let go, 1 pulled) is held, given whether it
// was held the frame before. A reading that is not a number or out of range lets go.
bool triggerHeld(float value, bool wasHeld);

// One frame of the pad read from `input`, turning by `dt` seconds of stick
// motion scaled by `settings.mousesensitivity` and `settings.invertmouse`.
// No pad, or a window without focus, asks for nothing and lets go of both triggers.
PadCommands readPad(Input& input, const Settings& settings, float dt, PadLatches& latches);

// Whether Start is down on the first pad (the screens between levels take it for Enter).
bool padStartDown(Input& input);
