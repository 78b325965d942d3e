#pragma once
// Which OpenGL filters the two render toggles choose for mesh textures. Kept
// free of OpenGL so it is tested without a display; the values are GL's enums.
#include <optional>

namespace TextureFilterValue {
constexpr int nearest = 0x2600;              // GL_NEAREST
constexpr int linear = 0x2601;               // GL_LINEAR
constexpr int nearestMipmapNearest = 0x2700; // GL_NEAREST_MIPMAP_NEAREST
constexpr int linearMipmapNearest = 0x2701;  // GL_LINEAR_MIPMAP_NEAREST
constexpr int nearestMipmapLinear = 0x2702;  // GL_NEAREST_MIPMAP_LINEAR
constexpr int linearMipmapLinear = 0x2703;   // GL_LINEAR_MIPMAP_LINEAR
} // namespace TextureFilterValue

struct TextureFilters {
    int minFilter; // GL_TEXTURE_MIN_FILTER
    int magFilter; // GL_TEXTURE_MAG_FILTER
};

// Sampling: remainder 0 nearest, 1 bilinear. Mip-mapping: remainder by 3 of 0
// off, 1 nearest level, 2 linear between levels. A negative counter matches
// nothing: then no filter is set at all.
std::optional<TextureFilters> textureFilters(int textureSamplingMode, int mipmapMode);
