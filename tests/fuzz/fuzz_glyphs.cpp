// Glyph loading and conversion as the text renderer does them, two ways. When
// the input's last byte is even, the rest is a font file: FreeType opens it and
// its first 128 characters are rasterised exactly as for the game
// (rasteriseFont), sizes chosen, bitmaps converted and scaled. When it is odd,
// the input describes a glyph bitmap itself (kind, size, pitch, scale) over
// the bytes it has left, which need not hold what the description says.
// Every coverage handed to the upload must be as large as its glyph says.
//
// The seeds are three of the generator's test fonts, each with a 0 byte added:
//   assetgen --test-fonts DIR
//   for f in bitmap-30.bdf outline.ttf colour-120.ttf; do
//     { cat DIR/$f; printf '\0'; } > tests/fuzz/corpus/fuzz_glyphs/$f; done
// and two BDF fonts written by hand, of two and four bits a pixel.
#include "FuzzScratch.h"

#include "render/FontGlyphs.h"
#include "render/GlyphBitmap.h"

#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <iostream>

namespace {

void fail(const char* what)
{
    std::cerr << "glyphs: " << what << std::endl;
    std::abort();
}

// Reads every byte of the coverage, as glTexImage2D will.
void readAll(const GlyphCoverage& coverage)
{
    if (coverage.width < 0 || coverage.rows < 0 || coverage.width > largestGlyphSide ||
        coverage.rows > largestGlyphSide)
        fail("a glyph outside the sizes drawn");
    if (coverage.pixels.size() != static_cast<std::size_t>(coverage.width) * static_cast<std::size_t>(coverage.rows))
        fail("coverage not as large as its glyph");
    unsigned sum = 0;
    for (const std::uint8_t pixel : coverage.pixels)
        sum += pixel;
    volatile unsigned sink = sum;
    (void)sink;
}

void rasteriseFontFile(const std::vector<std::uint8_t>& font)
{
    const std::string path = fuzzScratchFolder() + "/font";
    writeFuzzFile(path, font.data(), font.size());
    const std::vector<RasterisedGlyph> glyphs = rasteriseFont(path);
    if (!glyphs.empty() && glyphs.size() != 128)
        fail("not one glyph a character");
    for (std::size_t i = 0; i < glyphs.size(); ++i) {
        if (glyphs[i].code != static_cast<char>(i))
            fail("characters out of order");
        if (glyphs[i].glyph.size.x != glyphs[i].coverage.width || glyphs[i].glyph.size.y != glyphs[i].coverage.rows)
            fail("a glyph's size is not its coverage's");
        readAll(glyphs[i].coverage);
    }
}

void convertDescribedBitmap(FuzzedDataProvider& input)
{
    constexpr GlyphPixels kinds[] = {GlyphPixels::mono, GlyphPixels::gray2, GlyphPixels::gray4,
                                     GlyphPixels::gray, GlyphPixels::bgra,  GlyphPixels::other};
    GlyphBitmap bitmap;
    bitmap.pixels = kinds[input.ConsumeIntegralInRange<std::size_t>(0, std::size(kinds) - 1)];
    bitmap.width = input.ConsumeIntegralInRange<unsigned int>(0, 1100);
    bitmap.rows = input.ConsumeIntegralInRange<unsigned int>(0, 1100);
    bitmap.pitch = input.ConsumeIntegralInRange(-5000, 5000);
    const float scale = input.ConsumeBool() ? 1.0f : input.ConsumeFloatingPointInRange(0.0f, 40.0f);
    // The bytes alone in a block of their own, so that reading one past them
    // is caught.
    const std::vector<std::uint8_t> bytes = input.ConsumeRemainingBytes<std::uint8_t>();
    bitmap.buffer = bytes.data();
    bitmap.bufferBytes = bytes.size();

    const ConvertedGlyph glyph = convertGlyphBitmap(bitmap, scale);
    if (!glyph.refusal.empty()) {
        if (!glyph.coverage.pixels.empty())
            fail("a refused glyph with coverage");
        return;
    }
    if (bitmap.width != 0 && bitmap.rows != 0 &&
        (glyph.coverage.width != std::max(1L, std::lround(bitmap.width * static_cast<double>(scale))) ||
         glyph.coverage.rows != std::max(1L, std::lround(bitmap.rows * static_cast<double>(scale)))))
        fail("coverage not scaled as asked");
    readAll(glyph.coverage);
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    silenceStandardOutput();
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider input(data, size);
    if (input.ConsumeIntegral<std::uint8_t>() % 2 == 0)
        rasteriseFontFile(input.ConsumeRemainingBytes<std::uint8_t>());
    else
        convertDescribedBitmap(input);
    return 0;
}
