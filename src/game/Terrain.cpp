#include "game/Terrain.h"

#include "assets/Image.h"

#include <utility>

Terrain::Terrain(int width, int height, std::vector<std::uint8_t> blue)
{
    if (width <= 0 || height <= 0 || blue.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    this->width = width;
    this->height = height;
    pixels = std::move(blue);
}

Terrain::Terrain(const Image& image)
{
    if (image.empty())
        return;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    // Three bytes a pixel, blue first, rows padded to a multiple of 4 bytes and
    // stored bottom row first: row 0 here is the image's bottom scan line.
    const std::size_t pitch = (static_cast<std::size_t>(width) * 3 + 3) / 4 * 4;
    pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        const unsigned char* line = image.pixels + static_cast<std::size_t>(row) * pitch;
        for (int column = 0; column < width; ++column)
            pixels[static_cast<std::size_t>(row) * width + column] = line[column * 3];
    }
}
