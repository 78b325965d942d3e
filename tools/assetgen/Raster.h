#pragma once
// A tiny software rasteriser over generated meshes: depth-buffered, perspective
// correct, textured. It draws the preview sheets and the key art of the screens.
#include <functional>

#include <glm/glm.hpp>

#include "Image.h"
#include "Mesh.h"

struct Fragment {
    glm::vec3 position;  // world space
    glm::vec3 normal;    // world space, unit length (the face normal when flat)
    glm::vec2 uv;
    glm::vec3 albedo;    // texture colour (white without a texture)
};

struct Raster {
    int width;
    int height;
    std::vector<glm::vec3> colour;
    std::vector<float> depth;
    Raster(int w, int h, glm::vec3 clear);
    Image toImage() const;
};

// Draws `mesh` placed by `model` through `viewProjection`. With `flat` the
// face normal replaces the vertex normals. Below full opacity the mesh is
// blended over what is there and leaves the depth alone (dust, smoke).
void rasterise(Raster& target, const Mesh& mesh, const glm::mat4& model, const glm::mat4& viewProjection, const Image* texture,
               bool flat, const std::function<glm::vec3(const Fragment&)>& shade, float opacity = 1.0f);
