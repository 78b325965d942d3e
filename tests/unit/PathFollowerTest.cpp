#include "game/GameObject.h"
#include "game/PathFollower.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <stdexcept>
#include <vector>

namespace {

PathFollower follower(int mode, std::vector<glm::vec3> points, float speed)
{
    PathFollower result(mode);
    result.followPath(std::move(points));
    result.speed = speed;
    return result;
}

bool finite(const glm::vec3& v)
{
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

} // namespace

TEST(PathFollower, LoopingWalksToTheEndThenBackAndForthForEver)
{
    const glm::vec3 p0(0, 0, 0), p1(100, 0, 0), p2(200, 0, 0);
    PathFollower loop = follower(PathFollower::loopingMode, {p0, p1, p2}, 10.0f);
    glm::vec3 position = p0;

    std::vector<glm::vec3> visited{loop.target};
    for (int frame = 0; frame < 100; ++frame) {
        loop.move(position, 1.0f);
        if (loop.target != visited.back())
            visited.push_back(loop.target);
        if (visited.size() == 3) {
            EXPECT_EQ(loop.path, (std::vector<glm::vec3>{p2, p1, p0})) << "reversed in place at the far end";
        }
    }
    const std::vector<glm::vec3> expected{p1, p2, p1, p0, p1, p2, p1, p0, p1, p2, p1};
    ASSERT_GE(visited.size(), expected.size());
    visited.resize(expected.size());
    EXPECT_EQ(visited, expected);
    EXPECT_FALSE(loop.arrived);
}

TEST(PathFollower, OneWayArrivesWithinATenthOfItsSpeedAndKeepsMoving)
{
    PathFollower shot = follower(PathFollower::oneWayMode, {{0, 0, 0}, {0, 0, 200}}, 100.0f);
    glm::vec3 position(0, 0, 0);
    int frames = 0;
    while (!shot.arrived && frames < 100) {
        shot.move(position, 0.15f);
        ++frames;
        EXPECT_EQ(shot.lastPosition, position);
    }
    // 15 units a frame: 195 after 13 frames is the first point closer than 10.
    EXPECT_EQ(frames, 13);
    EXPECT_NEAR(position.z, 195.0f, 1e-3f);
    const glm::vec3 before = position;
    shot.move(position, 0.15f);
    EXPECT_NE(position, before) << "an arrived one-way follower still moves toward its target";
    EXPECT_EQ(shot.target, glm::vec3(0, 0, 200));
}

TEST(PathFollower, StandingOnTheTargetCountsAsArrivalInsteadOfNaN)
{
    struct Case {
        const char* name;
        int mode;
        float speed;
    };
    for (const Case& c : {Case{"one-way", PathFollower::oneWayMode, 800.0f},
                          Case{"one-way at rest", PathFollower::oneWayMode, 0.0f},
                          Case{"looping", PathFollower::loopingMode, 10.0f}}) {
        const glm::vec3 point(5, 6, 7);
        PathFollower f = follower(c.mode, {point, point, {50, 6, 7}}, c.speed);
        glm::vec3 position = point;
        f.move(position, 0.016f);
        EXPECT_TRUE(finite(position)) << c.name;
        EXPECT_EQ(position, point) << c.name;
        if (c.mode == PathFollower::oneWayMode) {
            EXPECT_TRUE(f.arrived) << c.name;
        } else {
            EXPECT_EQ(f.target, glm::vec3(50, 6, 7)) << c.name << ": went on to the next point";
        }
    }
}

TEST(PathFollower, ZeroSpeedNeverArrivesAnywhereElse)
{
    PathFollower f = follower(PathFollower::oneWayMode, {{0, 0, 0}, {0.5f, 0, 0}}, 0.0f);
    glm::vec3 position(0, 0, 0);
    for (int frame = 0; frame < 10; ++frame)
        f.move(position, 1.0f);
    EXPECT_FALSE(f.arrived);
    EXPECT_EQ(position, glm::vec3(0, 0, 0));
}

// The jolt lands on every other frame, with two draws (x then y), and the shake
// ends only on a frame that jolted.
TEST(PathFollower, ShakeJoltsEveryOtherFrameAndEndsOnAJolt)
{
    struct Case {
        float shakeTime;
        int jolts;
    };
    const float dt = 0.25f; // exact in binary, so the timer lands on 0 exactly
    for (const Case& c : {Case{0.25f, 1}, Case{0.5f, 2}, Case{0.75f, 2}, Case{1.0f, 3}}) {
        PathFollower f = follower(PathFollower::loopingMode, {{0, 0, 0}, {0, 0, -1000}}, 0.0f);
        f.shaking = true;
        f.shakeMagnitude = 10;
        f.shakeTime = c.shakeTime;

        std::srand(1234);
        glm::vec3 position(0, 0, 0);
        for (int frame = 0; frame < 8; ++frame)
            f.move(position, dt);
        const int next = std::rand();

        std::srand(1234);
        glm::vec3 expected(0, 0, 0);
        for (int jolt = 0; jolt < c.jolts; ++jolt) {
            const int rx = std::rand(), ry = std::rand();
            expected.x += static_cast<float>((rx % 10 - 5) * 10) * dt;
            expected.y += static_cast<float>((ry % 10 - 5) * 10) * dt;
        }
        EXPECT_EQ(next, std::rand()) << "shakeTime " << c.shakeTime << ": draws taken";
        EXPECT_EQ(position, expected) << "shakeTime " << c.shakeTime;
        EXPECT_FALSE(f.shaking);
        EXPECT_FALSE(f.shakePhase) << "the last shaking frame jolted";
    }
}

TEST(PathFollower, FacingTurnsPlusZTowardTheTargetWithYUp)
{
    PathFollower f = follower(PathFollower::loopingMode, {{0, 0, 0}, {10, 0, 0}}, 1.0f);
    const glm::mat4 r = f.facing();
    EXPECT_EQ(glm::vec3(r[2]), glm::vec3(1, 0, 0));  // +z along the travel
    EXPECT_EQ(glm::vec3(r[1]), glm::vec3(0, 1, 0));  // +y up
    EXPECT_EQ(glm::vec3(r[0]), glm::vec3(0, 0, -1)); // +x horizontal
    EXPECT_EQ(r[3], glm::vec4(0, 0, 0, 1));

    f.target = glm::vec3(3, 4, 0); // climbing: up tilts back, side stays level
    const glm::mat4 climb = f.facing();
    EXPECT_NEAR(glm::length(glm::vec3(climb[2]) - glm::vec3(0.6f, 0.8f, 0)), 0.0f, 1e-6f);
    EXPECT_FLOAT_EQ(climb[0].y, 0.0f);
    EXPECT_GT(climb[1].y, 0.0f);
}

TEST(PathFollower, FacingWithoutADirectionKeepsThePreviousRotation)
{
    const glm::mat4 previous = glm::mat4(0.0f) + glm::mat4(2.0f); // any recognisable matrix
    for (const glm::vec3& target : {glm::vec3(0, 50, 0), glm::vec3(0, -3, 0), glm::vec3(0, 0, 0)}) {
        PathFollower f(PathFollower::loopingMode);
        f.target = target;
        EXPECT_EQ(f.facing(previous), previous) << target.x << " " << target.y << " " << target.z;
    }
}

TEST(PathFollower, StepTurnsFromTheLastPositionThenMoves)
{
    PathFollower f = follower(PathFollower::loopingMode, {{0, 0, 0}, {0, 0, 100}}, 10.0f);
    f.lastPosition = glm::vec3(-100, 0, 100); // target lies along +x from here
    glm::vec3 position(0, 0, 0);
    glm::mat4 rotation(1.0f);
    f.step(position, rotation, 1.0f);
    EXPECT_EQ(glm::vec3(rotation[2]), glm::vec3(1, 0, 0)) << "facing used the position before the move";
    EXPECT_EQ(position, glm::vec3(0, 0, 10));
    EXPECT_EQ(f.lastPosition, position);
}

TEST(GameObject, PlaceOnPathStandsOnTheFirstPointFacingTheTarget)
{
    MeshBounds mesh;
    GameObject object(&mesh);
    EXPECT_EQ(object.prevModelMatrix, glm::mat4(1.0f));

    // Far from the origin, where looking from the origin would point elsewhere.
    PathFollower route(PathFollower::loopingMode);
    route.followPath({{600, 120, -600}, {800, 120, -600}, {800, 120, -800}});
    route.speed = 80.0f;
    object.placeOnPath(route);
    EXPECT_EQ(object.position, glm::vec3(600, 120, -600));
    EXPECT_EQ(object.target, glm::vec3(800, 120, -600));
    EXPECT_EQ(object.path.size(), 3u);
    EXPECT_EQ(object.speed, 80.0f);
    EXPECT_EQ(glm::vec3(object.rotation[2]), glm::vec3(1, 0, 0));
}

TEST(GameObject, PlaceOnAnEmptyPathIsReported)
{
    GameObject object(nullptr);
    PathFollower empty(PathFollower::loopingMode);
    try {
        object.placeOnPath(empty);
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
    }
}

TEST(GameObject, ModelMatrixScalesThenRotatesThenTranslatesAndUpdateKeepsThePrevious)
{
    GameObject object(nullptr);
    object.position = glm::vec3(10, 20, 30);
    object.pivot = glm::vec3(1, 2, 3);
    object.scale = glm::vec3(2, 3, 4);
    object.rotation = glm::mat4(glm::vec4(0, 0, -1, 0), glm::vec4(0, 1, 0, 0), glm::vec4(1, 0, 0, 0), glm::vec4(0, 0, 0, 1));
    // (1, 1, 1) -> scaled (2, 3, 4) -> rotated (4, 3, -2) -> translated by (9, 18, 27).
    EXPECT_EQ(object.modelMatrix() * glm::vec4(1, 1, 1, 1), glm::vec4(13, 21, 25, 1));

    PathFollower f(PathFollower::oneWayMode);
    f.followPath({{10, 20, 30}, {10, 20, 130}});
    f.speed = 10.0f;
    object.placeOnPath(f);
    const glm::mat4 before = object.modelMatrix();
    object.update(1.0f);
    EXPECT_EQ(object.prevModelMatrix, before);
    EXPECT_EQ(object.position, glm::vec3(10, 20, 40));
}

TEST(PathFollower, DegenerateShakesAndPathsStayFinite)
{
    // A shake of magnitude 0 has no range to draw from: no jolt, no draw.
    PathFollower calm = follower(PathFollower::oneWayMode, {{0, 0, 0}, {100, 0, 0}}, 10.0f);
    calm.shaking = true;
    calm.shakeMagnitude = 0;
    glm::vec3 position(0.0f);
    std::srand(7);
    const int before = std::rand();
    std::srand(7);
    calm.move(position, 0.1f);
    EXPECT_EQ(position, glm::vec3(1, 0, 0));
    EXPECT_EQ(std::rand(), before) << "no random number was drawn";

    // A looping route of one point has nowhere to go and must not index past it.
    PathFollower lonely = follower(PathFollower::loopingMode, {{5, 0, 5}}, 20.0f);
    glm::vec3 here(5, 0, 5);
    for (int frame = 0; frame < 5; ++frame)
        lonely.move(here, 0.1f);
    EXPECT_EQ(here, glm::vec3(5, 0, 5));
    EXPECT_EQ(lonely.path.size(), 1u);
    EXPECT_TRUE(finite(here));
}
