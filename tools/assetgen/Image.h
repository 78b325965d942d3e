#pragma once
// CPU images for the generator: float RGB pixels, painted row by row on both
// cores, written as JPEG (the game's format) or PNG (the preview sheets).
#include <functional>
#include <string>
#include <vector>

#include <glm/glm.hpp>

// Pixels are stored top row first, as a person reads a picture. Texture space
// is OpenGL's: u to the right, v upwards, so v = 0 is the bottom row (which is
// also the row FreeImage hands to OpenGL first).
struct Image {
    int width = 0;
    int height = 0;
    std::vector<glm::vec3> pixels;

    Image() = default;
    Image(int w, int h, glm::vec3 fill = glm::vec3(0.0f));

    glm::vec3& at(int x, int y) { return pixels[size_t(y) * size_t(width) + size_t(x)]; }
    const glm::vec3& at(int x, int y) const { return pixels[size_t(y) * size_t(width) + size_t(x)]; }

    // Bilinear lookup at texture coordinates, repeating outside [0, 1).
    glm::vec3 sample(glm::vec2 uv) const;
};

// Runs body(y) for every row, split over two threads. The body must only
// write its own row, so the result does not depend on scheduling.
void parallelRows(int height, const std::function<void(int)>& body);

// Fills every pixel from a function of its texture coordinates (pixel centres).
void paintUV(Image& image, const std::function<glm::vec3(glm::vec2)>& colour);

// A scalar field over the same texel grid, used for heights and masks.
struct Field {
    int width = 0;
    int height = 0;
    std::vector<float> values;
    Field(int w, int h) : width(w), height(h), values(size_t(w) * size_t(h), 0.0f) {}
    float& at(int x, int y) { return values[size_t(y) * size_t(width) + size_t(x)]; }
    float at(int x, int y) const { return values[size_t(y) * size_t(width) + size_t(x)]; }
};
void paintUV(Field& field, const std::function<float(glm::vec2)>& value);

// Tangent-space normal map from a height field given in texels (x right, y down
// the picture). `strength` is the height change, in texels, of one unit of the
// field. Tangent +u is red, bitangent +v is green, the surface normal blue.
// With `wrap` the borders read across the opposite edge (tiling textures).
Image normalMapFromHeight(const Field& heights, float strength, bool wrap);

// Shades a colour texture with its own relief, lit from the top left of the
// picture, so that models drawn without their normal map still show seams,
// rivets and raised panels. `strength` scales the height change of one texel.
void bakeRelief(Image& colour, const Field& heights, float strength);

// JPEG with 4:4:4 chroma. `dither` adds a fixed, hashed sub-level noise before
// rounding so that smooth gradients do not band.
void writeJpeg(const Image& image, const std::string& path, int quality, bool dither);
void writePng(const Image& image, const std::string& path);
// A square texture painted from a function of texture coordinates, saved as JPEG.
void paintJpeg(const std::string& path, int size, const std::function<glm::vec3(glm::vec2)>& colour);
// Decodes any image FreeImage reads into top-row-first float pixels.
Image readImage(const std::string& path);

Image resized(const Image& source, int width, int height);
void blit(Image& target, const Image& source, int x, int y);

glm::vec3 srgbToLinearish(glm::vec3 c);
glm::vec3 hexColour(unsigned rgb);

// Colour and relief painted together, so a normal map always matches its texture.
struct Surface {
    glm::vec3 colour;
    float height;
};
void paintSurface(Image& colour, Field& height, const std::function<Surface(glm::vec2)>& surface);
// Paints a square surface and writes its colour texture and the normal map of its relief.
void writeSurfaceMaps(int size, const std::function<Surface(glm::vec2)>& surface, const std::string& colourPath,
                      int colourQuality, const std::string& normalPath, float normalStrength, bool wrap);
