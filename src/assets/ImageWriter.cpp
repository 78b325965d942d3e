#include "assets/ImageWriter.h"

#include <FreeImage.h>

std::vector<unsigned char> encodePng(const std::vector<unsigned char>& rows, int width, int height)
{
    const int pitch = (width * 3 + 3) / 4 * 4;
    if (width <= 0 || height <= 0 || rows.size() < static_cast<std::size_t>(pitch) * static_cast<std::size_t>(height))
        return {};
    // FreeImage keeps its rows bottom first in blue, green, red order too: the
    // rows are taken as they are. It does not write to them.
    FIBITMAP* bitmap = FreeImage_ConvertFromRawBits(const_cast<BYTE*>(rows.data()), width, height, pitch, 24,
                                                    FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK, FALSE);
    if (bitmap == nullptr)
        return {};
    std::vector<unsigned char> file;
    FIMEMORY* memory = FreeImage_OpenMemory();
    if (memory != nullptr && FreeImage_SaveToMemory(FIF_PNG, bitmap, memory, PNG_DEFAULT)) {
        BYTE* bytes = nullptr;
        DWORD size = 0;
        if (FreeImage_AcquireMemory(memory, &bytes, &size))
            file.assign(bytes, bytes + size);
    }
    if (memory != nullptr)
        FreeImage_CloseMemory(memory);
    FreeImage_Unload(bitmap);
    return file;
}
