#pragma once
// Building a level from the level files in the working directory, the way the
// level flow does after loading, and riding it for a few seconds: the routes a
// damaged file gives are followed, fired along and drawn from.
#include "game/Settings.h"

#include <cstddef>
#include <cstdint>
#include <string>

// Prepares a level target: a quiet standard output and, in the scratch
// folder, the level file that is not fuzzed (`file` a path under the folder,
// `content` its text).
void prepareLevelFolder(const std::string& file, const std::string& content);

// Writes the fuzzed level file (`file` a path under the scratch folder).
void writeLevelFile(const std::string& file, const std::uint8_t* data, std::size_t size);

// The settings a level is built with: the shipped window size, everything else
// at its default.
Settings levelSettings();

// Builds the level's world (a sloping terrain of the game's size, meshes as
// bounds) from "Assets\World\level1c2.obj" and "Assets\World\st01v002-pp.obj"
// as they are in the scratch folder, then plays `frames` frames of 1/60 s with the trigger
// held. An empty player route throws std::out_of_range, as in the game.
void buildAndRideLevel(const Settings& settings, int frames);
