// Image decoding and conversion as the game calls them: the input is an image
// file handed to loadImage (the format found from the contents, anything that
// is not 24-bit converted), then the terrain is made of the result and its
// height looked up across it and beyond its edges. A decoded image must hold
// every byte the texture upload will read.
#include "FuzzScratch.h"

#include "assets/ImageLoader.h"
#include "game/Terrain.h"

#include <cstdlib>
#include <iostream>

namespace {

void fail(const char* what)
{
    std::cerr << "image: " << what << std::endl;
    std::abort();
}

// What glTexImage2D reads of a 24-bit image with rows padded to 4 bytes.
unsigned readEveryUploadedByte(const Image& image)
{
    const std::size_t pitch = (static_cast<std::size_t>(image.width) * 3 + 3) / 4 * 4;
    unsigned sum = 0;
    for (std::size_t row = 0; row < image.height; ++row)
        for (std::size_t i = 0; i < static_cast<std::size_t>(image.width) * 3; ++i)
            sum += image.pixels[row * pitch + i];
    return sum;
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string path = fuzzScratchFolder() + "/image.jpg";
    writeFuzzFile(path, data, size);
    const Image image = loadImage(path);
    if (image.pixels != nullptr && (image.width == 0 || image.height == 0))
        fail("pixels without a size");
    if (!image.empty()) {
        volatile unsigned sink = readEveryUploadedByte(image);
        (void)sink;
    }

    const Terrain terrain(image);
    // World x runs along the columns from originX; world z counts the rows
    // down from originZ + 1500. One step past every edge is looked up too.
    for (int i = 0; i <= 32; ++i) {
        for (int j = 0; j <= 32; ++j) {
            const float column = static_cast<float>(terrain.width + 2) * static_cast<float>(i) / 32.0f - 1.0f;
            const float row = static_cast<float>(terrain.height + 2) * static_cast<float>(j) / 32.0f - 1.0f;
            const float height = terrain.heightAt(terrain.originX + column, terrain.originZ + 1500.0f - row);
            if (!(height == -1.0f || (height >= -2.0f && height <= 99.3f)))
                fail("a height outside the grey scale's range");
        }
    }
    return 0;
}
