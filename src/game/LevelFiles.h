#pragma once
// The two level files, Wavefront OBJ text read line by line: "v x y z" lines
// give points, "g" lines close a crawler's route. Everything else (comments,
// texture coordinates, normals, faces, names, blank lines) is ignored.
#include "game/Terrain.h"

#include <glm/vec3.hpp>

#include <cstddef>
#include <iosfwd>
#include <string>
#include <vector>

// Where the level is read from, as the game writes the paths.
inline const char* const crawlerRoutesPath = "Assets\\World\\level1c2.obj";
inline const char* const playerRoutePath = "Assets\\World\\st01v002-pp.obj";

struct LevelFile {
    std::vector<glm::vec3> vertices;    // every "v" line, in file order
    std::vector<std::size_t> groupEnds; // per "g" line: how many vertices came before it
};

// Reads the lines of a level file. Only the exact first words "v" and "g"
// count; a "v" line without three numbers is skipped.
LevelFile parseLevelFile(std::istream& in);

// Reads the level file at `path` (a game path). A file that cannot be opened
// prints one line naming it and reads as empty.
LevelFile readLevelFile(const std::string& path);

// The crawlers' patrol routes: the points of each group, scaled by 0.1 in x and
// z and put on the ground. Points after the last group line belong to no route.
std::vector<std::vector<glm::vec3>> crawlerRoutes(const LevelFile& file, const Terrain& terrain);
