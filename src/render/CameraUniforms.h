#pragma once
// Sending the current camera to a shader program.
class ShaderProgram;

// With `program` in use: cameraMatrix = currentCamera->matrix() and
// cameraPosition = its position (without the eye offset). Locations are looked
// up on every call. Nothing is sent when there is no current camera.
void setCameraUniforms(ShaderProgram& program);
