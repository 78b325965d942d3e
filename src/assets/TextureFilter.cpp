#include "assets/TextureFilter.h"

std::optional<TextureFilters> textureFilters(int textureSamplingMode, int mipmapMode)
{
    using namespace TextureFilterValue;
    // Signed remainders: a negative counter gives a negative remainder, no row.
    const int sampling = textureSamplingMode % 2;
    const int mipmap = mipmapMode % 3;
    if (sampling < 0 || mipmap < 0)
        return std::nullopt;
    static const int minFilters[2][3] = {
        {nearest, nearestMipmapNearest, nearestMipmapLinear},
        {linear, linearMipmapNearest, linearMipmapLinear},
    };
    return TextureFilters{minFilters[sampling][mipmap], sampling == 0 ? nearest : linear};
}
