#pragma once
// Decoding the collision heightmap into a Terrain.
#include "game/Terrain.h"

#include <memory>
#include <string>

// The level's collision heightmap, as the game writes the path.
inline const std::string heightmapPath = "Assets\\World\\desertHeightmapCollision.jpg";

// Decodes the image at `path` (a game path, see resolvePath) into a Terrain. An
// image that cannot be read prints one line saying so and gives a terrain whose
// every query is outside (-1.0).
std::unique_ptr<Terrain> loadTerrain(const std::string& path = heightmapPath);
