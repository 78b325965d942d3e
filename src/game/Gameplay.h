#pragma once
// The game's rules, run once per frame before drawing.
#include "game/GameState.h"
#include "game/Settings.h"
#include "game/World.h"
#include "platform/Input.h"

// Player shots against crawlers and the ground, enemy shots against the ground.
void collisionStep(World& world, GameState& state);

// Moves the world by the scaled frame time `dt` and handles the controls read
// from `input`. Keys 7 and 8 switch `settings.debugmode`.
void updateGameplay(World& world, GameState& state, Settings& settings, Input& input, float dt);
