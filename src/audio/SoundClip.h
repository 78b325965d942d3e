#pragma once
// A decoded sound file in memory, ready to become an OpenAL buffer: CPU data,
// kept apart from the buffer as images are kept apart from textures.
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

struct SoundClip {
    std::vector<std::int16_t> samples;  // mono: OpenAL positions only mono sources
    int sampleRate = 0;

    double seconds() const { return sampleRate > 0 ? static_cast<double>(samples.size()) / sampleRate : 0.0; }
};

// Decodes any file libsndfile reads (WAV, Ogg Vorbis, FLAC, ...), mixing several
// channels down to one. Nothing when the file is missing, unreadable or empty.
std::optional<SoundClip> loadSoundClip(const std::string& path);
