#version 330 core
// The dusk sky, looked up in the cube map by direction.
in vec3 direction;

uniform samplerCube sky; // unit 0

out vec4 finalColor;

void main()
{
    finalColor = vec4(texture(sky, direction).rgb, 1.0);
}
