#include "game/TerrainImage.h"

#include "app/Platform.h"

#include <FreeImage.h>

#include <cstdint>
#include <iostream>
#include <vector>

namespace {

// Owns a FreeImage bitmap for the length of a load.
struct BitmapHolder {
    FIBITMAP* bitmap = nullptr;
    explicit BitmapHolder(FIBITMAP* bitmap) : bitmap(bitmap) {}
    ~BitmapHolder()
    {
        if (bitmap)
            FreeImage_Unload(bitmap);
    }
    BitmapHolder(const BitmapHolder&) = delete;
    BitmapHolder& operator=(const BitmapHolder&) = delete;
};

} // namespace

std::unique_ptr<Terrain> loadTerrain(const std::string& path)
{
    const std::string file = resolvePath(path);
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(file.c_str(), 0);
    BitmapHolder decoded(format == FIF_UNKNOWN ? nullptr : FreeImage_Load(format, file.c_str(), 0));
    // A grey JPEG decodes to 8 bits a pixel; reading colours from that is not
    // defined, so the image is brought to 24-bit blue-green-red once, here.
    BitmapHolder colour(decoded.bitmap ? FreeImage_ConvertTo24Bits(decoded.bitmap) : nullptr);
    if (!colour.bitmap) {
        std::cout << "Could not load the heightmap " << path << std::endl;
        return std::make_unique<Terrain>();
    }

    const int width = static_cast<int>(FreeImage_GetWidth(colour.bitmap));
    const int height = static_cast<int>(FreeImage_GetHeight(colour.bitmap));
    // Only the blue byte of each pixel is kept; scan line 0 is the bottom row,
    // which is how the terrain counts its rows. The bitmaps are released on return.
    std::vector<std::uint8_t> blue(static_cast<std::size_t>(width) * static_cast<std::size_t>(height));
    for (int row = 0; row < height; ++row) {
        const BYTE* line = FreeImage_GetScanLine(colour.bitmap, row);
        for (int column = 0; column < width; ++column)
            blue[static_cast<std::size_t>(row) * width + column] = line[column * 3 + FI_RGBA_BLUE];
    }
    return std::make_unique<Terrain>(width, height, std::move(blue));
}
