#include "render/GlyphBitmap.h"

#include <algorithm>
#include <cmath>

namespace {

// Bytes that one row of `width` pixels fills; 0 for pixels of another kind.
std::uint64_t rowBytes(GlyphPixels pixels, std::uint64_t width)
{
    switch (pixels) {
    case GlyphPixels::mono: return (width + 7) / 8;
    case GlyphPixels::gray2: return (width + 3) / 4;
    case GlyphPixels::gray4: return (width + 1) / 2;
    case GlyphPixels::gray: return width;
    case GlyphPixels::bgra: return width * 4;
    case GlyphPixels::other: break;
    }
    return 0;
}

// Pixel `x` of a row as coverage.
std::uint8_t coverageAt(GlyphPixels pixels, const std::uint8_t* row, unsigned int x)
{
    switch (pixels) {
    case GlyphPixels::mono: return ((row[x / 8] >> (7 - x % 8)) & 1) != 0 ? 255 : 0;
    case GlyphPixels::gray2: return static_cast<std::uint8_t>(((row[x / 4] >> (6 - 2 * (x % 4))) & 3) * 85);
    case GlyphPixels::gray4: return static_cast<std::uint8_t>(((row[x / 2] >> (4 - 4 * (x % 2))) & 15) * 17);
    case GlyphPixels::gray: return row[x];
    case GlyphPixels::bgra: return row[4 * x + 3];
    case GlyphPixels::other: break;
    }
    return 0;
}

// The scaled length of a side: at least one pixel when there was one.
double scaledSide(unsigned int side, float scale)
{
    if (side == 0)
        return 0.0;
    return std::max(1.0, std::round(static_cast<double>(side) * static_cast<double>(scale)));
}

ConvertedGlyph refused(const char* reason)
{
    ConvertedGlyph glyph;
    glyph.refusal = reason;
    return glyph;
}

// Which old pixels lie under each new one along one axis, and by how much.
struct Tap {
    int source;
    float weight;
};
std::vector<std::vector<Tap>> areaTaps(int from, int to)
{
    std::vector<std::vector<Tap>> taps(static_cast<std::size_t>(to));
    const double step = static_cast<double>(from) / static_cast<double>(to);
    for (int target = 0; target < to; ++target) {
        const double begin = target * step, end = (target + 1) * step;
        const int last = std::min(from, static_cast<int>(std::ceil(end)));
        for (int source = static_cast<int>(begin); source < last; ++source) {
            const double overlap = std::min(end, source + 1.0) - std::max(begin, static_cast<double>(source));
            if (overlap > 0.0)
                taps[static_cast<std::size_t>(target)].push_back({source, static_cast<float>(overlap / step)});
        }
    }
    return taps;
}

} // namespace

ConvertedGlyph convertGlyphBitmap(const GlyphBitmap& bitmap, float scale)
{
    if (bitmap.width == 0 || bitmap.rows == 0)
        return {}; // a space: nothing to draw, nothing to read
    if (bitmap.pixels == GlyphPixels::other)
        return refused("its glyph bitmaps are of a kind that cannot be drawn");
    if (bitmap.width > largestGlyphSide || bitmap.rows > largestGlyphSide || !(scale > 0.0f) ||
        scaledSide(bitmap.width, scale) > largestGlyphSide || scaledSide(bitmap.rows, scale) > largestGlyphSide)
        return refused(glyphTooLarge);
    const std::uint64_t stride = bitmap.pitch < 0 ? -static_cast<std::int64_t>(bitmap.pitch) : bitmap.pitch;
    if (bitmap.buffer == nullptr || stride < rowBytes(bitmap.pixels, bitmap.width) ||
        stride * bitmap.rows > bitmap.bufferBytes)
        return refused("a glyph bitmap does not hold its rows");

    GlyphCoverage coverage;
    coverage.width = static_cast<int>(bitmap.width);
    coverage.rows = static_cast<int>(bitmap.rows);
    coverage.pixels.resize(static_cast<std::size_t>(bitmap.width) * bitmap.rows);
    for (unsigned int y = 0; y < bitmap.rows; ++y) {
        // Rows stored bottom first: the top row is the last in memory.
        const std::uint64_t stored = bitmap.pitch < 0 ? bitmap.rows - 1 - y : y;
        const std::uint8_t* row = bitmap.buffer + stored * stride;
        for (unsigned int x = 0; x < bitmap.width; ++x)
            coverage.pixels[static_cast<std::size_t>(y) * bitmap.width + x] = coverageAt(bitmap.pixels, row, x);
    }
    ConvertedGlyph glyph;
    if (scale == 1.0f)
        glyph.coverage = std::move(coverage);
    else
        glyph.coverage = resampleCoverage(coverage, static_cast<int>(scaledSide(bitmap.width, scale)),
                                          static_cast<int>(scaledSide(bitmap.rows, scale)));
    return glyph;
}

GlyphCoverage resampleCoverage(const GlyphCoverage& coverage, int width, int rows)
{
    GlyphCoverage resampled;
    if (coverage.width <= 0 || coverage.rows <= 0 || width <= 0 || rows <= 0)
        return resampled;
    // Across each row first, then down each column.
    const auto across = areaTaps(coverage.width, width);
    const auto down = areaTaps(coverage.rows, rows);
    std::vector<float> acrossRows(static_cast<std::size_t>(width) * static_cast<std::size_t>(coverage.rows));
    for (int y = 0; y < coverage.rows; ++y)
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (const Tap& tap : across[static_cast<std::size_t>(x)])
                sum += tap.weight * coverage.pixels[static_cast<std::size_t>(y) * coverage.width + tap.source];
            acrossRows[static_cast<std::size_t>(y) * width + x] = sum;
        }
    resampled.width = width;
    resampled.rows = rows;
    resampled.pixels.resize(static_cast<std::size_t>(width) * static_cast<std::size_t>(rows));
    for (int y = 0; y < rows; ++y)
        for (int x = 0; x < width; ++x) {
            float sum = 0.0f;
            for (const Tap& tap : down[static_cast<std::size_t>(y)])
                sum += tap.weight * acrossRows[static_cast<std::size_t>(tap.source) * width + x];
            resampled.pixels[static_cast<std::size_t>(y) * width + x] =
                static_cast<std::uint8_t>(std::clamp(std::lround(sum), 0L, 255L));
        }
    return resampled;
}

StrikeChoice nearestStrike(const std::vector<float>& pixelSizes, float wanted)
{
    StrikeChoice choice;
    for (std::size_t i = 0; i < pixelSizes.size(); ++i) {
        const float size = pixelSizes[i];
        if (!(size > 0.0f))
            continue;
        if (choice.index >= 0) {
            const float best = pixelSizes[static_cast<std::size_t>(choice.index)];
            const float distance = std::abs(size - wanted), bestDistance = std::abs(best - wanted);
            if (distance > bestDistance || (distance == bestDistance && size >= best))
                continue;
        }
        choice.index = static_cast<int>(i);
    }
    if (choice.index >= 0) {
        const float size = pixelSizes[static_cast<std::size_t>(choice.index)];
        choice.scale = std::abs(size - wanted) <= 0.1f * wanted ? 1.0f : wanted / size;
    }
    return choice;
}
