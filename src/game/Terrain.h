#pragma once
// The collision heightmap: a grey image sampled to tell how high the ground is
// at a world position. The image is decoded by the image loader; the terrain
// keeps one byte a pixel and looks them up.
#include <cstdint>
#include <vector>

// Ground height of one heightmap pixel whose grey (blue) value is `c`: a
// parabola, c / 256 and not c / 255, so a white pixel is 99.21..., not 100.
// Single precision in this exact order: the asset generator builds the visible
// ground with this same function, so what the player sees and what shots hit agree.
inline float groundHeightOfGrey(std::uint8_t c, int heightScale = 100)
{
    const float grey = static_cast<float>(c);
    const float a = grey * 0.00390625f;
    return static_cast<float>(heightScale) * a * a - (2.0f - grey * 2.0f * 0.00390625f);
}

struct Image;

class Terrain {
public:
    int width = 0;              // pixels per row
    int height = 0;             // number of rows
    int heightScale = 100;      // world units spanned by the brightest pixel
    float originX = -750.0f;    // world x of pixel column 0
    float originZ = -750.0f;    // world z from which rows are counted

    // A terrain without an image: every query is outside (-1.0).
    Terrain() = default;

    // Takes the blue byte of every pixel, rows counted from the bottom scan line
    // as the image stores them: `blue[row * width + column]`. Sizes that do not
    // match the bytes given leave the terrain without an image.
    Terrain(int width, int height, std::vector<std::uint8_t> blue);

    // Keeps the blue byte of every pixel of a decoded image (the image itself
    // may go). An empty image gives a terrain whose every query is outside.
    explicit Terrain(const Image& image);

    // The blue byte at (column, row), row 0 being the bottom scan line.
    std::uint8_t blueAt(int column, int row) const { return pixels[static_cast<std::size_t>(row) * width + column]; }

    // Ground height at world (x, z), or -1.0 where that lies outside the usable
    // part of the image (column 0, row 0 and everything beyond the edges).
    // One pixel, no interpolation: constant time and no allocation.
    float heightAt(float x, float z) const
    {
        // The column is truncated in single precision; the row constant is the
        // double 1500.0 whatever the image's real height. Comparing before the
        // conversion keeps NaN and huge coordinates outside instead of feeding
        // them to an integer conversion.
        const float column = x - originX;
        const double row = 1500.0 - (z - originZ);
        if (!(column >= 1.0f && column < static_cast<float>(width)))
            return -1.0f;
        if (!(row >= 1.0 && row < static_cast<double>(height)))
            return -1.0f;
        return groundHeightOfGrey(blueAt(static_cast<int>(column), static_cast<int>(row)), heightScale);
    }

private:
    std::vector<std::uint8_t> pixels;
};
