#include "game/Camera.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <stdexcept>

namespace {

void expectNear(const glm::vec3& actual, const glm::vec3& expected, const char* what)
{
    EXPECT_NEAR(glm::length(actual - expected), 0.0f, 1e-5f)
        << what << ": (" << actual.x << ", " << actual.y << ", " << actual.z << ")";
}

} // namespace

TEST(Camera, AspectIsTheWindowsAsAFloatingPointQuotient)
{
    Camera camera(1280, 720);
    EXPECT_EQ(camera.aspectRatio, 1280.0f / 720.0f);
    EXPECT_EQ(Camera(12800, 7200).aspectRatio, camera.aspectRatio);
}

TEST(Camera, AxesFollowYawAndPitch)
{
    struct Case {
        float pitch, yaw;
        glm::vec3 forward, right, up;
    };
    for (const Case& c : {Case{0, 0, {0, 0, -1}, {1, 0, 0}, {0, 1, 0}},
                          Case{0, 180, {0, 0, 1}, {-1, 0, 0}, {0, 1, 0}},
                          Case{0, 90, {1, 0, 0}, {0, 0, 1}, {0, 1, 0}},
                          Case{85, 0, {0, -0.9961947f, -0.0871557f}, {1, 0, 0}, {0, 0.0871557f, -0.9961947f}}}) {
        Camera camera(100, 100);
        camera.offsetOrientation(c.pitch, c.yaw);
        SCOPED_TRACE(testing::Message() << "pitch " << c.pitch << " yaw " << c.yaw);
        expectNear(camera.forward(), c.forward, "forward");
        expectNear(camera.right(), c.right, "right");
        expectNear(camera.up(), c.up, "up");
    }
}

TEST(Camera, YawWrapsIntoAFullTurnAndPitchStopsAt85)
{
    struct Case {
        float startPitch, startYaw, pitchDelta, yawDelta, pitch, yaw;
    };
    for (const Case& c : {Case{0, 0, 0, -10, 0, 350}, Case{0, 355, 0, 15, 0, 10}, Case{0, 0, 0, 720, 0, 0},
                          Case{0, 0, 0, -725, 0, 355}, Case{0, 0, 100, 0, 85, 0}, Case{0, 0, -200, 0, -85, 0},
                          Case{80, 0, 4, 0, 84, 0}, Case{0, 0, 0, -1e-6f, 0, 0}}) {
        Camera camera(100, 100);
        camera.pitch = c.startPitch;
        camera.yaw = c.startYaw;
        camera.offsetOrientation(c.pitchDelta, c.yawDelta);
        EXPECT_FLOAT_EQ(camera.pitch, c.pitch) << c.startPitch << " + " << c.pitchDelta;
        EXPECT_NEAR(camera.yaw, c.yaw, 1e-4f) << c.startYaw << " + " << c.yawDelta;
        EXPECT_GE(camera.yaw, 0.0f);
        EXPECT_LT(camera.yaw, 360.0f);
    }
}

TEST(Camera, ViewLooksFromTheEyeAndMatrixIsProjectionTimesView)
{
    Camera camera(1280, 720);
    camera.position = glm::vec3(10, 20, 30);
    camera.offset = glm::vec3(0, 5, 0);
    camera.offsetOrientation(10, 30);
    const glm::vec4 eye = camera.view() * glm::vec4(10, 25, 30, 1);
    expectNear(glm::vec3(eye), glm::vec3(0), "eye in view space");
    EXPECT_EQ(camera.matrix(), camera.projection() * camera.view());

    const glm::mat4 before = camera.matrix();
    camera.fieldOfView = 30.0f;
    EXPECT_NE(camera.matrix(), before) << "nothing cached";
    EXPECT_EQ(camera.matrix(), camera.projection() * camera.view());
}

TEST(Camera, FrustumPlanesAcceptPointsAlongForward)
{
    struct Case {
        glm::vec3 position, offset;
        float pitch, yaw;
    };
    for (const Case& c : {Case{{0, 0, 1}, {0, 0, 0}, 0, 0}, Case{{0, 250, 200}, {0, 0, 0}, 10, 0},
                          Case{{-300, 40, 120}, {0, 5, 0}, -30, 180}, Case{{5, 5, 5}, {0, 5, 0}, 60, 271}}) {
        Camera camera(1280, 720);
        camera.position = c.position;
        camera.offset = c.offset;
        camera.nearPlane = 0.5f;
        camera.farPlane = 1000.0f;
        camera.offsetOrientation(c.pitch, c.yaw);
        camera.updateFrustumPlanes();
        const glm::vec3 eye = camera.position + camera.offset;
        for (float distance : {0.51f, 1.0f, 10.0f, 500.0f, 990.0f}) {
            const glm::vec3 point = eye + camera.forward() * distance;
            for (int i = 0; i < 6; ++i) {
                const FrustumPlane& plane = camera.frustumPlanes[i];
                EXPECT_GE(glm::dot(plane.normal, point) + plane.distance, 0.0f)
                    << "plane " << i << " at distance " << distance << ", yaw " << c.yaw;
            }
        }
        // Behind the eye and beyond the far plane are outside.
        const glm::vec3 behind = eye - camera.forward() * 10.0f;
        const FrustumPlane& nearPlane = camera.frustumPlanes[4];
        EXPECT_LT(glm::dot(nearPlane.normal, behind) + nearPlane.distance, 0.0f);
        const glm::vec3 beyond = eye + camera.forward() * 1100.0f;
        const FrustumPlane& farPlane = camera.frustumPlanes[5];
        EXPECT_LT(glm::dot(farPlane.normal, beyond) + farPlane.distance, 0.0f);
    }
}

TEST(Camera, EachSidePlaneRejectsWhatLiesBeyondItsOwnEdge)
{
    // Looking down -z from the origin: at 10 units the view reaches 10 tan(25°)
    // = 4.66 up and down and 16/9 of that (8.29) to either side.
    Camera camera(1280, 720);
    camera.position = glm::vec3(0.0f);
    camera.nearPlane = 0.5f;
    camera.farPlane = 1000.0f;
    camera.updateFrustumPlanes();
    enum { top, bottom, left, right, near, far };
    struct Case {
        glm::vec3 point;
        int rejectedBy; // -1: inside every plane
    };
    for (const Case& c : {Case{{0, 0, -10}, -1}, Case{{7.5f, 4.0f, -10}, -1}, Case{{-7.5f, -4.0f, -10}, -1},
                          Case{{0, 5.5f, -10}, top}, Case{{0, -5.5f, -10}, bottom}, Case{{-9.5f, 0, -10}, left},
                          Case{{9.5f, 0, -10}, right}}) {
        for (int i = 0; i < 6; ++i) {
            const FrustumPlane& plane = camera.frustumPlanes[i];
            const float side = glm::dot(plane.normal, c.point) + plane.distance;
            if (i == c.rejectedBy)
                EXPECT_LT(side, 0.0f) << "plane " << i << " should reject " << c.point.x << ", " << c.point.y;
            else
                EXPECT_GE(side, 0.0f) << "plane " << i << " should accept " << c.point.x << ", " << c.point.y;
        }
    }
}

TEST(Camera, RidesARouteFromItsFirstPointAndRefusesAnEmptyOne)
{
    Camera player(1280, 720);
    player.offsetOrientation(0, 180);
    PathFollower route(PathFollower::loopingMode);
    route.followPath({{10, 5, -20}, {10, 5, -60}});
    route.speed = 10.0f;
    player.placeOnPath(route);
    EXPECT_EQ(player.position, glm::vec3(10, 5, -20));
    EXPECT_EQ(player.target, glm::vec3(10, 5, -60));
    EXPECT_EQ(player.yaw, 180.0f);
    player.move(player.position, 1.0f);
    EXPECT_EQ(player.position, glm::vec3(10, 5, -30));

    try {
        player.placeOnPath(PathFollower(PathFollower::loopingMode));
        FAIL() << "no exception";
    } catch (const std::out_of_range& error) {
        EXPECT_STREQ(error.what(), "invalid vector<T> subscript");
    }
    EXPECT_EQ(player.position, glm::vec3(10, 5, -30)) << "a refused route changes nothing";
}
