#pragma once
// The size check the image loader makes before decoding. A damaged header can
// claim any size: a 30-byte file that says 19789 x 19789 pixels makes the image
// library allocate and fill 1.1 GB, and the game stalls on it. Only the header
// is read first; an image beyond these limits is not decoded at all.

// Largest side, in pixels, of an image the game decodes (at most 192 MB as
// 24-bit pixels): far above every image it ships (the heightmap is 1500 x
// 1500) and within the texture size any OpenGL 3.3 driver of today accepts.
inline constexpr unsigned int largestImageSide = 8192;

bool imageSizeAcceptable(unsigned int width, unsigned int height);

// Reads only the header of the image file `resolvedPath` in `format` (a
// FREE_IMAGE_FORMAT) and tells whether its size is acceptable. Formats whose
// reader cannot stop after the header are refused: their size is only known
// once the pixels are in memory.
bool imageHeaderAcceptable(int format, const char* resolvedPath);
