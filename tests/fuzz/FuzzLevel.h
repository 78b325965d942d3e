#pragma once
// Building a level from the level files in the working directory, the way the
// level flow does after loading, and riding it for a few seconds: the routes a
// damaged file gives are followed, fired along and drawn from.
#include "game/Settings.h"

// Builds the level's world (a sloping terrain of the game's size, meshes as
// bounds) from "Assets\World\level1c2.obj" and "Assets\World\st01v002-pp.obj"
// as they are on disk, then plays `frames` frames of 1/60 s with the trigger
// held. An empty player route throws std::out_of_range, as in the game.
void buildAndRideLevel(const Settings& settings, int frames);
