#include "assets/ImageSizeCheck.h"

#include <FreeImage.h>

bool imageSizeAcceptable(unsigned int width, unsigned int height)
{
    return width > 0 && height > 0 && width <= largestImageSide && height <= largestImageSide;
}

bool imageHeaderAcceptable(int format, const char* resolvedPath)
{
    const auto fif = static_cast<FREE_IMAGE_FORMAT>(format);
    if (!FreeImage_FIFSupportsNoPixels(fif))
        return false;
    FIBITMAP* header = FreeImage_Load(fif, resolvedPath, FIF_LOAD_NOPIXELS);
    if (header == nullptr)
        return false;
    const bool acceptable = imageSizeAcceptable(FreeImage_GetWidth(header), FreeImage_GetHeight(header));
    FreeImage_Unload(header);
    return acceptable;
}
