#include "assets/TextureFilter.h"

#include <gtest/gtest.h>

namespace {

using namespace TextureFilterValue;

TEST(TextureFilter, EveryRowOfTheTable)
{
    struct Row {
        int sampling, mipmap, minFilter, magFilter;
    };
    const Row rows[] = {
        {0, 0, nearest, nearest},
        {0, 1, nearestMipmapNearest, nearest},
        {0, 2, nearestMipmapLinear, nearest},
        {1, 0, linear, linear},
        {1, 1, linearMipmapNearest, linear},
        {1, 2, linearMipmapLinear, linear},
        // The counters only grow: their remainders choose the row.
        {2, 2, nearestMipmapLinear, nearest}, // one sampling press from the start values
        {3, 3, linear, linear},
        {17, 8, linearMipmapLinear, linear},
        {1000, 1000, nearestMipmapNearest, nearest},
    };
    for (const Row& row : rows) {
        const auto filters = textureFilters(row.sampling, row.mipmap);
        ASSERT_TRUE(filters.has_value()) << row.sampling << "," << row.mipmap;
        EXPECT_EQ(filters->minFilter, row.minFilter) << row.sampling << "," << row.mipmap;
        EXPECT_EQ(filters->magFilter, row.magFilter) << row.sampling << "," << row.mipmap;
    }
}

TEST(TextureFilter, NegativeCountersSetNoFilter)
{
    EXPECT_FALSE(textureFilters(-1, 2).has_value());
    EXPECT_FALSE(textureFilters(1, -1).has_value());
    EXPECT_FALSE(textureFilters(-3, -5).has_value());
    // Even a negative multiple of the divisor, whose remainder is 0.
    EXPECT_FALSE(textureFilters(-2, 2).has_value());
    EXPECT_FALSE(textureFilters(1, -3).has_value());
}

} // namespace
