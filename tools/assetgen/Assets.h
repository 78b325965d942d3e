#pragma once
// The families of assets the generator makes, each in its own source file, and
// the few facts they share (the sun, the palette, the terrain as the game reads it).
#include <cstdint>
#include <string>
#include <vector>

#include <glm/glm.hpp>

#include "Image.h"
#include "Mesh.h"
#include "game/Terrain.h"

// Light 1 of the game: directional, from (350, 70, 350), orange.
inline glm::vec3 sunDirection() { return glm::normalize(glm::vec3(350.0f, 70.0f, 350.0f)); }

// The collision heightmap is held in the game's own Terrain, decoded from the
// JPEG the generator wrote, so every height the generator uses (ground mesh,
// routes, key art) is the one the game computes.
inline constexpr int heightmapSize = 1500;
// The game refuses the image's first row and column and everything beyond; the
// ground mesh's rim takes the height of the nearest pixel instead.
float heightNearest(const Terrain& heightmap, float x, float z);

// Where the landmarks stand, so routes can steer around and past them.
inline glm::vec2 radarDomePosition() { return {-500.0f, -500.0f}; }
inline glm::vec2 landmarkRockPosition() { return {700.0f, -700.0f}; }

// Terrain and level files: heightmap, ground mesh and sand, routes.
Terrain generateTerrain(const std::string& assets);
void generateGround(const Terrain& heightmap, const std::string& assets);
// Writes both route files; returns the player's route (world units).
std::vector<glm::vec3> generateRoutes(const Terrain& heightmap, const std::string& assets);

// Sky: the function of direction shared by the cube faces, the dome's
// reflection map and the screens.
// `withSun` false leaves out the sun's glow and disc (for haze over the ground).
glm::vec3 skyColour(glm::vec3 direction, bool withSun = true);
void generateSky(const std::string& assets);

void generateCrawlers(const std::string& assets);
void generateDuck(const std::string& assets);
void generateDrone(const std::string& assets);
void generateGameObjects(const std::string& assets);  // projectile, explosion, cannon, marble box
void generateScenery(const std::string& assets);      // rock, radar dome, dust cloud, fireball
void generateScreens(const std::string& assets, const Terrain& heightmap);
void copyFont(const std::string& assets);

// Preview sheets of everything generated under `assets`.
void writePreview(const std::string& assets, const std::string& outputDirectory);
