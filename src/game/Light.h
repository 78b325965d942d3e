#pragma once
// The scene's lights: a fixed list of six whose fields carry the names of the
// shaders' `lights` members.
#include <glm/vec3.hpp>
#include <glm/vec4.hpp>

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

struct Camera;

struct Light {
    glm::vec4 position{0.0f};            // w 0: directional, w 1: at a point
    glm::vec3 color{0.0f};
    float attenuation = 0.0f;            // large (10) is practically dark
    float ambientCE = 0.0f;
    float spotlightAngle = 0.0f;         // degrees
    glm::vec3 spotlightDirection{0.0f};
};

// Roles of the entries, by index.
constexpr std::size_t spareLight = 0;      // placed by key 1
constexpr std::size_t sunLight = 1;        // directional
constexpr std::size_t muzzleLight = 2;     // bright while the player fires
constexpr std::size_t headlight = 3;       // follows the current camera; the shadow map's light
constexpr std::size_t droneLight = 4;      // under the patrolling drone
constexpr std::size_t explosionLight = 5;  // flashes on a kill

// The six lights a level starts with; the headlight sits 10 below the player
// camera's position and looks along its forward().
std::vector<Light> levelLights(const Camera& playerCamera);

// "lights[" + index + "]." + member, the index in plain decimal.
std::string lightUniformName(std::size_t index, std::string_view member);
