#pragma once
// Sending the light list to a shader program.
class ShaderProgram;

// With `program` in use: numLights, then every member of every entry of
// `lights`. Locations are looked up on every call.
void setLightUniforms(ShaderProgram& program);
