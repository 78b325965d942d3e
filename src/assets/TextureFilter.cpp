#include "assets/TextureFilter.h"

std::optional<TextureFilters> textureFilters(int textureSamplingMode, int mipmapMode)
{
    using namespace TextureFilterValue;
    // The counters only ever count up; a negative one (after wrapping round)
    // selects no filter at all, even where its remainder happens to be 0.
    if (textureSamplingMode < 0 || mipmapMode < 0)
        return std::nullopt;
    const int sampling = textureSamplingMode % 2;
    const int mipmap = mipmapMode % 3;
    static const int minFilters[2][3] = {
        {nearest, nearestMipmapNearest, nearestMipmapLinear},
        {linear, linearMipmapNearest, linearMipmapLinear},
    };
    return TextureFilters{minFilters[sampling][mipmap], sampling == 0 ? nearest : linear};
}
