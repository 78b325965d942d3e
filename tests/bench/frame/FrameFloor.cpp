#include "FrameFloor.h"

#include <cstdlib>

std::optional<double> jsonNumber(const std::string& json, const std::string& key)
{
    const std::string quoted = "\"" + key + "\"";
    size_t at = json.find(quoted);
    if (at == std::string::npos)
        return std::nullopt;
    at = json.find_first_not_of(" \t", at + quoted.size());
    if (at == std::string::npos || json[at] != ':')
        return std::nullopt;
    const char* start = json.c_str() + at + 1;
    char* end = nullptr;
    const double value = std::strtod(start, &end);
    if (end == start)
        return std::nullopt;
    return value;
}

std::optional<FloorFigures> parseFloorFigures(const std::string& json)
{
    FloorFigures figures;
    const struct {
        const char* key;
        double* value;
    } wanted[] = {
        {"lit_ns_per_tri_geom", &figures.litNsPerTriangle}, {"lit_fill_ms", &figures.litFillMs},
        {"depth_ns_per_tri", &figures.depthNsPerTriangle},  {"draw_us_lit_net", &figures.litDrawUs},
        {"draw_us_depth_net", &figures.depthDrawUs},        {"fullscreen_copy_ms", &figures.fullscreenCopyMs},
        {"fullscreen_blur_ms", &figures.fullscreenBlurMs},  {"clear_swap_ms", &figures.clearSwapMs},
    };
    for (const auto& figure : wanted) {
        const std::optional<double> value = jsonNumber(json, figure.key);
        if (!value)
            return std::nullopt;
        *figure.value = *value;
    }
    // For the report only.
    figures.otherLoad = jsonNumber(json, "other_load").value_or(-1.0);
    figures.rasteriserThreads = jsonNumber(json, "lp_threads").value_or(-1.0);
    return figures;
}

double floorMilliseconds(const FloorFigures& figures, const FrameCounts& counts)
{
    return counts.litTriangles * figures.litNsPerTriangle * 1e-6 + figures.litFillMs +
           counts.depthTriangles * figures.depthNsPerTriangle * 1e-6 + counts.litDraws * figures.litDrawUs * 1e-3 +
           counts.depthDraws * figures.depthDrawUs * 1e-3 + figures.fullscreenCopyMs + figures.fullscreenBlurMs +
           figures.clearSwapMs;
}
