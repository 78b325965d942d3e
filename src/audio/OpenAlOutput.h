#pragma once
// The only part that speaks OpenAL: a device, a context, one buffer per sound and
// the fixed pool of sources, all made when it opens and released when it goes.
// Each frame the sources are made to follow the mixer's voices. No OpenAL type
// appears here, so including this header does not bring OpenAL in.
#include "audio/AudioFrame.h"
#include "audio/Sound.h"
#include "audio/SoundClip.h"
#include "audio/SoundMixer.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

class OpenAlOutput {
public:
    // Opens the default device with `masterGain` (0..1) and makes the pool's
    // sources. Nothing when there is no usable device.
    static std::unique_ptr<OpenAlOutput> open(float masterGain);
    ~OpenAlOutput();
    OpenAlOutput(const OpenAlOutput&) = delete;
    OpenAlOutput& operator=(const OpenAlOutput&) = delete;

    // One buffer per sound; a sound without a clip stays silent.
    void setClips(const std::array<std::optional<SoundClip>, soundCount>& clips);

    void setListener(const AudioListener& listener);
    void apply(const std::vector<Voice>& voices);

    // The voices whose one-shot has ended since the last call.
    const std::vector<int>& finishedVoices();

private:
    struct Devices;          // the OpenAL device and context
    struct SourceState {     // what a source was last told, to apply only changes
        std::uint32_t start = 0;
        bool playing = false;
        bool paused = false;
        bool silent = false; // its sound has no clip
        bool looping = false;
    };

    explicit OpenAlOutput(std::unique_ptr<Devices> devices);
    void startSource(int index, const Voice& voice);

    std::unique_ptr<Devices> devices;
    std::array<unsigned int, soundCount> buffers{};                   // 0 where a sound has no clip
    std::array<std::size_t, soundCount> clipLengths{};                // in samples
    std::array<unsigned int, SoundMixer::poolSize> sources{};
    std::array<SourceState, SoundMixer::poolSize> states{};
    std::vector<int> finished;
};
