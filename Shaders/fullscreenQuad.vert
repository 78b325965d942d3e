#version 330 core
// Full-screen quad of the composite: clip-space corners in, texture coordinates out.
in vec3 vPosition;
out vec2 texCoord;

void main()
{
    texCoord = vPosition.xy * 0.5 + 0.5;
    gl_Position = vec4(vPosition, 1.0);
}
