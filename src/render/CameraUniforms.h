#pragma once
// Sending a camera to a shader program.
class ShaderProgram;
struct Camera;

// With `program` in use: cameraMatrix = camera.matrix() and cameraPosition =
// camera.position (without the eye offset). Locations are looked up on every call.
void setCameraUniforms(const ShaderProgram& program, const Camera& camera);
