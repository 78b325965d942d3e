#include "assets/ImageLoader.h"
#include "assets/ImageSizeCheck.h"

#include "platform/Platform.h"

#include <FreeImage.h>
#include <GL/glew.h>

Image loadImage(const std::string& path)
{
    const std::string resolved = resolvePath(path);
    const FREE_IMAGE_FORMAT format = FreeImage_GetFileType(resolved.c_str(), 0);
    if (format == FIF_UNKNOWN || !imageHeaderAcceptable(format, resolved.c_str()))
        return {};
    FIBITMAP* bitmap = FreeImage_Load(format, resolved.c_str(), 0);
    if (bitmap == nullptr)
        return {};
    // Every upload reads three bytes a pixel: anything else would be read past
    // the end of its rows.
    if (FreeImage_GetBPP(bitmap) != 24 || FreeImage_GetImageType(bitmap) != FIT_BITMAP) {
        FIBITMAP* converted = FreeImage_ConvertTo24Bits(bitmap);
        FreeImage_Unload(bitmap);
        if (converted == nullptr)
            return {};
        bitmap = converted;
    }
    Image image;
    image.owner = std::shared_ptr<void>(bitmap, [](void* owned) { FreeImage_Unload(static_cast<FIBITMAP*>(owned)); });
    image.pixels = FreeImage_GetBits(bitmap);
    image.width = FreeImage_GetWidth(bitmap);
    image.height = FreeImage_GetHeight(bitmap);
    return image;
}

void uploadImage(const Image& image)
{
    GLint previousAlignment = 4;
    glGetIntegerv(GL_UNPACK_ALIGNMENT, &previousAlignment);
    // The decoded rows are padded to 4 bytes; the font set-up leaves the
    // alignment at 1, which would shear every image whose width is not a
    // multiple of 4.
    glPixelStorei(GL_UNPACK_ALIGNMENT, 4);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, static_cast<GLsizei>(image.width), static_cast<GLsizei>(image.height), 0,
                 GL_BGR, GL_UNSIGNED_BYTE, image.empty() ? nullptr : image.pixels);
    glPixelStorei(GL_UNPACK_ALIGNMENT, previousAlignment);
}
