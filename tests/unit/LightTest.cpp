#include "game/Camera.h"
#include "game/Light.h"

#include <gtest/gtest.h>

TEST(Lights, LevelStartsWithSixLightsAndTheHeadlightUnderThePlayer)
{
    Camera player(12800, 7200);
    player.position = glm::vec3(100, 30, -50);
    player.offset = glm::vec3(0, 5, 0);
    player.offsetOrientation(0, 180);

    const std::vector<Light> six = levelLights(player);
    ASSERT_EQ(six.size(), 6u);
    EXPECT_EQ(six[headlight].position, glm::vec4(100, 20, -50, 1)) << "10 below the position, offset ignored";
    EXPECT_EQ(six[headlight].spotlightDirection, player.forward());
    EXPECT_NEAR(six[headlight].spotlightDirection.z, 1.0f, 1e-6f);
    for (std::size_t i = 0; i < six.size(); ++i)
        EXPECT_EQ(six[i].position.w, i == sunLight ? 0.0f : 1.0f) << "only the sun is directional";
    EXPECT_EQ(six[sunLight].ambientCE, 0.17f);
    EXPECT_EQ(six[droneLight].attenuation, 0.0002f);
}

TEST(Lights, UniformNamesCarryThePlainDecimalIndex)
{
    EXPECT_EQ(lightUniformName(0, "color"), "lights[0].color");
    EXPECT_EQ(lightUniformName(4, "position"), "lights[4].position");
    EXPECT_EQ(lightUniformName(10, "position"), "lights[10].position");
    EXPECT_EQ(lightUniformName(123, "spotlightDirection"), "lights[123].spotlightDirection");
}

TEST(Lights, TheSixRolesCarryTheirColoursRangesAndCones)
{
    Camera player(12800, 7200);
    player.position = glm::vec3(-3, 4, 5);
    const std::vector<Light> six = levelLights(player);
    ASSERT_EQ(six.size(), 6u);
    struct Expected {
        glm::vec4 position;
        glm::vec3 color;
        float attenuation, ambientCE, spotlightAngle;
    };
    const Expected table[] = {
        {{-650, -650, 200, 1}, {2, 2, 2}, 0.1f, 0.0f, 15.0f},        // spare, placed by key 1
        {{350, 70, 350, 0}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.17f, 180.0f}, // the low dusk sun
        {{0, 0, 0, 1}, {0.96f, 0.9f, 0.13f}, 10.0f, 0.0f, 180.0f},    // muzzle, dark until firing
        {{-3, -6, 5, 1}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.0f, 15.0f},      // headlight
        {{0, 0, 0, 1}, {0, 0, 0.9f}, 0.0002f, 0.0f, 180.0f},          // the drone's blue light
        {{0, 0, 0, 1}, {0.9f, 0.1f, 0}, 10.0f, 0.0f, 180.0f},         // explosion flash, dark
    };
    for (std::size_t i = 0; i < 6; ++i) {
        EXPECT_EQ(six[i].position, table[i].position) << "light " << i;
        EXPECT_EQ(six[i].color, table[i].color) << "light " << i;
        EXPECT_EQ(six[i].attenuation, table[i].attenuation) << "light " << i;
        EXPECT_EQ(six[i].ambientCE, table[i].ambientCE) << "light " << i;
        EXPECT_EQ(six[i].spotlightAngle, table[i].spotlightAngle) << "light " << i;
        if (i != headlight) {
            EXPECT_EQ(six[i].spotlightDirection, glm::vec3(0)) << "light " << i;
        }
    }
}
