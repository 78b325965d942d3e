#version 330 core
// The radar dome: a mirror of the sky.
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix; // last frame's model matrix (velocity pass)

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;

void main()
{
    vec4 world = modelMatrix * vec4(vertPosition, 1.0);
    worldPosition = world.xyz;
    worldNormal = mat3(transpose(inverse(modelMatrix))) * vertNormal;
    texCoord = vertTexCoord;
    gl_Position = cameraMatrix * world;
}
