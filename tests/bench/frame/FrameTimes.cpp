#include "FrameTimes.h"

#include <algorithm>
#include <cmath>

double percentile(std::vector<double> values, double fraction)
{
    if (values.empty())
        return 0.0;
    std::sort(values.begin(), values.end());
    const double rank = std::ceil(fraction * static_cast<double>(values.size()));
    const size_t index = rank < 1.0 ? 0 : static_cast<size_t>(rank) - 1;
    return values[std::min(index, values.size() - 1)];
}

FrameTimeSummary summarise(const std::vector<double>& frameMs)
{
    FrameTimeSummary summary;
    summary.frames = static_cast<int>(frameMs.size());
    if (frameMs.empty())
        return summary;
    summary.median = percentile(frameMs, 0.5);
    summary.p95 = percentile(frameMs, 0.95);
    const auto longest = std::max_element(frameMs.begin(), frameMs.end());
    summary.longest = *longest;
    summary.longestFrame = static_cast<int>(longest - frameMs.begin());
    return summary;
}

std::vector<double> framesFollowing(const std::vector<double>& frameMs, const std::vector<int>& starts, int count)
{
    std::vector<bool> taken(frameMs.size(), false);
    for (int start : starts)
        for (int i = std::max(start, 0); i < start + count && i < static_cast<int>(frameMs.size()); ++i)
            taken[static_cast<size_t>(i)] = true;
    std::vector<double> following;
    for (size_t i = 0; i < frameMs.size(); ++i)
        if (taken[i])
            following.push_back(frameMs[i]);
    return following;
}
