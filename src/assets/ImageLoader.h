#pragma once
// Decoding image files with FreeImage and handing them to OpenGL.
#include "assets/Image.h"

#include <string>

// Decodes the file at `path` (a game path, see resolvePath), the format found
// from the file's contents. Images that are not 24-bit (grey, palette, 32-bit)
// are converted to 24-bit blue-green-red. A file that is missing or cannot be
// decoded, or whose header claims a size beyond the limits of ImageSizeCheck.h,
// gives an empty Image and no message.
Image loadImage(const std::string& path);

// glTexImage2D of `image` as GL_RGB from GL_BGR bytes into level 0 of the
// texture bound to GL_TEXTURE_2D. The rows are read with the unpack alignment
// of 4 that their padding needs, whatever alignment is current; the current
// one is restored afterwards. An empty image makes an empty texture.
void uploadImage(const Image& image);
