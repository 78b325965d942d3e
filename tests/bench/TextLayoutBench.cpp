// The per-frame text work on the CPU: building the HUD's strings and laying out
// their glyphs. Every frame draws a few lines, so this must stay in microseconds.
#include "app/HudText.h"
#include "render/TextLayout.h"

#include <benchmark/benchmark.h>

namespace {

GlyphTable fullTable()
{
    GlyphTable glyphs;
    for (int code = 0; code < 128; ++code) {
        Glyph glyph;
        glyph.texture = static_cast<unsigned int>(code + 1);
        glyph.size = {14, 22};
        glyph.bearing = {1, 21};
        glyph.advance = 15 * 64 + 17;
        glyphs.emplace(static_cast<char>(code), glyph);
    }
    return glyphs;
}

void layoutOfAHudLine(benchmark::State& state)
{
    const GlyphTable glyphs = fullTable();
    const std::string line = "Needed kills: 12 - Speed level: 10 - Time: 10 min";
    for (auto _ : state) {
        float checksum = 0.0f;
        const float end = layoutText(glyphs, line, 25.0f, 570.0f, 1.5f,
                                     [&](const Glyph&, const GlyphQuad& quad) { checksum += quad[0]; });
        benchmark::DoNotOptimize(checksum + end);
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(line.size()));
}
BENCHMARK(layoutOfAHudLine);

void endScreenLines(benchmark::State& state)
{
    double seconds = 0.0;
    for (auto _ : state) {
        auto lines = endOfLevelLines(true, 345, seconds, 720.0f);
        benchmark::DoNotOptimize(lines.data());
        seconds += 1.0;
    }
}
BENCHMARK(endScreenLines);

} // namespace
