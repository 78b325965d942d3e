#pragma once
// The motion every moving thing shares: walk a list of points at a fixed speed,
// once or back and forth forever, with an optional random jolt (a shake).
// Game objects, crawlers and cameras all start with one.
#include <glm/mat4x4.hpp>
#include <glm/vec3.hpp>

#include <vector>

// The point an owner is placed on. An empty path is a programming error,
// reported as std::out_of_range("invalid vector<T> subscript").
const glm::vec3& firstPoint(const std::vector<glm::vec3>& path);

struct PathFollower {
    static constexpr int loopingMode = 1;  // back and forth along the path forever
    static constexpr int oneWayMode = 0;   // once, then `arrived`

    bool arrived = false;            // a one-way path has come within speed / 10 of its last point
    int mode = loopingMode;          // loopingMode or oneWayMode
    float speed = 0.0f;              // world units per second
    std::vector<glm::vec3> path;     // the points, in order
    glm::vec3 target{0.0f};          // the point being approached
    unsigned targetIndex = 0;        // index of `target` in `path`
    glm::vec3 lastPosition{0.0f};    // where the latest move ended; `facing` looks from here
    bool shaking = false;            // a shake is running
    int shakeMagnitude = 10;         // width of the random jolt
    float shakeTime = 1.0f;          // seconds of shake left
    bool shakePhase = true;          // the jolt lands on every other frame

    explicit PathFollower(int mode = loopingMode) : mode(mode) {}

    // Takes `points` as the path and heads for the second one (the first is where
    // the owner gets placed). A path of fewer than two points heads for its last.
    void followPath(std::vector<glm::vec3> points);

    // Moves the owner's `position` toward `target` by `speed` * dt, applies the
    // shake, and handles arrival (next point, reversal, or `arrived`).
    void move(glm::vec3& position, float dt);

    // The rotation that turns an object's +z toward `target` as seen from
    // `lastPosition`, with +y as close to world up as possible. Where no such
    // rotation exists (target straight above, below or at that point) the
    // rotation the object already has, `previous`, is kept.
    glm::mat4 facing(const glm::mat4& previous = glm::mat4(1.0f)) const;

    // Turns first, then moves: the facing uses the position before this move.
    void step(glm::vec3& position, glm::mat4& rotation, float dt);

protected:
    // The shared part of placing an owner on a prepared path: takes the follower
    // over, puts `position` on its first point and turns `rotation` toward the
    // target. An empty path throws std::out_of_range("invalid vector<T> subscript").
    void placeOwnerOnPath(PathFollower follower, glm::vec3& position, glm::mat4& rotation);

private:
    void arrive();
};
