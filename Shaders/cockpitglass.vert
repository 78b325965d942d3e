#version 330 core
// Tinted glass and gun metal seen without lights: the cannon model.
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;

out vec3 worldNormal;
out vec2 texCoord;

void main()
{
    worldNormal = mat3(modelMatrix) * vertNormal;
    texCoord = vertTexCoord;
    gl_Position = cameraMatrix * modelMatrix * vec4(vertPosition, 1.0);
}
