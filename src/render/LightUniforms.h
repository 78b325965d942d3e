#pragma once
// Sending the light list to a shader program.
#include "game/Light.h"

#include <vector>

class ShaderProgram;

// With `program` in use: numLights, then every member of every entry of
// `lights`. Locations are looked up on every call.
void setLightUniforms(const ShaderProgram& program, const std::vector<Light>& lights);
