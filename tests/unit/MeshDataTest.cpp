#include "assets/MeshData.h"

#include <gtest/gtest.h>

#include <cstddef>
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

} // namespace
