#pragma once
// The game's rules, run once per frame before drawing.

// Player shots against crawlers and the ground, enemy shots against the ground.
void collisionStep();

// Moves the world by the scaled frame time `dt` and handles the controls.
void updateGameplay(float dt);
