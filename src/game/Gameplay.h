#pragma once
// The game's rules, run once per frame before drawing: shots against crawlers
// and the ground, the ride along the route, the three control modes, crawlers
// firing back, the camera shake, and the slow-motion finish that wins a level.
#include "game/GameState.h"
#include "game/Settings.h"
#include "game/World.h"
#include "platform/Input.h"

// Player shots against every crawler's base and against the ground, enemy shots
// against the ground. A hit destroys the crawler (its wreck, a burst of debris
// and fire, the explosion light, a camera jolt, one more kill); the last needed
// kill starts the finish. `now` is the real clock.
void collisionStep(World& world, GameState& state, double now);

// Moves the world by the scaled frame time `dt` (unless paused; in steps of at
// most longestMovementStep, with a collision step between two) and handles the
// controls read from `input`: mouse look, pointer aim or the free camera, the
// weapon, the zoom, pause, and the keys that switch mode. The gamepad acts
// beside the mouse (see Gamepad.h); a level that needs no kills starts its
// finish at once. Keys 7 and 8 switch
// `settings.debugmode`. The render-toggle keys are read after this.
void updateGameplay(World& world, GameState& state, Settings& settings, Input& input, float dt);

// Pauses the world when the window loses the focus during play, unless it is
// paused already, and resumes it when the focus comes back, but only if that
// pause is still the focus loss's: P or Start in between made it the player's.
void followWindowFocus(GameState& state, bool focused);

// The longest step, in scaled seconds, that moves the world at once: a longer
// frame is split into as many equal steps as it needs.
inline constexpr float longestMovementStep = 1.0f / 30.0f;

// The steps a frame of `dt` scaled seconds moves the world in: 1 up to
// longestMovementStep, more beyond.
int movementSteps(float dt);

// How far the finish may narrow the view: the free camera's own lower limit.
inline constexpr float narrowestFieldOfView = 5.0f;

// The lowest the headlight hangs above the ground at its feet.
inline constexpr float headlightAboveGround = 2.0f;
