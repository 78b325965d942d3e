#include "render/RenderScale.h"

#include <gtest/gtest.h>

#include <functional>
#include <random>
#include <vector>

namespace {

// A machine whose frame costs `fixed` plus `perPixel` at full scale, shrinking
// with the pixels, with up to `noise` (a share) of random jitter each frame.
struct Machine {
    double fixed;
    double perPixel;
    double noise = 0.0;
};

struct Frames {
    std::vector<float> scales; // the scale of every frame
    std::vector<double> ends;  // when each frame ended
};

// Plays `seconds` of frames on `machine` (which may change over time) through
// the controller.
Frames play(RenderScaleController& controller, const std::function<Machine(double)>& machineAt, double seconds)
{
    std::mt19937 jitter(7);
    std::uniform_real_distribution<double> spread(-1.0, 1.0);
    Frames run;
    double now = 0.0;
    while (now < seconds) {
        const float scale = controller.scale();
        const Machine machine = machineAt(now);
        const double frame =
            (machine.fixed + machine.perPixel * scale * scale) * (1.0 + machine.noise * spread(jitter));
        now += frame;
        run.scales.push_back(scale);
        run.ends.push_back(now);
        controller.frameEnded(now, frame);
    }
    return run;
}

// How often the scale turned from falling to rising or back.
int turns(const std::vector<float>& scales)
{
    int turns = 0, direction = 0;
    for (std::size_t i = 1; i < scales.size(); ++i) {
        const int step = scales[i] > scales[i - 1] ? 1 : scales[i] < scales[i - 1] ? -1 : 0;
        if (step != 0 && direction != 0 && step != direction)
            ++turns;
        if (step != 0)
            direction = step;
    }
    return turns;
}

float scaleAt(const Frames& run, double time)
{
    for (std::size_t i = 0; i < run.ends.size(); ++i)
        if (run.ends[i] >= time)
            return run.scales[i];
    return run.scales.back();
}

TEST(RenderScale, AFastMachineKeepsTheFullPictureWhateverItsHiccups)
{
    RenderScaleController controller;
    // 60 frames a second, with now and then a frame three times as long.
    int frame = 0;
    const Frames run = play(
        controller, [&frame](double) { return Machine{(++frame % 40 == 0) ? 0.045 : 0.012, 0.004, 0.3}; }, 60.0);
    for (float scale : run.scales)
        ASSERT_EQ(scale, 1.0f);
}

TEST(RenderScale, ASlowMachineSettlesQuicklyUnderTheTargetAndStaysThere)
{
    RenderScaleController controller;
    // 54 ms a frame at full scale, most of it pixels: the full-size figure of
    // a machine without a graphics card.
    const Frames run = play(controller, [](double) { return Machine{0.012, 0.042, 0.15}; }, 60.0);
    const float settled = scaleAt(run, 2.0);
    EXPECT_LT(settled, 0.8f) << "lowered within two seconds";
    EXPECT_GE(settled, 0.6f) << "no further than it needs";
    EXPECT_EQ(scaleAt(run, 60.0), scaleAt(run, 5.0)) << "and then left alone";
    EXPECT_EQ(turns(run.scales), 0) << "never back and forth on noisy times";
    for (std::size_t i = 0; i < run.scales.size(); ++i)
        ASSERT_GE(run.scales[i], smallestRenderScale);
    // What the frames take once settled: the target, less the noise.
    EXPECT_LT(0.012 + 0.042 * scaleAt(run, 60.0) * scaleAt(run, 60.0), RenderScaleController::targetSeconds);
}

TEST(RenderScale, FallsUnderAHeavySceneRisesSlowlyAfterItAndNeverBelowHalf)
{
    RenderScaleController controller;
    // Ten seconds of a scene far too heavy even at half scale, then a light one.
    const Frames run = play(
        controller, [](double now) { return now < 10.0 ? Machine{0.05, 0.1, 0.1} : Machine{0.008, 0.01, 0.1}; },
        30.0);
    EXPECT_EQ(scaleAt(run, 9.9), smallestRenderScale);
    EXPECT_EQ(scaleAt(run, 11.5), smallestRenderScale) << "no rise on the first light second";
    EXPECT_EQ(scaleAt(run, 30.0), 1.0f) << "the full picture back once it is cheap again";
    EXPECT_LE(turns(run.scales), 1);
    // At most two changes a second.
    std::vector<double> changes;
    for (std::size_t i = 1; i < run.scales.size(); ++i)
        if (run.scales[i] != run.scales[i - 1])
            changes.push_back(run.ends[i - 1]);
    for (std::size_t i = 1; i < changes.size(); ++i)
        EXPECT_GE(changes[i] - changes[i - 1], 0.5);
}

TEST(RenderScale, AFixedSettingNeverMovesAndTheSceneKeepsAtLeastAPixel)
{
    RenderScaleController fixed(75);
    const Frames run = play(fixed, [](double) { return Machine{0.1, 0.1}; }, 10.0);
    for (float scale : run.scales)
        ASSERT_EQ(scale, 0.75f);
    EXPECT_FALSE(fixed.automatic());

    const SceneSize half = sceneSize(1280, 720, 0.5f);
    EXPECT_EQ(half.width, 640);
    EXPECT_EQ(half.height, 360);
    const SceneSize tiny = sceneSize(1, 1, 0.5f);
    EXPECT_EQ(tiny.width, 1);
    EXPECT_EQ(tiny.height, 1);
}

} // namespace
