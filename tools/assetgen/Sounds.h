#pragma once
// The game's sounds, synthesised from noise, swept tones and envelopes: no
// recording from anywhere. Written as 16-bit mono WAV under Assets/Sounds.
#include <string>
#include <vector>

inline constexpr int soundSampleRate = 22050;

struct SynthesisedSound {
    std::string fileName;        // as the game's sound table names it
    std::vector<float> samples;  // mono, [-1, 1], at soundSampleRate
    bool loop = false;           // its end runs seamlessly into its start
};

// Every sound, the same samples on every run (fixed seeds, the generator's PRNG).
std::vector<SynthesisedSound> synthesiseSounds();

// Plain RIFF/WAVE, 16-bit PCM, one channel; samples are clamped to [-1, 1].
void writeWav16(const std::string& path, const std::vector<float>& samples, int sampleRate);

// Writes every sound into <assets>/Sounds and prints each one's length and peak.
void generateSounds(const std::string& assets);
