#pragma once
// One model placed in the world: a path follower with a position, a rotation
// and a scale, and the model matrix of the previous frame for the velocity pass.
#include "assets/MeshBounds.h"
#include "game/PathFollower.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

struct GameObject : PathFollower {
    // What is drawn; shared with the asset catalogue, never owned. Not const: the
    // renderer reaches the Mesh behind it to draw (and re-texture) it.
    MeshBounds* model = nullptr;
    glm::vec3 pivot{0.0f};             // subtracted from `position` in the model matrix
    glm::mat4 prevModelMatrix{1.0f};   // the model matrix of the previous frame
    glm::mat4 rotation{1.0f};          // orientation
    glm::vec3 position{0.0f};          // world position
    glm::vec3 scale{1.0f};             // per-axis scale

    explicit GameObject(MeshBounds* model = nullptr);

    // Scale first, then rotate, then translate by position - pivot.
    glm::mat4 modelMatrix() const;

    // Remembers this frame's matrix, then turns toward the target and moves.
    void update(float dt);

    // Takes over a prepared follower, stands on its first point and turns toward
    // its target. An empty path throws std::out_of_range("invalid vector<T> subscript").
    void placeOnPath(PathFollower follower);
};

// translate(position - pivot) x rotation x scale(scale): the matrix every placed
// part of the world uses.
glm::mat4 placedModelMatrix(const glm::vec3& position, const glm::vec3& pivot, const glm::mat4& rotation,
                            const glm::vec3& scale);
