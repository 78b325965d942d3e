#pragma once
// What the model import makes of one model file and a Mesh is built from: the
// vertex arrays (corners of the faces in face order, no index buffer), the
// decoded material images and the material colours. CPU data only; copies share
// the arrays and images, which live as long as their last user.
#include "assets/Image.h"
#include "assets/Material.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <limits>
#include <memory>
#include <algorithm>
#include <vector>

// A run of whole triangles of a mesh's vertex arrays with the box around them.
struct MeshPiece {
    std::uint32_t first = 0; // first vertex
    std::uint32_t count = 0; // vertices, three a triangle
    glm::vec3 boundsMin{0.0f};
    glm::vec3 boundsMax{0.0f};
};

struct MeshData {
    std::shared_ptr<const std::vector<float>> normals;    // 3 floats per vertex, or null
    std::shared_ptr<const std::vector<float>> positions;  // 3 floats per vertex, or null
    std::shared_ptr<const std::vector<float>> texCoords;  // 2 floats per vertex (u, v), or null
    std::shared_ptr<const std::vector<float>> tangents;   // 3 floats per vertex, or null
    std::shared_ptr<const std::vector<float>> bitangents; // 3 floats per vertex, or null
    std::uint32_t vertexCount = 0;
    std::uint32_t drawCount = 0; // vertices one draw submits, never more than vertexCount
    std::uint32_t faceCount = 0;
    bool hasPositions = false;
    bool hasNormals = false;
    bool hasTexCoords = false;
    bool hasTangents = false; // tangents and bitangents both present
    bool hasNormalMap = false;
    bool hasReflectionMap = false;
    Image colorImage;      // the diffuse texture the materials name; may stay empty
    Image normalImage;     // the caller's normal map
    Image reflectionImage; // the caller's reflection map
    Material material;
    // Start inverted so that the first position sets both.
    glm::vec3 boundsMin{std::numeric_limits<float>::max()};
    glm::vec3 boundsMax{std::numeric_limits<float>::lowest()};
    // A large mesh is drawn piece by piece (see MeshPieces.h); none: as one.
    std::vector<MeshPiece> pieces;
};

// How many vertices a draw of the corner arrays submits: three per face, but
// never more than the arrays hold, in whole triangles. Models whose faces are
// not all triangles (quads, lines) would otherwise read past the buffers.
inline std::uint32_t triangleDrawCount(std::uint32_t faceCount, std::uint32_t vertexCount)
{
    const std::uint64_t wanted = 3ull * faceCount;
    return static_cast<std::uint32_t>(std::min<std::uint64_t>(wanted, vertexCount - vertexCount % 3));
}
