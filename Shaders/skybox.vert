#version 330 core
// The sky cube around the camera: turned with the view, never moved.
layout(location = 0) in vec3 position;

uniform mat4 view;       // the camera's view without its translation
uniform mat4 projection; // the camera's field of view, the sky's own near and far

out vec3 direction;

void main()
{
    direction = position;
    // Depth 1, the far end: behind everything, never clipped by the far plane.
    gl_Position = (projection * view * vec4(position, 1.0)).xyww;
}
