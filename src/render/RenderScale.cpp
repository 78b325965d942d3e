#include "render/RenderScale.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// How long the controller watches a scale before it judges it, and how long
// frames must be comfortably fast before it raises the scale: at most two
// changes a second, and no rise on a brief lull.
constexpr double settleSeconds = 0.5;
constexpr double riseAfterSeconds = 2.0;
constexpr double judgedSeconds = 1.5;
constexpr double keptSeconds = 3.0;
// Raised only when the frames are this far under the target, and only if a
// frame at the higher scale, its cost grown with the pixels, stays this far
// under it: the margins keep a scale that was just too slow from coming back.
constexpr double comfortable = 0.75;
constexpr double predictedMargin = 0.85;
// Lowered, the scale aims this far under the target.
constexpr double loweringAim = 0.97;
// Scales move on a grid of 1/40, by 1/40 to 1/8 down and 1/20 up.
constexpr float grid = 40.0f;
constexpr float smallestStep = 1.0f / 40.0f, largestStep = 1.0f / 8.0f, riseStep = 1.0f / 20.0f;

float onGrid(float scale)
{
    return std::round(scale * grid) / grid;
}

} // namespace

SceneSize sceneSize(int width, int height, float scale)
{
    const auto scaled = [scale](int side) { return std::max(1, static_cast<int>(std::lround(side * scale))); };
    return {scaled(width), scaled(height)};
}

RenderScaleController::RenderScaleController(int setting)
    : automatic_(setting == 0), scale_(setting == 0 ? 1.0f : std::clamp(setting, 50, 100) / 100.0f)
{
}

double RenderScaleController::percentileSince(double since, double fraction) const
{
    std::vector<double> times;
    for (auto frame = frames_.rbegin(); frame != frames_.rend(); ++frame)
        // A slow machine may show only one or two frames in the span: the last
        // three are always judged together.
        if (frame->end > since || times.size() < 3)
            times.push_back(frame->seconds);
    const auto at = times.begin() + static_cast<std::ptrdiff_t>(fraction * static_cast<double>(times.size() - 1));
    std::nth_element(times.begin(), at, times.end());
    return *at;
}

float RenderScaleController::frameEnded(double now, double frameSeconds)
{
    if (!automatic_)
        return scale_;
    if (lastChange_ < 0.0)
        lastChange_ = now;
    frames_.push_back({now, frameSeconds});
    while (frames_.front().end < now - keptSeconds)
        frames_.pop_front();
    const double watched = now - lastChange_;
    if (watched < settleSeconds || frames_.size() < 3)
        return scale_;

    float next = scale_;
    // Judged on every frame since the last change, up to a second and a half:
    // quick while the scale is settling, and once it has settled, too many
    // frames for noise alone to push the middle one over the target.
    const double recent = percentileSince(now - std::min(watched, judgedSeconds), 0.5);
    if (recent > targetSeconds) {
        // A frame costs a part that the pixels do not change and a part that
        // shrinks with the square of the scale. The frames before the last
        // change tell them apart (until then all of it counts as pixels);
        // the step aims a little under the target, so that the scale does not
        // creep down after it one small step at a time.
        double fixed = 0.0;
        if (previousScale_ > scale_) {
            const double perPixel = (previousMedian_ - recent) / (previousScale_ * previousScale_ - scale_ * scale_);
            if (perPixel > 0.0)
                fixed = std::clamp(recent - perPixel * scale_ * scale_, 0.0, 0.8 * recent);
        }
        const double aim = loweringAim * targetSeconds;
        const double share = aim > fixed ? (aim - fixed) / (recent - fixed) : 0.0;
        const float wanted = scale_ * static_cast<float>(std::sqrt(share));
        const float step = std::clamp(scale_ - wanted, smallestStep, largestStep);
        next = std::max(smallestRenderScale, onGrid(scale_ - step));
    } else if (scale_ < 1.0f && watched >= riseAfterSeconds) {
        // Nine tenths of the last two seconds in comfortable frames, not just
        // the middle frame: a lull of a second or so raises nothing, and the
        // many short frames of a lull do not outvote a few long ones.
        double slow = 0.0;
        for (const Frame& frame : frames_)
            if (frame.end > now - riseAfterSeconds && frame.seconds >= comfortable * targetSeconds)
                slow += frame.seconds;
        const double calm = percentileSince(now - riseAfterSeconds, 0.5);
        const float higher = std::min(1.0f, onGrid(scale_ + riseStep));
        const double predicted = calm * (higher / scale_) * (higher / scale_);
        if (slow <= 0.1 * riseAfterSeconds && predicted < predictedMargin * targetSeconds)
            next = higher;
    }
    if (next != scale_) {
        previousScale_ = scale_;
        previousMedian_ = recent;
        scale_ = next;
        lastChange_ = now;
        frames_.clear();
    }
    return scale_;
}
