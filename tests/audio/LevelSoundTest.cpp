// The sound of a whole level played in-process through the real loop, heard
// through OpenAL Soft's file-writing backend: a crawler on the player's right
// is heard on the right; the shot that destroys it, and its explosion, stand
// out of everything that sounded before.
#include "WaveCapture.h"

#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Startup.h"
#include "support/core/PrivateDisplay.h"
#include "support/core/Process.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/TestLevel.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

// The player rides from the origin along +z at 10 units a second; one crawler
// patrols 40 units to the right of the route, 20 to 23 units along it; another
// one far off keeps the level going after the first kill.
std::string makeLevelDirectory()
{
    TestLevel level;
    level.crawlerRoutes = "v 3000 0 3000\nv 3000 0 3500\ng far\nv -400 0 200\nv -400 0 230\ng right\n";
    level.configuration = "screenwidth 320\nscreenheight 180\nsoundvolume 80\n";
    return level.write("level-sound");
}

double secondsBetween(Clock::time_point from, Clock::time_point to)
{
    return std::chrono::duration<double>(to - from).count();
}

} // namespace

TEST(LevelSound, TheCrawlerOnTheRightIsHeardThereAndItsDestructionStandsOut)
{
    const WaveCapture& wave = WaveCapture::forThisProcess(SoundMixer::poolSize);
    fs::remove(wave.file);
    PrivateDisplay display;
    fs::current_path(makeLevelDirectory());

    testing::internal::CaptureStdout();
    const Clock::time_point opened = Clock::now();
    initializeGame();
    ASSERT_TRUE(game().audio && game().audio->isOn());

    auto owned = std::make_unique<ScriptedInput>(1.0 / 64.0, 5000.0);
    ScriptedInput& script = *owned;
    game().input = std::move(owned);
    Clock::time_point playing{}, turned{}, fired{};
    bool destroyed = false;
    script.holdKey(2.1, 2.2, Key::Enter);
    script.at(2.3, [&] { playing = Clock::now(); });
    // Nearly abreast of the crawler, turn a quarter right (0.05 degrees a pixel)
    // to face it, then fire.
    script.at(3.8, [&] {
        script.cursorX = 1800;
        turned = Clock::now();
    });
    script.holdButton(4.0, 4.03, MouseButton::Left);
    script.at(4.0, [&] { fired = Clock::now(); });
    script.at(4.3, [&] { destroyed = game().world.crawlers.size() > 1 && game().world.crawlers[1].destroyed; });
    script.closeWindow(6.5);
    playLevel();
    game().audio.reset(); // the capture ends here
    const Clock::time_point closed = Clock::now();
    testing::internal::GetCapturedStdout();
    ASSERT_TRUE(destroyed) << "the shot missed: nothing to hear";

    const std::optional<StereoRecording> recording = StereoRecording::read(wave.file);
    ASSERT_TRUE(recording);
    const StereoRecording& mix = *recording;
    // The capture's last sample is when the module closed.
    const double start = secondsBetween(opened, closed) - static_cast<double>(mix.left.size()) / mix.sampleRate;
    auto at = [&](Clock::time_point when) { return secondsBetween(opened, when) - start; };

    const double listenFrom = at(playing) + 0.3, listenTo = at(turned) - 0.05;
    ASSERT_GT(listenTo - listenFrom, 0.3) << "too little play before turning to measure";
    EXPECT_GT(mix.rms(mix.right, listenFrom, listenTo), 1.5f * mix.rms(mix.left, listenFrom, listenTo))
        << "the crawler's engine comes from the right";

    const std::vector<float> sum = mix.sum();
    const double shot = at(fired);
    const float before = mix.rms(sum, shot - 0.6, shot - 0.05);
    EXPECT_GT(mix.loudestWindow(sum, shot, shot + 0.4), 3.0f * before) << "the shot and the kill";
    EXPECT_GT(mix.rms(sum, shot + 0.9, shot + 1.5), 3.0f * before) << "the explosion's tail outlasts the shot";
}
