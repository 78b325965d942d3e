#include "game/Camera.h"

#include <glm/gtc/matrix_transform.hpp>
#include <glm/matrix.hpp>

#include <cmath>
#include <utility>

namespace {

constexpr float degreesToRadians = 0.017453292f;

glm::vec3 turned(const glm::mat4& orientation, const glm::vec4& axis)
{
    return glm::vec3(glm::inverse(orientation) * axis);
}

} // namespace

Camera::Camera(int width, int height)
    : aspectRatio(static_cast<float>(width) / static_cast<float>(height))
{
}

void Camera::placeOnPath(PathFollower route)
{
    position = firstPoint(route.path);
    static_cast<PathFollower&>(*this) = std::move(route);
}

glm::mat4 Camera::orientation() const
{
    glm::mat4 result = glm::rotate(glm::mat4(1.0f), pitch * degreesToRadians, glm::vec3(1.0f, 0.0f, 0.0f));
    return glm::rotate(result, yaw * degreesToRadians, glm::vec3(0.0f, 1.0f, 0.0f));
}

glm::mat4 Camera::view() const
{
    return orientation() * glm::translate(glm::mat4(1.0f), -(position + offset));
}

glm::mat4 Camera::projection() const
{
    return glm::perspective(fieldOfView * degreesToRadians, aspectRatio, nearPlane, farPlane);
}

glm::mat4 Camera::matrix() const
{
    return projection() * view();
}

void Camera::offsetOrientation(float pitchDelta, float yawDelta)
{
    pitch += pitchDelta;
    yaw += yawDelta;
    yaw = static_cast<float>(std::fmod(static_cast<double>(yaw), 360.0));
    if (yaw < 0.0f)
        yaw += 360.0f;
    // A tiny negative yaw plus 360 rounds to 360 itself in single precision,
    // which is the same direction as 0 and outside the range.
    if (yaw >= 360.0f)
        yaw = 0.0f;
    if (pitch > 85.0f)
        pitch = 85.0f;
    else if (pitch < -85.0f)
        pitch = -85.0f;
}

glm::vec3 Camera::forward() const
{
    return turned(orientation(), glm::vec4(0.0f, 0.0f, -1.0f, 1.0f));
}

glm::vec3 Camera::right() const
{
    return turned(orientation(), glm::vec4(1.0f, 0.0f, 0.0f, 1.0f));
}

glm::vec3 Camera::up() const
{
    return turned(orientation(), glm::vec4(0.0f, 1.0f, 0.0f, 1.0f));
}

void Camera::updateFrustumPlanes()
{
    frustumPlanes = computeFrustumPlanes();
}

std::array<FrustumPlane, 6> Camera::computeFrustumPlanes() const
{
    return frustumPlanesOf(matrix());
}

ViewPlanes frustumPlanesOf(const glm::mat4& m)
{
    auto row = [&m](int i) { return glm::vec4(m[0][i], m[1][i], m[2][i], m[3][i]); };
    const glm::vec4 planes[6] = {
        row(3) - row(1),  // top
        row(3) + row(1),  // bottom
        row(3) + row(0),  // left
        row(3) - row(0),  // right
        row(3) + row(2),  // near
        row(3) - row(2),  // far
    };
    std::array<FrustumPlane, 6> result;
    for (int i = 0; i < 6; ++i)
        result[i] = {glm::vec3(planes[i]), planes[i].w};
    return result;
}

bool sphereOutside(const ViewPlanes& planes, const glm::vec3& centre, float radius)
{
    for (const FrustumPlane& plane : planes)
        if (glm::dot(plane.normal, centre) + plane.distance < -radius * glm::length(plane.normal))
            return true;
    return false;
}
