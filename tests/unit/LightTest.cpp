#include "render/Camera.h"
#include "render/Light.h"

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
