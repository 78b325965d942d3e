#version 330 core
// Where each vertex is on screen now and where it was last frame.
layout(location = 0) in vec3 vertPosition;

uniform mat4 cameraMatrix;     // this frame's view-projection
uniform mat4 prevCameraMatrix; // last frame's
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix;

out vec4 currentClip;
out vec4 previousClip;

void main()
{
    currentClip = cameraMatrix * modelMatrix * vec4(vertPosition, 1.0);
    previousClip = prevCameraMatrix * prevModelMatrix * vec4(vertPosition, 1.0);
    gl_Position = currentClip;
}
