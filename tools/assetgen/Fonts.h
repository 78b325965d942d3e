#pragma once
// The game's display face and text set with it into images (FreeType).
#include <string>

#include <glm/glm.hpp>

#include "Image.h"

// Where the build found the font and its licence (Bebas Neue, SIL OFL).
void setFontSource(const std::string& fontFile, const std::string& licenceFile);
const std::string& fontSource();

// Coverage of `text` set at `pixelHeight`, one channel per pixel in a Field the
// size of the text's box (plus `pad` texels on every side), with extra
// letter spacing in pixels. `baseline` receives the baseline row.
struct TextMask {
    int width = 0;
    int height = 0;
    int baseline = 0;
    std::vector<float> coverage;
    float at(int x, int y) const { return (x < 0 || y < 0 || x >= width || y >= height) ? 0.0f : coverage[size_t(y) * size_t(width) + size_t(x)]; }
};
TextMask renderText(const std::string& text, int pixelHeight, int tracking, int pad);
