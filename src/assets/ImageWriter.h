#pragma once
// Encoding pictures as image files with FreeImage.
#include <vector>

// The bytes of a PNG file of a `width` x `height` picture given as rows of
// blue, green and red bytes, bottom row first, each row padded to a multiple
// of 4 bytes (as OpenGL reads a frame back). Empty when it cannot be encoded.
std::vector<unsigned char> encodePng(const std::vector<unsigned char>& rows, int width, int height);
