// The whole module as the game will use it, heard through OpenAL Soft's
// file-writing backend: scripted frames in real time, then the mix is read back
// and measured. Also what happens with volume 0, without a device and without
// the sound files.
#include "WaveCapture.h"
#include "audio/Audio.h"
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <thread>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

const WaveCapture& capture()
{
    return WaveCapture::forThisProcess(SoundMixer::poolSize);
}

// Plays the game's part: a frame every 10 ms, the listener at the origin facing
// -z (so +x is to its right), events raised when the script says. Times are
// seconds since just before the module was opened.
struct ScriptedPlay {
    Audio& audio;
    Clock::time_point opened;
    AudioFrame frame;
    std::vector<glm::vec3> crawlers;

    double elapsed() const { return std::chrono::duration<double>(Clock::now() - opened).count(); }

    void update()
    {
        frame.crawlers = crawlers;
        audio.update(frame);
    }

    void runUntil(double seconds)
    {
        while (elapsed() < seconds) {
            update();
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
    }

    // Raises the events in the next frame; returns when that was.
    double raise(const std::vector<GameEvent>& events)
    {
        frame.events = events;
        const double at = elapsed();
        update();
        frame.events = {};
        return at;
    }
};

// The capture, with its time line matched to the script's. The device's first
// sample comes some time after the script's clock starts (the first open in a
// process sets up every backend OpenAL Soft has), but the capture ends when the
// module closes: `closedAt`, on the script's clock, is the common point.
struct Capture {
    StereoRecording mix;
    double offset = 0.0;  // script time of the capture's first sample

    double at(double scriptTime) const { return scriptTime - offset; }
};

Capture recorded(double closedAt)
{
    std::optional<StereoRecording> recording = StereoRecording::read(capture().file);
    EXPECT_TRUE(recording) << "no readable capture in " << capture().file;
    Capture result{recording.value_or(StereoRecording{})};
    if (result.mix.sampleRate > 0)
        result.offset = closedAt - static_cast<double>(result.mix.left.size()) / result.mix.sampleRate;
    EXPECT_GE(result.offset, -0.05) << "the capture is longer than the script";
    EXPECT_LT(result.offset, 1.0) << "the device took too long to start";
    return result;
}

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

TEST(AudioOutput, ShotsAndKillsRaiseTheEnergyAndCrawlersAreHeardOnTheirSide)
{
    fs::remove(capture().file);
    std::srand(77);
    const int firstRandom = std::rand();
    double rightFrom = 0.0, shotAt = 0.0, killAt = 0.0;
    const Clock::time_point opened = Clock::now();
    {
        Audio audio(80, SANDLARK_SOUNDS_DIR);
        ASSERT_TRUE(audio.isOn());
        ScriptedPlay play{audio, opened, {}, {}};
        const glm::vec3 left(-25, 0, -5), right(25, 0, -5);
        play.crawlers = {left};
        play.runUntil(1.6);
        rightFrom = play.elapsed();
        play.crawlers = {right};
        play.runUntil(2.8);
        shotAt = play.raise({{GameEventKind::PlayerShot, {0, 0, -1}}});
        play.runUntil(3.8);
        // The crawler on the right is hit: it blows up and drops out of the list.
        play.crawlers.clear();
        killAt = play.raise({{GameEventKind::Kill, right}});
        play.runUntil(4.6);
    }
    const Capture heard = recorded(secondsSince(opened));
    const StereoRecording& mix = heard.mix;
    const auto& l = mix.left;
    const auto& r = mix.right;

    // The engine of a crawler to one side is louder on that side.
    EXPECT_GT(mix.rms(l, heard.at(0.4), heard.at(rightFrom - 0.1)), 2.0f * mix.rms(r, heard.at(0.4), heard.at(rightFrom - 0.1)));
    EXPECT_GT(mix.rms(r, heard.at(rightFrom + 0.1), heard.at(shotAt - 0.1)), 2.0f * mix.rms(l, heard.at(rightFrom + 0.1), heard.at(shotAt - 0.1)));

    // The shot and the kill each stand out of what was sounding before them.
    const std::vector<float> sum = mix.sum();
    const double shot = heard.at(shotAt), kill = heard.at(killAt);
    EXPECT_GT(mix.loudestWindow(sum, shot, shot + 0.3), 3.0f * mix.rms(sum, shot - 0.6, shot - 0.05));
    EXPECT_GT(mix.loudestWindow(sum, kill, kill + 0.4), 3.0f * mix.rms(sum, kill - 0.3, kill - 0.05));
    // The shot leaves the player in the middle; the wreck is to the right.
    EXPECT_LT(mix.rms(r, shot, shot + 0.15), 1.5f * mix.rms(l, shot, shot + 0.15));
    EXPECT_GT(mix.rms(r, kill, kill + 0.5), 1.5f * mix.rms(l, kill, kill + 0.5));

    // Nothing in the module drew on the game's random sequence.
    const int nextRandom = std::rand();
    std::srand(77);
    EXPECT_EQ(std::rand(), firstRandom);
    EXPECT_EQ(std::rand(), nextRandom);
}

TEST(AudioOutput, SlowMotionLowersThePitchAndPauseHoldsTheWorldButNotTheWind)
{
    fs::remove(capture().file);
    double slowAt = 0.0, pausedAt = 0.0, resumedAt = 0.0, end = 0.0;
    const Clock::time_point opened = Clock::now();
    {
        Audio audio(80, SANDLARK_SOUNDS_DIR);
        ASSERT_TRUE(audio.isOn());
        ScriptedPlay play{audio, opened, {}, {}};
        // The drone's whine, off to the right: a tone whose pitch can be counted.
        play.frame.drone = glm::vec3(20, 0, 0);
        play.runUntil(1.2);
        slowAt = play.elapsed();
        play.frame.timeScale = 0.3f;
        play.runUntil(2.4);
        pausedAt = play.elapsed();
        play.frame.timeScale = 1.0f;
        play.frame.paused = true;
        play.runUntil(3.4);
        resumedAt = play.elapsed();
        play.frame.paused = false;
        play.runUntil(4.2);
        end = play.elapsed();
    }
    const Capture heard = recorded(secondsSince(opened));
    const StereoRecording& mix = heard.mix;
    const std::vector<float> side = mix.side();
    const std::vector<float> sum = mix.sum();
    const double slow = heard.at(slowAt), paused = heard.at(pausedAt), resumed = heard.at(resumedAt);

    const float normalPitch = mix.zeroCrossings(side, heard.at(0.3), slow - 0.1);
    const float slowPitch = mix.zeroCrossings(side, slow + 0.2, paused - 0.1);
    EXPECT_GT(normalPitch, 500.0f) << "the whine should be heard to the side";
    EXPECT_LT(slowPitch, 0.5f * normalPitch);
    EXPECT_GT(slowPitch, 0.15f * normalPitch);

    const float whine = mix.rms(side, heard.at(0.3), slow - 0.1);
    EXPECT_LT(mix.rms(side, paused + 0.2, resumed - 0.1), 0.1f * whine) << "the drone holds while paused";
    EXPECT_GT(mix.rms(sum, paused + 0.2, resumed - 0.1), 0.002f) << "the wind blows on while paused";
    EXPECT_GT(mix.rms(side, resumed + 0.2, heard.at(end) - 0.1), 0.5f * whine) << "the drone resumes";
}

TEST(AudioOutput, ABurstOf500EventsFitsASourceLimitOfThePoolsSize)
{
    // The capture's configuration lets a context have no more sources than the
    // pool: the module opens within it, and after a burst a kill is still heard.
    fs::remove(capture().file);
    double killAt = 0.0;
    const Clock::time_point opened = Clock::now();
    {
        Audio audio(80, SANDLARK_SOUNDS_DIR);
        ASSERT_TRUE(audio.isOn());
        ScriptedPlay play{audio, opened, {}, {}};
        play.crawlers = {{30, 0, 0}, {-30, 0, 0}, {0, 0, 30}, {0, 0, -30}};
        play.frame.drone = glm::vec3(0, 50, 0);
        play.runUntil(0.3);
        std::vector<GameEvent> burst;
        const GameEventKind kinds[] = {GameEventKind::PlayerShot, GameEventKind::EnemyShot, GameEventKind::GroundHit};
        for (int i = 0; i < 500; ++i)
            burst.push_back({kinds[i % 3], {float(i % 50), 0, -float(i % 7)}});
        play.raise(burst);
        for (int i = 0; i < 50; ++i) {
            play.raise(std::vector<GameEvent>(burst.begin() + 10 * i, burst.begin() + 10 * i + 10));
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        // Every shot of the burst has died away by now.
        play.runUntil(2.8);
        killAt = play.raise({{GameEventKind::Kill, {0, 0, -20}}});
        play.runUntil(3.4);
    }
    const Capture heard = recorded(secondsSince(opened));
    const std::vector<float> sum = heard.mix.sum();
    const double kill = heard.at(killAt);
    EXPECT_GT(heard.mix.loudestWindow(sum, kill, kill + 0.4), 3.0f * heard.mix.rms(sum, kill - 0.3, kill - 0.05));
}

TEST(AudioOutput, VolumeZeroOpensNoDeviceAndSaysNothing)
{
    fs::remove(capture().file);
    testing::internal::CaptureStdout();
    {
        Audio audio(0, SANDLARK_SOUNDS_DIR);
        EXPECT_FALSE(audio.isOn());
        const GameEvent shot{GameEventKind::PlayerShot, {0, 0, 0}};
        AudioFrame frame;
        frame.events = std::span(&shot, 1);
        audio.update(frame);
        audio.playEndSting(true);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "");
    EXPECT_FALSE(fs::exists(capture().file)) << "a device was opened";

    // Any other volume does open one.
    {
        Audio audio(1, SANDLARK_SOUNDS_DIR);
        EXPECT_TRUE(audio.isOn());
    }
    EXPECT_TRUE(fs::exists(capture().file));
}

TEST(AudioOutput, WithoutADeviceOneLineIsPrintedAndTheGameGoesOnSilently)
{
    // The wave backend cannot create its file in a folder that is not there:
    // to the module that is a machine without a sound card.
    const WaveCapture& wave = capture();
    fs::remove_all(wave.folder);
    testing::internal::CaptureStdout();
    {
        Audio audio(80, SANDLARK_SOUNDS_DIR);
        EXPECT_FALSE(audio.isOn());
        const std::vector<GameEvent> events = {{GameEventKind::Kill, {1, 2, 3}}, {GameEventKind::PlayerShot, {}}};
        const std::vector<glm::vec3> crawlers = {{10, 0, 0}};
        AudioFrame frame;
        frame.events = events;
        frame.crawlers = crawlers;
        frame.drone = glm::vec3(0, 100, 0);
        audio.update(frame);
        audio.playEndSting(false);
    }
    EXPECT_EQ(testing::internal::GetCapturedStdout(), "No audio device: the game goes on without sound\n");
    fs::create_directories(wave.folder);
}

TEST(AudioOutput, MissingOrBrokenSoundFilesAreOneLineAndTheOthersStillPlay)
{
    // Only the shot and the wind are there; the explosion is not a sound file.
    const std::string sounds = makeScratchDirectory("audio-some-sounds");
    for (Sound sound : {Sound::PlayerShot, Sound::Wind})
        fs::copy_file(fs::path(SANDLARK_SOUNDS_DIR) / describe(sound).fileName, fs::path(sounds) / describe(sound).fileName);
    writeFile(sounds + "/" + describe(Sound::Explosion).fileName, "RIFF, but not really");

    fs::remove(capture().file);
    testing::internal::CaptureStdout();
    double shotAt = 0.0;
    const Clock::time_point opened = Clock::now();
    {
        Audio audio(80, sounds);
        EXPECT_TRUE(audio.isOn());
        ScriptedPlay play{audio, opened, {}, {}};
        play.crawlers = {{10, 0, 0}};
        play.frame.drone = glm::vec3(0, 50, 0);
        play.raise({{GameEventKind::Kill, {}}, {GameEventKind::EnemyShot, {}}, {GameEventKind::GroundHit, {}}});
        play.runUntil(0.8);
        shotAt = play.raise({{GameEventKind::PlayerShot, {0, 0, -1}}});
        play.runUntil(1.4);
        audio.playEndSting(true);
    }
    const double closedAt = secondsSince(opened);
    const std::vector<std::string> lines = linesOf(testing::internal::GetCapturedStdout());
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rfind("Sound file missing or unreadable: ", 0), 0u) << lines[0];
    for (int i = 0; i < soundCount; ++i) {
        const auto sound = static_cast<Sound>(i);
        const bool named = lines[0].find(describe(sound).fileName) != std::string::npos;
        EXPECT_EQ(named, sound != Sound::PlayerShot && sound != Sound::Wind) << describe(sound).fileName;
    }
    const Capture heard = recorded(closedAt);
    const std::vector<float> sum = heard.mix.sum();
    const double shot = heard.at(shotAt);
    EXPECT_GT(heard.mix.rms(sum, 0.1, shot - 0.05), 0.002f) << "the wind";
    EXPECT_GT(heard.mix.loudestWindow(sum, shot, shot + 0.3), 3.0f * heard.mix.rms(sum, 0.1, shot - 0.05)) << "the shot";
}

} // namespace
