#version 330 core
// Depth as the headlight sees it. "vertPosition" sits at location 0 like in
// every mesh program, so this draws through any mesh's vertex array.
layout(location = 0) in vec3 vertPosition;

uniform mat4 lightVPMatrix;
uniform mat4 modelMatrix;

void main()
{
    gl_Position = lightVPMatrix * modelMatrix * vec4(vertPosition, 1.0);
}
