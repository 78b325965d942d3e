#include "game/PathFollower.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cstdlib>
#include <stdexcept>
#include <utility>

const glm::vec3& firstPoint(const std::vector<glm::vec3>& path)
{
    if (path.empty())
        throw std::out_of_range("invalid vector<T> subscript");
    return path[0];
}

void PathFollower::followPath(std::vector<glm::vec3> points)
{
    path = std::move(points);
    arrived = false;
    if (path.size() >= 2) {
        targetIndex = 1;
        target = path[1];
    } else if (!path.empty()) {
        targetIndex = 0;
        target = path[0];
    }
}

void PathFollower::move(glm::vec3& position, float dt)
{
    const glm::vec3 toTarget = target - position;
    const float distance = glm::length(toTarget);
    // Standing on the target has no direction to move in; dividing by the zero
    // length would turn the position into NaN for ever. It counts as arrival.
    const bool alreadyThere = !(distance > 0.0f);
    const glm::vec3 direction = alreadyThere ? glm::vec3(0.0f) : toTarget / distance;

    glm::vec3 jolt(0.0f);
    if (shaking) {
        if (shakePhase) {
            // Two draws, x then y; a zero magnitude has no range to draw from.
            const int m = shakeMagnitude;
            if (m != 0) {
                jolt.x = static_cast<float>((std::rand() % m - m / 2) * 10) * dt;
                jolt.y = static_cast<float>((std::rand() % m - m / 2) * 10) * dt;
            }
            shakePhase = false;
        } else {
            shakePhase = true;
        }
        shakeTime -= dt;
        // Ends only on a frame that jolted, so every shake jolts at least once.
        if (shakeTime <= 0.0f && !shakePhase)
            shaking = false;
    }

    // The jolt is never undone: the path motion absorbs it over the next frames.
    position += direction * speed * dt + jolt;
    lastPosition = position;

    if (alreadyThere || glm::length(target - position) < speed / 10.0f)
        arrive();
}

void PathFollower::arrive()
{
    if (mode != loopingMode) {
        // One-way followers keep heading for the same point; their owner decides
        // what arrival means (a pool erases the object).
        arrived = true;
        return;
    }
    if (path.size() < 2)
        return; // nowhere else to go
    ++targetIndex;
    if (targetIndex < path.size()) {
        target = path[targetIndex];
    } else {
        // At the end: turn round and walk the same points back.
        std::reverse(path.begin(), path.end());
        targetIndex = 1;
        target = path[1];
    }
}

glm::mat4 PathFollower::facing(const glm::mat4& previous) const
{
    const glm::vec3 worldUp(0.0f, 1.0f, 0.0f);
    const glm::vec3 toTarget = target - lastPosition;
    const float distance = glm::length(toTarget);
    if (!(distance > 0.0f))
        return previous;
    const glm::vec3 f = toTarget / distance;
    const glm::vec3 side = glm::cross(worldUp, f);
    const float sideLength = glm::length(side);
    if (!(sideLength > 0.0f))
        return previous; // straight up or down: no horizontal side axis
    const glm::vec3 s = side / sideLength;
    const glm::vec3 v = glm::normalize(glm::cross(f, s));

    glm::mat4 rotation(1.0f);
    rotation[0] = glm::vec4(s, 0.0f);
    rotation[1] = glm::vec4(v, 0.0f);
    rotation[2] = glm::vec4(f, 0.0f);
    return rotation;
}

void PathFollower::step(glm::vec3& position, glm::mat4& rotation, float dt)
{
    rotation = facing(rotation);
    move(position, dt);
}

void PathFollower::placeOwnerOnPath(PathFollower follower, glm::vec3& position, glm::mat4& rotation)
{
    position = firstPoint(follower.path);
    *this = std::move(follower);
    // Nothing has moved yet, so the object is looked at from where it is placed:
    // it starts out turned toward its target, not toward wherever the world
    // origin happens to be.
    lastPosition = position;
    rotation = facing(rotation);
}
