#pragma once
// A large mesh (the desert floor) split into pieces that are drawn only where
// the view can see them: its triangles are regrouped by where they lie, and
// each group keeps its own box. The picture is the same; a pass that sees a
// third of the ground draws a third of its triangles. CPU data only.
#include "assets/MeshData.h"

#include <glm/vec3.hpp>

#include <cstdint>

// Meshes with at least this many triangles are split.
inline constexpr std::uint32_t trianglesWorthSplitting = 4096;

// Splits `data` on a `grid` x `grid` raster of its extent along x and z: the
// triangles of each cell, in their old order, follow each other in the vertex
// arrays (every array is permuted alike), and `pieces` gets one entry a
// non-empty cell, row by row. Vertices beyond the drawn triangles stay at the
// end, undrawn. A mesh with fewer than trianglesWorthSplitting triangles, or
// without positions, is returned as it is, without pieces.
MeshData splitIntoPieces(const MeshData& data, int grid = 8);
