#pragma once
// A first-person view: a position with a separate eye offset, yaw and pitch in
// degrees and a perspective projection. It rides a path like any game object
// (the player camera rides the player's route).
#include "game/PathFollower.h"

#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <array>

// A clip plane a x + b y + c z + d, not normalised: a point is on the inner
// side where the value is not negative.
struct FrustumPlane {
    glm::vec3 normal{0.0f};  // (a, b, c)
    float distance = 0.0f;   // d
};

// The six planes of a view-projection: top, bottom, left, right, near, far.
using ViewPlanes = std::array<FrustumPlane, 6>;
ViewPlanes frustumPlanesOf(const glm::mat4& viewProjection);

// Whether a sphere lies wholly outside one of `planes`, measured in world
// units (unlike the objects' own culling test, which keeps the planes'
// lengths).
bool sphereOutside(const ViewPlanes& planes, const glm::vec3& centre, float radius);

struct Camera : PathFollower {
    std::array<FrustumPlane, 6> frustumPlanes{};  // top, bottom, left, right, near, far
    glm::vec3 position{0.0f, 0.0f, 1.0f};       // world position (what shaders get as cameraPosition)
    glm::vec3 offset{0.0f};                     // added to `position` for the eye point of the view
    float yaw = 0.0f;                           // degrees in [0, 360); positive turns right
    float pitch = 0.0f;                         // degrees in [-85, 85]; positive looks down
    float fieldOfView = 50.0f;                  // vertical, degrees
    float nearPlane = 0.01f;
    float farPlane = 100.0f;
    float aspectRatio;                          // width / height

    Camera(int width, int height);

    // Rides `route` from now on, standing on its first point; the view's angles
    // are kept. An empty route throws std::out_of_range("invalid vector<T> subscript").
    void placeOnPath(PathFollower route);

    glm::mat4 orientation() const;  // Rx(pitch) x Ry(yaw)
    glm::mat4 view() const;         // orientation x translate(-(position + offset))
    glm::mat4 projection() const;   // perspective from fieldOfView, aspectRatio, near and far
    glm::mat4 matrix() const;       // projection x view, computed afresh on every call

    // Turns by the two deltas (degrees): yaw wraps into [0, 360), pitch stops at ±85.
    void offsetOrientation(float pitchDelta, float yawDelta);

    glm::vec3 forward() const;  // where the view looks
    glm::vec3 right() const;
    glm::vec3 up() const;

    // Recomputes the six planes from matrix().
    void updateFrustumPlanes();

    // The six planes of matrix() (top, bottom, left, right, near, far) without
    // storing them.
    std::array<FrustumPlane, 6> computeFrustumPlanes() const;
};
