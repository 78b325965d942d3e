#pragma once
// A decoded image on the CPU side: 24-bit pixels in blue, green, red order, rows
// bottom row first, each row padded to a multiple of 4 bytes (the image
// library's own layout, which OpenGL reads with an unpack alignment of 4).
// The pixels stay valid while any copy of the Image lives: meshes keep theirs
// to upload again when the filter toggles change.
#include <memory>

struct Image {
    unsigned char* pixels = nullptr; // first byte of the bottom row; null for a failed load
    unsigned int width = 0;          // in pixels
    unsigned int height = 0;         // in pixels
    std::shared_ptr<void> owner;     // keeps the decoded bitmap alive

    bool empty() const { return pixels == nullptr || width == 0 || height == 0; }
};
