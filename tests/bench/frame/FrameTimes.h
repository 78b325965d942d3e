#pragma once
// Summaries of a run of frame times, in milliseconds.
#include <vector>

// The value below which `fraction` of `values` lie, by nearest rank: the
// smallest value with at least that share of the values at or below it
// (fraction 0.5 of an even count takes the lower middle). 0 for no values.
double percentile(std::vector<double> values, double fraction);

struct FrameTimeSummary {
    int frames = 0;
    double median = 0.0;
    double p95 = 0.0;
    double longest = 0.0;
    int longestFrame = -1; // index of the longest frame
};

FrameTimeSummary summarise(const std::vector<double>& frameMs);

// The frames that start within `count` frames of one of `starts` (indices
// into `frameMs`), each frame taken once even where windows overlap, in order.
std::vector<double> framesFollowing(const std::vector<double>& frameMs, const std::vector<int>& starts, int count);
