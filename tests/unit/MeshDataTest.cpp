#include "assets/MeshData.h"
#include "assets/MeshPieces.h"

#include <glm/vector_relational.hpp>
#include <gtest/gtest.h>

#include <cstddef>
#include <set>
#include <memory>
#include <vector>
#include <limits>
#include <type_traits>

namespace {

TEST(MaterialBlock, MatchesTheStd140LayoutOfTheShaders)
{
    EXPECT_TRUE(std::is_standard_layout_v<Material>);
    EXPECT_EQ(offsetof(Material, diffuse), 0u);
    EXPECT_EQ(offsetof(Material, ambient), 16u);
    EXPECT_EQ(offsetof(Material, specular), 32u);
    EXPECT_EQ(offsetof(Material, emissive), 48u);
    EXPECT_EQ(offsetof(Material, shininess), 64u);
    EXPECT_EQ(sizeof(Material), 80u) << "the uniform buffer is always 80 bytes";
}

TEST(MeshData, FreshRecordIsEmptyWithInvertedBounds)
{
    const MeshData data;
    EXPECT_FALSE(data.hasPositions || data.hasNormals || data.hasTexCoords || data.hasTangents ||
                 data.hasNormalMap || data.hasReflectionMap);
    EXPECT_TRUE(data.colorImage.empty());
    EXPECT_EQ(data.material.diffuse, glm::vec4(0.0f));
    EXPECT_EQ(data.boundsMin.x, std::numeric_limits<float>::max());
    EXPECT_EQ(data.boundsMax.z, std::numeric_limits<float>::lowest());
}

TEST(MeshData, DrawCountNeverExceedsTheVertices)
{
    struct Case {
        std::uint32_t faces, vertices, expected;
    };
    const Case cases[] = {
        {2, 6, 6},   // triangles: three corners each
        {1, 4, 3},   // one quad: its first triangle only, inside the arrays
        {2, 5, 3},   // a triangle and a line: 6 would read past the 5 corners
        {3, 4, 3},   // points and lines
        {0, 0, 0},
        {0, 9, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(triangleDrawCount(c.faces, c.vertices), c.expected) << c.faces << " faces, " << c.vertices;
}

// A flat grid of `cells` x `cells` squares, two triangles each, over -100..100
// in x and z, whose normals and texture coordinates carry the corner's
// position, so every attribute can be followed through a permutation; two
// vertices beyond the drawn ones.
MeshData grid(int cells)
{
    auto positions = std::make_shared<std::vector<float>>();
    auto normals = std::make_shared<std::vector<float>>();
    auto texCoords = std::make_shared<std::vector<float>>();
    const auto corner = [&](int i, int j) {
        const float x = -100.0f + 200.0f * i / cells, z = -100.0f + 200.0f * j / cells;
        positions->insert(positions->end(), {x, 0.0f, z});
        normals->insert(normals->end(), {x, 1.0f, z});
        texCoords->insert(texCoords->end(), {x, z});
    };
    for (int i = 0; i < cells; ++i)
        for (int j = 0; j < cells; ++j) {
            corner(i, j), corner(i + 1, j), corner(i, j + 1);
            corner(i + 1, j), corner(i + 1, j + 1), corner(i, j + 1);
        }
    corner(0, 0), corner(0, 0);
    MeshData data;
    data.positions = positions;
    data.normals = normals;
    data.texCoords = texCoords;
    data.vertexCount = static_cast<std::uint32_t>(positions->size() / 3);
    data.drawCount = data.vertexCount - 2;
    data.boundsMin = glm::vec3(-100.0f, 0.0f, -100.0f);
    data.boundsMax = glm::vec3(100.0f, 0.0f, 100.0f);
    return data;
}

TEST(MeshPieces, EveryTriangleLandsInExactlyOnePieceThatHoldsIt)
{
    const MeshData whole = grid(48); // 4,608 triangles
    const MeshData split = splitIntoPieces(whole, 4);
    ASSERT_EQ(split.pieces.size(), 16u);
    ASSERT_EQ(split.positions->size(), whole.positions->size());
    std::uint32_t next = 0;
    std::multiset<std::vector<float>> before, after;
    for (const MeshPiece& piece : split.pieces) {
        EXPECT_EQ(piece.first, next) << "pieces follow each other";
        next += piece.count;
        for (std::uint32_t v = piece.first; v < piece.first + piece.count; ++v) {
            const glm::vec3 p((*split.positions)[3 * v], (*split.positions)[3 * v + 1], (*split.positions)[3 * v + 2]);
            EXPECT_TRUE(glm::all(glm::greaterThanEqual(p, piece.boundsMin)) &&
                        glm::all(glm::lessThanEqual(p, piece.boundsMax)));
            EXPECT_EQ((*split.normals)[3 * v], p.x) << "the attributes of a vertex stay together";
            EXPECT_EQ((*split.texCoords)[2 * v + 1], p.z);
        }
        // A cell of a 4 x 4 raster over 200 units is 50 wide; a triangle reaches a cell width beyond.
        EXPECT_LE(piece.boundsMax.x - piece.boundsMin.x, 55.0f);
    }
    EXPECT_EQ(next, whole.drawCount);
    for (std::uint32_t t = 0; t < whole.drawCount / 3; ++t) {
        before.insert(std::vector<float>(whole.positions->begin() + 9 * t, whole.positions->begin() + 9 * t + 9));
        after.insert(std::vector<float>(split.positions->begin() + 9 * t, split.positions->begin() + 9 * t + 9));
    }
    EXPECT_EQ(after, before) << "the same triangles, each with its corners in their order";
    EXPECT_EQ(std::vector<float>(split.positions->end() - 6, split.positions->end()),
              std::vector<float>(whole.positions->end() - 6, whole.positions->end()))
        << "undrawn vertices stay at the end";
}

TEST(MeshPieces, SmallMeshesStayWhole)
{
    const MeshData small = grid(8);
    const MeshData kept = splitIntoPieces(small);
    EXPECT_TRUE(kept.pieces.empty());
    EXPECT_EQ(kept.positions, small.positions);
}

} // namespace
