#include "Raster.h"

#include <algorithm>
#include <cmath>

Raster::Raster(int w, int h, glm::vec3 clear)
    : width(w), height(h), colour(size_t(w) * size_t(h), clear), depth(size_t(w) * size_t(h), 1e30f) {}

Image Raster::toImage() const {
    Image image(width, height);
    image.pixels = colour;
    return image;
}

namespace {
struct ClipVertex {
    glm::vec4 clip;
    glm::vec3 world;
    glm::vec3 normal;
    glm::vec2 uv;
};

ClipVertex lerp(const ClipVertex& a, const ClipVertex& b, float t) {
    return {glm::mix(a.clip, b.clip, t), glm::mix(a.world, b.world, t), glm::mix(a.normal, b.normal, t), glm::mix(a.uv, b.uv, t)};
}

void drawTriangle(Raster& target, const ClipVertex v[3], glm::vec3 faceNormal, bool flat, const Image* texture,
                  const std::function<glm::vec3(const Fragment&)>& shade, float opacity) {
    glm::vec3 screen[3];
    float inverseW[3];
    for (int k = 0; k < 3; ++k) {
        inverseW[k] = 1.0f / v[k].clip.w;
        glm::vec3 ndc = glm::vec3(v[k].clip) * inverseW[k];
        screen[k] = {(ndc.x * 0.5f + 0.5f) * float(target.width), (0.5f - ndc.y * 0.5f) * float(target.height), ndc.z};
    }
    float area = (screen[1].x - screen[0].x) * (screen[2].y - screen[0].y) - (screen[2].x - screen[0].x) * (screen[1].y - screen[0].y);
    if (std::fabs(area) < 1e-9f) return;
    int x0 = std::max(0, int(std::floor(std::min({screen[0].x, screen[1].x, screen[2].x}))));
    int x1 = std::min(target.width - 1, int(std::ceil(std::max({screen[0].x, screen[1].x, screen[2].x}))));
    int y0 = std::max(0, int(std::floor(std::min({screen[0].y, screen[1].y, screen[2].y}))));
    int y1 = std::min(target.height - 1, int(std::ceil(std::max({screen[0].y, screen[1].y, screen[2].y}))));
    for (int y = y0; y <= y1; ++y) {
        for (int x = x0; x <= x1; ++x) {
            float px = float(x) + 0.5f, py = float(y) + 0.5f;
            float w0 = ((screen[1].x - px) * (screen[2].y - py) - (screen[2].x - px) * (screen[1].y - py)) / area;
            float w1 = ((screen[2].x - px) * (screen[0].y - py) - (screen[0].x - px) * (screen[2].y - py)) / area;
            float w2 = 1.0f - w0 - w1;
            if (w0 < 0.0f || w1 < 0.0f || w2 < 0.0f) continue;
            float z = w0 * screen[0].z + w1 * screen[1].z + w2 * screen[2].z;
            size_t index = size_t(y) * size_t(target.width) + size_t(x);
            if (z >= target.depth[index]) continue;
            // Perspective-correct weights.
            float p0 = w0 * inverseW[0], p1 = w1 * inverseW[1], p2 = w2 * inverseW[2];
            float sum = p0 + p1 + p2;
            p0 /= sum;
            p1 /= sum;
            p2 /= sum;
            Fragment f;
            f.position = v[0].world * p0 + v[1].world * p1 + v[2].world * p2;
            f.normal = flat ? faceNormal : glm::normalize(v[0].normal * p0 + v[1].normal * p1 + v[2].normal * p2);
            f.uv = v[0].uv * p0 + v[1].uv * p1 + v[2].uv * p2;
            f.albedo = texture ? texture->sample(f.uv) : glm::vec3(1.0f);
            if (opacity >= 1.0f) {
                target.depth[index] = z;
                target.colour[index] = shade(f);
            } else {
                target.colour[index] = glm::mix(target.colour[index], shade(f), opacity);
            }
        }
    }
}
}  // namespace

void rasterise(Raster& target, const Mesh& mesh, const glm::mat4& model, const glm::mat4& viewProjection, const Image* texture,
               bool flat, const std::function<glm::vec3(const Fragment&)>& shade, float opacity) {
    glm::mat3 normalMatrix = glm::transpose(glm::inverse(glm::mat3(model)));
    const float nearW = 1e-3f;
    for (size_t i = 0; i + 2 < mesh.vertices.size(); i += 3) {
        ClipVertex v[3];
        for (int k = 0; k < 3; ++k) {
            const Vertex& s = mesh.vertices[i + size_t(k)];
            glm::vec4 world = model * glm::vec4(s.position, 1.0f);
            v[k] = {viewProjection * world, glm::vec3(world), glm::normalize(normalMatrix * s.normal), s.uv};
        }
        glm::vec3 faceNormal = glm::cross(v[1].world - v[0].world, v[2].world - v[0].world);
        if (glm::length(faceNormal) < 1e-12f) continue;
        faceNormal = glm::normalize(faceNormal);
        // Clip against the near plane (w > nearW): one triangle becomes up to two.
        std::vector<ClipVertex> polygon;
        for (int k = 0; k < 3; ++k) {
            const ClipVertex& a = v[k];
            const ClipVertex& b = v[(k + 1) % 3];
            bool aIn = a.clip.w > nearW && a.clip.z > -a.clip.w, bIn = b.clip.w > nearW && b.clip.z > -b.clip.w;
            float da = a.clip.z + a.clip.w, db = b.clip.z + b.clip.w;
            if (aIn) polygon.push_back(a);
            if (aIn != bIn) polygon.push_back(lerp(a, b, da / (da - db)));
        }
        for (size_t k = 1; k + 1 < polygon.size(); ++k) {
            ClipVertex t[3] = {polygon[0], polygon[k], polygon[k + 1]};
            drawTriangle(target, t, faceNormal, flat, texture, shade, opacity);
        }
    }
}
