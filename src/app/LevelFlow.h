#pragma once
// The spine of the game after start-up: loading screen, loading, waiting screen,
// the frames of the level, the end screen, then the next level after a win or
// the same level again after a loss. Every play starts from a full reload.
#include "assets/AssetCatalogue.h"
#include "game/LevelConstruction.h"

#include <memory>
#include <string>

// Reads the records and sets the level the game starts at from them and the
// setting startlevel (a level not reached yet is said on the console).
void startAtChosenLevel();

// Plays levels until the player closes the window or presses Escape during play.
void playLevel();

// Resets the per-level state, loads every asset and builds the level.
void loadLevel();

// Draws one off-screen frame of every mesh of the loaded level, so that the
// renderer compiles its shader variants now and not in the first frames of play.
void warmUpShaders();

// Runs the frames of one level and its end screen. Returns true when another
// play follows (the level was won or lost and Enter was pressed), false when
// the program is ending.
bool gameLoop();

// Keeps the won level's time and ammo where they beat its records, writes the
// records file, and marks the figures that the winning screen calls new records.
void recordWin();

// Polls events until the main Enter key (or Start on a pad) is down or the
// window should close.
void waitForEnter();

// Releases what lives for the whole process and ends the windowing system.
void endGame();

// The catalogue's meshes as the world sees them.
LevelMeshes levelMeshes(const Assets& assets);

// The level's collision heightmap, as the game writes the path.
inline const char* const heightmapPath = "Assets\\World\\desertHeightmapCollision.jpg";

// Decodes the heightmap at `path` into a Terrain. An image that cannot be read
// prints one line saying so and gives a terrain whose every query is outside.
std::unique_ptr<Terrain> loadTerrain(const std::string& path = heightmapPath);
