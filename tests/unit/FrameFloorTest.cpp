// The floor of a frame from the floor program's JSON line and the frame's own
// counts.
#include "FrameFloor.h"

#include <gtest/gtest.h>

namespace {

// A line as the floor program prints it.
const std::string floorLine =
    "{\"lit_ns_per_tri_near\":488.6,\"lit_ns_per_tri_far\":730.3,\"lit_ns_per_tri_geom\":200.5,"
    "\"lit_ns_per_px\":25.10,\"lit_fill_ms\":23.13,\"depth_ns_per_tri\":277.0,\"draw_us_lit\":14.10,"
    "\"draw_us_depth\":2.84,\"draw_us_lit_net\":0.96,\"draw_us_depth_net\":0.66,\"fullscreen_copy_ms\":6.860,"
    "\"fullscreen_blur_ms\":12.500,\"clear_swap_ms\":1.632,\"lit_cover_near\":1.000,\"lit_cover_far\":0.0212,"
    "\"depth_cover\":0.607,\"lp_threads\":2,\"other_load\":0.04,\"reps\":21,\"run_s\":35.2}";

} // namespace

TEST(FrameFloor, ReadsTheFiguresTheFormulaNeeds)
{
    const std::optional<FloorFigures> figures = parseFloorFigures(floorLine);
    ASSERT_TRUE(figures);
    EXPECT_DOUBLE_EQ(figures->litNsPerTriangle, 200.5) << "the geometry part, not the near or far figure";
    EXPECT_DOUBLE_EQ(figures->litFillMs, 23.13);
    EXPECT_DOUBLE_EQ(figures->depthNsPerTriangle, 277.0);
    EXPECT_DOUBLE_EQ(figures->litDrawUs, 0.96) << "net of the draw's own triangles";
    EXPECT_DOUBLE_EQ(figures->depthDrawUs, 0.66);
    EXPECT_DOUBLE_EQ(figures->fullscreenCopyMs, 6.86);
    EXPECT_DOUBLE_EQ(figures->fullscreenBlurMs, 12.5);
    EXPECT_DOUBLE_EQ(figures->clearSwapMs, 1.632);
    EXPECT_DOUBLE_EQ(figures->otherLoad, 0.04);
    EXPECT_DOUBLE_EQ(figures->rasteriserThreads, 2.0);
}

TEST(FrameFloor, RefusesALineWithoutAFigureAndFindsOnlyWholeKeys)
{
    EXPECT_FALSE(parseFloorFigures("{\"lit_fill_ms\":23.1}"));
    EXPECT_FALSE(parseFloorFigures(""));
    EXPECT_FALSE(parseFloorFigures("floor: no GL 3.3 core window"));
    EXPECT_EQ(jsonNumber("{\"draw_us_lit\":14.1,\"draw_us_lit_net\":0.9}", "draw_us_lit"), 14.1);
    EXPECT_EQ(jsonNumber("{\"draw_us_lit_net\":0.9}", "draw_us_lit"), std::nullopt);
    EXPECT_EQ(jsonNumber("{\"a\" : -2.5e-1}", "a"), -0.25);
    EXPECT_EQ(jsonNumber("{\"a\":\"text\"}", "a"), std::nullopt);
}

TEST(FrameFloor, FormulaAddsEveryTermOnce)
{
    const FloorFigures figures = *parseFloorFigures(floorLine);
    // An empty frame still lights every pixel once, copies, blurs, clears and swaps.
    const double fixedMs = 23.13 + 6.86 + 12.5 + 1.632;
    EXPECT_NEAR(floorMilliseconds(figures, {}), fixedMs, 1e-9);

    FrameCounts counts;
    counts.litTriangles = 60000;
    counts.depthTriangles = 40000;
    counts.litDraws = 200;
    counts.depthDraws = 150;
    const double expected = fixedMs + 60000 * 200.5e-6 + 40000 * 277.0e-6 + 200 * 0.96e-3 + 150 * 0.66e-3;
    EXPECT_NEAR(floorMilliseconds(figures, counts), expected, 1e-9);
}
