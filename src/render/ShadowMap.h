#pragma once
// The depth map the headlight casts its shadows from: 1024 x 1024, drawn from
// the light each frame and read by the lit shaders.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"
#include "game/Light.h"

#include <glm/mat4x4.hpp>

inline constexpr int shadowMapSize = 1024;

struct ShadowMap {
    GlObject shadowFramebuffer;
    GlObject shadowMapTexture; // GL_DEPTH_COMPONENT32, sampling returns the stored depth
};

// Builds the shadow map. Prints "testing" when complete, "FB error, status:
// 0x..." (and returns false) when not. Leaves texture unit 4 selected.
bool createShadowMap(ShadowMap& shadowMap);

// The light's view-projection: looking from the light along its spotlight
// direction, 80 degrees wide, from 1 to 2000 units.
glm::mat4 lightViewProjection(const Light& light);

// With `program` in use: uploads lightViewProjection(light) as "lightVPMatrix".
void setLightViewProjection(const ShaderProgram& program, const Light& light);

// The same with the program made current for it and no program current after.
void aimShadowMap(const ShaderProgram& shadowProgram, const Light& light);
