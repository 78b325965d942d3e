#include "Image.h"

#include <FreeImage.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <stdexcept>
#include <thread>

#include "Noise.h"

Image::Image(int w, int h, glm::vec3 fill) : width(w), height(h), pixels(size_t(w) * size_t(h), fill) {}

glm::vec3 Image::sample(glm::vec2 uv) const {
    float x = uv.x * float(width) - 0.5f;
    float y = (1.0f - uv.y) * float(height) - 0.5f;
    float fx = std::floor(x), fy = std::floor(y);
    float tx = x - fx, ty = y - fy;
    auto wrapX = [&](int i) { return ((i % width) + width) % width; };
    auto wrapY = [&](int i) { return ((i % height) + height) % height; };
    int x0 = wrapX(int(fx)), x1 = wrapX(int(fx) + 1), y0 = wrapY(int(fy)), y1 = wrapY(int(fy) + 1);
    return glm::mix(glm::mix(at(x0, y0), at(x1, y0), tx), glm::mix(at(x0, y1), at(x1, y1), tx), ty);
}

void parallelRows(int height, const std::function<void(int)>& body) {
    // Interleaved rows keep both threads equally busy whatever the picture.
    std::thread helper([&] {
        for (int y = 1; y < height; y += 2) body(y);
    });
    for (int y = 0; y < height; y += 2) body(y);
    helper.join();
}

void paintUV(Image& image, const std::function<glm::vec3(glm::vec2)>& colour) {
    parallelRows(image.height, [&](int y) {
        float v = 1.0f - (float(y) + 0.5f) / float(image.height);
        for (int x = 0; x < image.width; ++x) {
            image.at(x, y) = colour({(float(x) + 0.5f) / float(image.width), v});
        }
    });
}

void paintUV(Field& field, const std::function<float(glm::vec2)>& value) {
    parallelRows(field.height, [&](int y) {
        float v = 1.0f - (float(y) + 0.5f) / float(field.height);
        for (int x = 0; x < field.width; ++x) {
            field.at(x, y) = value({(float(x) + 0.5f) / float(field.width), v});
        }
    });
}

Image normalMapFromHeight(const Field& heights, float strength, bool wrap) {
    Image out(heights.width, heights.height);
    auto h = [&](int x, int y) {
        if (wrap) {
            x = ((x % heights.width) + heights.width) % heights.width;
            y = ((y % heights.height) + heights.height) % heights.height;
        } else {
            x = std::clamp(x, 0, heights.width - 1);
            y = std::clamp(y, 0, heights.height - 1);
        }
        return heights.at(x, y);
    };
    parallelRows(heights.height, [&](int y) {
        for (int x = 0; x < heights.width; ++x) {
            float du = (h(x + 1, y) - h(x - 1, y)) * 0.5f * strength;
            // Picture rows run down while v runs up.
            float dv = (h(x, y - 1) - h(x, y + 1)) * 0.5f * strength;
            glm::vec3 n = glm::normalize(glm::vec3(-du, -dv, 1.0f));
            out.at(x, y) = n * 0.5f + 0.5f;
        }
    });
    return out;
}

void bakeRelief(Image& colour, const Field& heights, float strength) {
    auto h = [&](int x, int y) { return heights.at(std::clamp(x, 0, heights.width - 1), std::clamp(y, 0, heights.height - 1)); };
    parallelRows(colour.height, [&](int y) {
        for (int x = 0; x < colour.width; ++x) {
            // Rising towards the bottom right faces the top-left light.
            float slope = (h(x + 1, y) - h(x - 1, y) + h(x, y + 1) - h(x, y - 1)) * 0.5f;
            colour.at(x, y) *= std::clamp(1.0f + strength * slope, 0.6f, 1.4f);
        }
    });
}

namespace {
FIBITMAP* toBitmap(const Image& image, bool dither) {
    FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 24);
    if (!bitmap) throw std::runtime_error("out of memory for an image");
    for (int y = 0; y < image.height; ++y) {
        // FreeImage keeps the bottom row first.
        BYTE* line = FreeImage_GetScanLine(bitmap, image.height - 1 - y);
        for (int x = 0; x < image.width; ++x) {
            glm::vec3 c = image.at(x, y);
            for (int k = 0; k < 3; ++k) {
                float offset = dither ? hash3(x, y, k, 0x51u) - 0.5f : 0.0f;
                float v = std::floor(c[k] * 255.0f + 0.5f + offset);
                BYTE b = BYTE(std::clamp(v, 0.0f, 255.0f));
                line[x * 3 + (k == 0 ? FI_RGBA_RED : k == 1 ? FI_RGBA_GREEN : FI_RGBA_BLUE)] = b;
            }
        }
    }
    return bitmap;
}

void makeParent(const std::string& path) {
    std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty()) std::filesystem::create_directories(parent);
}
}  // namespace

void writeJpeg(const Image& image, const std::string& path, int quality, bool dither) {
    makeParent(path);
    FIBITMAP* bitmap = toBitmap(image, dither);
    bool ok = FreeImage_Save(FIF_JPEG, bitmap, path.c_str(), quality | JPEG_SUBSAMPLING_444 | JPEG_BASELINE);
    FreeImage_Unload(bitmap);
    if (!ok) throw std::runtime_error("could not write " + path);
}

void writePng(const Image& image, const std::string& path) {
    makeParent(path);
    FIBITMAP* bitmap = toBitmap(image, false);
    bool ok = FreeImage_Save(FIF_PNG, bitmap, path.c_str(), PNG_Z_BEST_COMPRESSION);
    FreeImage_Unload(bitmap);
    if (!ok) throw std::runtime_error("could not write " + path);
}

Image readImage(const std::string& path) {
    FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
    FIBITMAP* loaded = FreeImage_Load(format, path.c_str(), 0);
    if (!loaded) throw std::runtime_error("could not read " + path);
    FIBITMAP* bitmap = FreeImage_ConvertTo24Bits(loaded);
    FreeImage_Unload(loaded);
    int w = int(FreeImage_GetWidth(bitmap)), h = int(FreeImage_GetHeight(bitmap));
    Image image(w, h);
    for (int y = 0; y < h; ++y) {
        const BYTE* line = FreeImage_GetScanLine(bitmap, h - 1 - y);
        for (int x = 0; x < w; ++x) {
            image.at(x, y) = glm::vec3(line[x * 3 + FI_RGBA_RED], line[x * 3 + FI_RGBA_GREEN], line[x * 3 + FI_RGBA_BLUE]) / 255.0f;
        }
    }
    FreeImage_Unload(bitmap);
    return image;
}

Image resized(const Image& source, int width, int height) {
    Image out(width, height);
    float sx = float(source.width) / float(width), sy = float(source.height) / float(height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            // Box filter over the source footprint (downscaling) or nearest (upscaling).
            int x0 = int(float(x) * sx), x1 = std::max(x0 + 1, int(float(x + 1) * sx));
            int y0 = int(float(y) * sy), y1 = std::max(y0 + 1, int(float(y + 1) * sy));
            glm::vec3 sum(0.0f);
            for (int j = y0; j < y1; ++j)
                for (int i = x0; i < x1; ++i) sum += source.at(std::min(i, source.width - 1), std::min(j, source.height - 1));
            out.at(x, y) = sum / float((x1 - x0) * (y1 - y0));
        }
    }
    return out;
}

void blit(Image& target, const Image& source, int x, int y) {
    for (int j = 0; j < source.height; ++j) {
        int ty = y + j;
        if (ty < 0 || ty >= target.height) continue;
        for (int i = 0; i < source.width; ++i) {
            int tx = x + i;
            if (tx >= 0 && tx < target.width) target.at(tx, ty) = source.at(i, j);
        }
    }
}

glm::vec3 srgbToLinearish(glm::vec3 c) { return c * c; }

glm::vec3 hexColour(unsigned rgb) {
    return glm::vec3(float((rgb >> 16) & 255u), float((rgb >> 8) & 255u), float(rgb & 255u)) / 255.0f;
}

void paintSurface(Image& colour, Field& height, const std::function<Surface(glm::vec2)>& surface) {
    parallelRows(colour.height, [&](int y) {
        float v = 1.0f - (float(y) + 0.5f) / float(colour.height);
        for (int x = 0; x < colour.width; ++x) {
            Surface s = surface({(float(x) + 0.5f) / float(colour.width), v});
            colour.at(x, y) = s.colour;
            height.at(x, y) = s.height;
        }
    });
}

void writeSurfaceMaps(int size, const std::function<Surface(glm::vec2)>& surface, const std::string& colourPath,
                      int colourQuality, const std::string& normalPath, float normalStrength, bool wrap) {
    Image colour(size, size);
    Field relief(size, size);
    paintSurface(colour, relief, surface);
    writeJpeg(colour, colourPath, colourQuality, false);
    writeJpeg(normalMapFromHeight(relief, normalStrength, wrap), normalPath, 92, false);
}

void paintJpeg(const std::string& path, int size, const std::function<glm::vec3(glm::vec2)>& colour) {
    Image image(size, size);
    paintUV(image, colour);
    writeJpeg(image, path, 90, false);
}
