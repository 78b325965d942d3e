#include "game/Terrain.h"

#include <utility>

std::unique_ptr<Terrain> terrain;

Terrain::Terrain(int width, int height, std::vector<std::uint8_t> blue)
{
    if (width <= 0 || height <= 0 || blue.size() != static_cast<std::size_t>(width) * static_cast<std::size_t>(height))
        return;
    this->width = width;
    this->height = height;
    pixels = std::move(blue);
}
