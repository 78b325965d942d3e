// The frame benchmark's statistics: nearest-rank percentiles, the summary of
// a run and the frames in the second after each kill.
#include "FrameTimes.h"

#include <gtest/gtest.h>

TEST(FrameTimes, PercentilesTakeTheNearestRankWhateverTheOrder)
{
    const std::vector<double> twenty = {20, 1, 19, 2, 18, 3, 17, 4, 16, 5, 15, 6, 14, 7, 13, 8, 12, 9, 11, 10};
    EXPECT_EQ(percentile(twenty, 0.5), 10.0) << "an even count takes the lower middle";
    EXPECT_EQ(percentile(twenty, 0.95), 19.0) << "19 of 20 values are at or below it";
    EXPECT_EQ(percentile(twenty, 1.0), 20.0);
    EXPECT_EQ(percentile(twenty, 0.0), 1.0);
    EXPECT_EQ(percentile({7, 3, 5}, 0.5), 5.0);
    EXPECT_EQ(percentile({4.5}, 0.95), 4.5);
    EXPECT_EQ(percentile({}, 0.5), 0.0);
}

TEST(FrameTimes, SummaryFindsTheLongestFrameAndItsIndex)
{
    std::vector<double> frames(100, 30.0);
    for (int i = 90; i < 100; ++i)
        frames[i] = 40.0;
    frames[0] = 250.0; // a first frame that compiled shaders
    const FrameTimeSummary summary = summarise(frames);
    EXPECT_EQ(summary.frames, 100);
    EXPECT_EQ(summary.median, 30.0);
    EXPECT_EQ(summary.p95, 40.0);
    EXPECT_EQ(summary.longest, 250.0);
    EXPECT_EQ(summary.longestFrame, 0);

    const FrameTimeSummary none = summarise({});
    EXPECT_EQ(none.frames, 0);
    EXPECT_EQ(none.longestFrame, -1);
}

TEST(FrameTimes, FramesFollowingTakeEachFrameOnceAndStopAtTheEnd)
{
    const std::vector<double> frames = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9};
    EXPECT_EQ(framesFollowing(frames, {2}, 3), (std::vector<double>{2, 3, 4}));
    EXPECT_EQ(framesFollowing(frames, {1, 3}, 3), (std::vector<double>{1, 2, 3, 4, 5})) << "overlapping windows";
    EXPECT_EQ(framesFollowing(frames, {8}, 5), (std::vector<double>{8, 9}));
    EXPECT_TRUE(framesFollowing(frames, {}, 5).empty());
}
