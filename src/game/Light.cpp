#include "game/Light.h"

#include "game/Camera.h"

std::vector<Light> levelLights(const Camera& playerCamera)
{
    const glm::vec3 p = playerCamera.position;
    const glm::vec3 none(0.0f);
    return {
        {{-650.0f, -650.0f, 200.0f, 1.0f}, {2.0f, 2.0f, 2.0f}, 0.1f, 0.0f, 15.0f, none},
        {{350.0f, 70.0f, 350.0f, 0.0f}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.17f, 180.0f, none},
        {{0.0f, 0.0f, 0.0f, 1.0f}, {0.96f, 0.9f, 0.13f}, 10.0f, 0.0f, 180.0f, none},
        {{p.x, p.y - 10.0f, p.z, 1.0f}, {0.7f, 0.5f, 0.3f}, 0.1f, 0.0f, 15.0f, playerCamera.forward()},
        {{0.0f, 0.0f, 0.0f, 1.0f}, {0.0f, 0.0f, 0.9f}, 0.0002f, 0.0f, 180.0f, none},
        {{0.0f, 0.0f, 0.0f, 1.0f}, {0.9f, 0.1f, 0.0f}, 10.0f, 0.0f, 180.0f, none},
    };
}

std::string lightUniformName(std::size_t index, std::string_view member)
{
    std::string name = "lights[";
    name += std::to_string(index);
    name += "].";
    name += member;
    return name;
}
