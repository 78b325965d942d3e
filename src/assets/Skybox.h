#pragma once
// The distant sky: a cube map of six images on a fixed cube around the camera,
// turned with the view but never moved, and drawn at the far end of the depth
// range, behind everything else, wherever nothing nearer has been drawn.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"

#include <glm/mat4x4.hpp>

#include <array>

// The six faces in cube-map order: +x, -x, +y, -y, +z, -z.
inline constexpr std::array<const char*, 6> skyboxFaces = {
    "Assets\\Skybox\\right.jpg", "Assets\\Skybox\\left.jpg",  "Assets\\Skybox\\top.jpg",
    "Assets\\Skybox\\bottom.jpg", "Assets\\Skybox\\back.jpg", "Assets\\Skybox\\front.jpg",
};

class Skybox {
public:
    ShaderProgram* program = nullptr; // the sky program; not owned
    GlObject vao;
    GlObject vbo;                     // 36 corners of the cube, positions only, at location 0
    GlObject cubeTexture;

    explicit Skybox(ShaderProgram* program) : program(program) {}

    // The cube: 12 triangles, corners at +-10, facing inward.
    void createGeometry();
    // The cube map from skyboxFaces. Every face reaches it as 24-bit colour,
    // whatever its file holds; a missing face leaves that face empty.
    void loadCubeMap();

    // With the sky program in use: "view" is `cameraView` without its
    // translation, "projection" the camera's field of view (degrees) and aspect
    // with the sky's own near 0.1 and far 100.
    void setUniforms(const glm::mat4& cameraView, float fieldOfView, float aspectRatio) const;

    // Draws the cube behind whatever the depth buffer holds, writing no depth.
    void draw() const;
};
