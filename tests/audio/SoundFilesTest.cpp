// The generated sounds: a file for every sound the game names, read back
// through libsndfile exactly as synthesised, loops without a click, one-shots
// that start at once and die away, and each with the character it is made for.
#include "Sounds.h"
#include "audio/Sound.h"
#include "audio/SoundClip.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <map>
#include <string>

namespace fs = std::filesystem;

namespace {

const std::map<std::string, SynthesisedSound>& synthesised()
{
    static const std::map<std::string, SynthesisedSound> sounds = [] {
        std::map<std::string, SynthesisedSound> byName;
        for (SynthesisedSound& sound : synthesiseSounds())
            byName[sound.fileName] = std::move(sound);
        return byName;
    }();
    return sounds;
}

const SynthesisedSound& synthesisedFor(Sound sound)
{
    return synthesised().at(describe(sound).fileName);
}

float rmsOf(const std::vector<float>& x, float fromSeconds, float toSeconds)
{
    const auto from = static_cast<size_t>(std::max(0.0f, fromSeconds) * soundSampleRate);
    const auto to = std::min(x.size(), static_cast<size_t>(toSeconds * soundSampleRate));
    double sum = 0.0;
    for (size_t i = from; i < to; ++i)
        sum += double(x[i]) * x[i];
    return to > from ? static_cast<float>(std::sqrt(sum / double(to - from))) : 0.0f;
}

float peakOf(const std::vector<float>& x, float fromSeconds, float toSeconds)
{
    float peak = 0.0f;
    for (size_t i = static_cast<size_t>(fromSeconds * soundSampleRate);
         i < std::min(x.size(), static_cast<size_t>(toSeconds * soundSampleRate)); ++i)
        peak = std::max(peak, std::abs(x[i]));
    return peak;
}

float seconds(const std::vector<float>& x)
{
    return static_cast<float>(x.size()) / soundSampleRate;
}

// The share of a sound's energy below about `hz`: a two-pole low-pass, run over
// the sound, compared with the whole.
float lowShare(const std::vector<float>& x, float hz)
{
    const float g = 1.0f - std::exp(-2.0f * 3.14159265f * hz / soundSampleRate);
    float a = 0.0f, b = 0.0f;
    double low = 0.0, all = 0.0;
    for (float v : x) {
        a += g * (v - a);
        b += g * (a - b);
        low += double(b) * b;
        all += double(v) * v;
    }
    return static_cast<float>(low / all);
}

TEST(GeneratedSounds, EverySoundTheGameNamesIsAFileHoldingItsSynthesisedSamples)
{
    uintmax_t bytes = 0;
    for (int i = 0; i < soundCount; ++i) {
        const std::string name = describe(static_cast<Sound>(i)).fileName;
        const fs::path path = fs::path(SANDLARK_SOUNDS_DIR) / name;
        ASSERT_TRUE(fs::exists(path)) << path;
        bytes += fs::file_size(path);
        const std::optional<SoundClip> clip = loadSoundClip(path.string());
        ASSERT_TRUE(clip) << name;
        EXPECT_EQ(clip->sampleRate, soundSampleRate) << name;

        const SynthesisedSound& sound = synthesised().at(name);
        EXPECT_EQ(sound.loop, describe(static_cast<Sound>(i)).looping) << name;
        ASSERT_EQ(clip->samples.size(), sound.samples.size()) << name;
        int differing = 0;
        for (size_t s = 0; s < sound.samples.size(); ++s)
            differing += clip->samples[s] != static_cast<int16_t>(std::lround(sound.samples[s] * 32767.0f));
        EXPECT_EQ(differing, 0) << name << " does not read back as written";
    }
    EXPECT_EQ(synthesised().size(), static_cast<size_t>(soundCount)) << "a sound the game never plays";
    EXPECT_LT(bytes, 2u * 1024 * 1024) << "the sounds should stay small";
}

TEST(GeneratedSounds, LoopsRunIntoTheirStartWithoutAClickOrADip)
{
    for (Sound sound : {Sound::CrawlerEngine, Sound::DroneWhine, Sound::Wind}) {
        const std::vector<float>& x = synthesisedFor(sound).samples;
        const char* name = describe(sound).fileName;
        // The step from the last sample to the first is an ordinary step.
        double stepSquares = 0.0;
        for (size_t i = 1; i < x.size(); ++i)
            stepSquares += double(x[i] - x[i - 1]) * (x[i] - x[i - 1]);
        const float typicalStep = static_cast<float>(std::sqrt(stepSquares / double(x.size() - 1)));
        EXPECT_LT(std::abs(x.front() - x.back()), 4.0f * typicalStep) << name;
        // The loudness carries on across the seam (a careless cross-fade dips).
        const float end = seconds(x);
        const float acrossSeam = rmsOf(x, end - 0.1f, end) + rmsOf(x, 0.0f, 0.1f);
        const float whole = rmsOf(x, 0.0f, end);
        EXPECT_GT(acrossSeam / 2.0f, 0.6f * whole) << name;
        EXPECT_LT(acrossSeam / 2.0f, 1.6f * whole) << name;
    }
}

TEST(GeneratedSounds, OneShotsStartAtOnceAndDieAwayBeforeTheyEnd)
{
    for (Sound sound : {Sound::PlayerShot, Sound::EnemyShot, Sound::Explosion, Sound::GroundHit, Sound::WonSting,
                        Sound::LostSting}) {
        const std::vector<float>& x = synthesisedFor(sound).samples;
        const char* name = describe(sound).fileName;
        const float peak = peakOf(x, 0.0f, seconds(x));
        EXPECT_GT(peak, 0.7f) << name;
        EXPECT_LE(peak, 1.0f) << name;
        // No lag before the event is heard.
        EXPECT_GT(peakOf(x, 0.0f, 0.04f), 0.25f * peak) << name;
        // Nothing cut off at the end: the last 20 ms are 40 dB down.
        EXPECT_LT(peakOf(x, seconds(x) - 0.02f, seconds(x)), 0.01f * peak) << name;
    }
}

TEST(GeneratedSounds, EachHasTheCharacterItIsMadeFor)
{
    const auto& playerShot = synthesisedFor(Sound::PlayerShot).samples;
    const auto& enemyShot = synthesisedFor(Sound::EnemyShot).samples;
    const auto& explosion = synthesisedFor(Sound::Explosion).samples;
    const auto& groundHit = synthesisedFor(Sound::GroundHit).samples;
    const auto& engine = synthesisedFor(Sound::CrawlerEngine).samples;
    const auto& drone = synthesisedFor(Sound::DroneWhine).samples;

    // Short and punchy: the shot's energy is nearly all in its first 150 ms.
    EXPECT_GT(rmsOf(playerShot, 0.0f, 0.15f), 4.0f * rmsOf(playerShot, 0.15f, seconds(playerShot)));
    // The crawler's cannon is deeper than the player's weapon.
    EXPECT_GT(lowShare(enemyShot, 200.0f), lowShare(playerShot, 200.0f));
    // The explosion has a low boom, and a tail that goes on after it.
    EXPECT_GT(lowShare(explosion, 200.0f), 0.5f);
    EXPECT_GT(rmsOf(explosion, 1.0f, 2.5f), 0.03f * rmsOf(explosion, 0.0f, 0.5f));
    EXPECT_GT(seconds(explosion), 2.5f);
    // The ground hit is dull: mostly low, and sand on top.
    EXPECT_GT(lowShare(groundHit, 400.0f), 0.5f);
    EXPECT_LT(lowShare(groundHit, 400.0f), 0.98f);
    // The engine rumbles low; the drone is a thin whine high above it.
    EXPECT_GT(lowShare(engine, 200.0f), 0.7f);
    EXPECT_LT(lowShare(drone, 400.0f), 0.2f);
}

} // namespace
