#pragma once
// The material colours of a mesh exactly as the shaders' std140 block
// "Material" lays them out: four vec4 colours, the shininess, then padding up
// to the block's 80 bytes. Uploaded as one uniform buffer per mesh.
#include <glm/vec4.hpp>

struct Material {
    glm::vec4 diffuse{0.0f};
    glm::vec4 ambient{0.0f};
    glm::vec4 specular{0.0f};
    glm::vec4 emissive{0.0f};
    float shininess = 0.0f; // the import only takes values from 0 to 128
    float padding[3] = {0.0f, 0.0f, 0.0f};
};
