#include "support/gl/ImageFixtures.h"

#include "support/gl/GlTestContext.h"

#include <FreeImage.h>

#include <stdexcept>

namespace {

FREE_IMAGE_FORMAT formatOf(const std::string& path)
{
    const FREE_IMAGE_FORMAT format = FreeImage_GetFIFFromFilename(path.c_str());
    if (format == FIF_UNKNOWN)
        throw std::runtime_error("no image format for " + path);
    return format;
}

void save(FIBITMAP* bitmap, const std::string& path)
{
    const FREE_IMAGE_FORMAT format = formatOf(path);
    const bool saved = FreeImage_Save(format, bitmap, path.c_str(), format == FIF_JPEG ? JPEG_QUALITYSUPERB : 0);
    FreeImage_Unload(bitmap);
    if (!saved)
        throw std::runtime_error("could not write " + path);
}

} // namespace

void writeColorImage(const std::string& path, int width, int height, const std::function<Rgb(int x, int y)>& color)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 24);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            const Rgb c = color(x, y);
            RGBQUAD quad{static_cast<BYTE>(c.b), static_cast<BYTE>(c.g), static_cast<BYTE>(c.r), 0};
            // FreeImage counts rows from the bottom.
            FreeImage_SetPixelColor(bitmap, x, height - 1 - y, &quad);
        }
    }
    save(bitmap, path);
}

void writeGreyImage(const std::string& path, int width, int height, int grey)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 8);
    RGBQUAD* palette = FreeImage_GetPalette(bitmap);
    for (int i = 0; i < 256; ++i)
        palette[i] = RGBQUAD{static_cast<BYTE>(i), static_cast<BYTE>(i), static_cast<BYTE>(i), 0};
    for (int y = 0; y < height; ++y) {
        BYTE* row = FreeImage_GetScanLine(bitmap, y);
        for (int x = 0; x < width; ++x)
            row[x] = static_cast<BYTE>(grey);
    }
    save(bitmap, path);
}

void write32BitImage(const std::string& path, int width, int height, Rgb color)
{
    FIBITMAP* bitmap = FreeImage_Allocate(width, height, 32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            RGBQUAD quad{static_cast<BYTE>(color.b), static_cast<BYTE>(color.g), static_cast<BYTE>(color.r), 200};
            FreeImage_SetPixelColor(bitmap, x, y, &quad);
        }
    save(bitmap, path);
}
