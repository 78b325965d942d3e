#pragma once
// The floor of a frame: what its triangles, draws and full-screen passes cost
// at least on this machine's OpenGL, from the figures the floor program
// (../shared/bench/floor.cpp, beside the repository) measures in the same run.
// Its formula, for N lit triangles, M depth-only triangles, Dl lit draws and
// Dd depth draws, with two full-screen passes and one clear and swap:
//
//   N * lit_ns_per_tri_geom * 1e-6 + lit_fill_ms + M * depth_ns_per_tri * 1e-6
//   + Dl * draw_us_lit_net * 1e-3 + Dd * draw_us_depth_net * 1e-3
//   + fullscreen_copy_ms + fullscreen_blur_ms + clear_swap_ms
#include <optional>
#include <string>

// The floor program's figures that the formula and the report use.
struct FloorFigures {
    double litNsPerTriangle = 0.0;      // lit_ns_per_tri_geom
    double litFillMs = 0.0;             // lit_fill_ms: every 1280x720 pixel lit once
    double depthNsPerTriangle = 0.0;    // depth_ns_per_tri
    double litDrawUs = 0.0;             // draw_us_lit_net
    double depthDrawUs = 0.0;           // draw_us_depth_net
    double fullscreenCopyMs = 0.0;      // fullscreen_copy_ms
    double fullscreenBlurMs = 0.0;      // fullscreen_blur_ms
    double clearSwapMs = 0.0;           // clear_swap_ms
    double otherLoad = 0.0;             // other_load: cores other processes kept busy meanwhile
    double rasteriserThreads = 0.0;     // lp_threads
};

// The number after "key": in a flat JSON object, if there is one.
std::optional<double> jsonNumber(const std::string& json, const std::string& key);

// Reads the floor program's JSON line; nothing when a figure the formula needs is missing.
std::optional<FloorFigures> parseFloorFigures(const std::string& json);

// What one frame sent to OpenGL, split as the formula splits it.
struct FrameCounts {
    double litTriangles = 0.0;   // N
    double depthTriangles = 0.0; // M
    double litDraws = 0.0;       // Dl
    double depthDraws = 0.0;     // Dd
};

double floorMilliseconds(const FloorFigures& figures, const FrameCounts& counts);
