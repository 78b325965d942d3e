#version 330 core
// Lit, textured meshes. Fixed attribute locations, so the shadow and velocity
// programs that draw through these meshes find "vertPosition" at 0 as well.
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;

uniform mat4 cameraMatrix;             // view-projection of the current camera
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix;          // last frame's model matrix (velocity pass)
uniform mat4 lightVPMatrix;            // view-projection of the shadow-casting headlight
uniform mat4 shadowMappingBiasMatrix;  // light clip space -1..1 to shadow-map 0..1

out vec3 worldPosition;
out vec3 worldNormal;
out vec2 texCoord;
out vec4 shadowCoord;

void main()
{
    vec4 world = modelMatrix * vec4(vertPosition, 1.0);
    worldPosition = world.xyz;
    worldNormal = mat3(transpose(inverse(modelMatrix))) * vertNormal;
    texCoord = vertTexCoord;
    shadowCoord = shadowMappingBiasMatrix * lightVPMatrix * world;
    gl_Position = cameraMatrix * world;
}
