#pragma once
// Small image files written by tests, with FreeImage.
#include <functional>
#include <string>

struct Rgb;

// Writes a 24-bit image of `width` x `height` to `path` in the format its
// extension names (.bmp lossless, .jpg). `color(x, y)` gives the pixel with y
// counted from the top row of the picture.
void writeColorImage(const std::string& path, int width, int height, const std::function<Rgb(int x, int y)>& color);

// An 8-bit grey image (JPEG or BMP by extension), every pixel `grey`.
void writeGreyImage(const std::string& path, int width, int height, int grey);

// A 32-bit BMP with alpha, every pixel the colour given.
void write32BitImage(const std::string& path, int width, int height, Rgb color);
