#version 330 core
// Lit, textured meshes with a normal map (the drone, the rocks).
layout(location = 0) in vec3 vertPosition;
layout(location = 1) in vec3 vertNormal;
layout(location = 2) in vec2 vertTexCoord;
layout(location = 3) in vec3 vertTangent;
layout(location = 4) in vec3 vertBitangent;

uniform mat4 cameraMatrix;
uniform mat4 modelMatrix;
uniform mat4 prevModelMatrix; // last frame's model matrix (velocity pass)

out vec3 worldPosition;
out vec2 texCoord;
out mat3 tangentToWorld;

void main()
{
    vec4 world = modelMatrix * vec4(vertPosition, 1.0);
    mat3 normalMatrix = mat3(transpose(inverse(modelMatrix)));
    vec3 normal = normalize(normalMatrix * vertNormal);
    // Models without texture coordinates have no tangents: fall back to any
    // frame around the normal.
    vec3 tangent = normalMatrix * vertTangent;
    if (dot(tangent, tangent) < 1e-8)
        tangent = abs(normal.y) < 0.9 ? cross(normal, vec3(0.0, 1.0, 0.0)) : cross(normal, vec3(1.0, 0.0, 0.0));
    tangent = normalize(tangent - normal * dot(normal, tangent));
    vec3 bitangent = normalMatrix * vertBitangent;
    if (dot(bitangent, bitangent) < 1e-8)
        bitangent = cross(normal, tangent);
    bitangent = normalize(bitangent);
    tangentToWorld = mat3(tangent, bitangent, normal);
    worldPosition = world.xyz;
    texCoord = vertTexCoord;
    gl_Position = cameraMatrix * world;
}
