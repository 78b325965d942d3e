#include "audio/SoundClip.h"

#include <sndfile.h>

#include <memory>

namespace {

struct SndfileCloser {
    void operator()(SNDFILE* file) const { sf_close(file); }
};

} // namespace

std::optional<SoundClip> loadSoundClip(const std::string& path)
{
    SF_INFO info{};
    std::unique_ptr<SNDFILE, SndfileCloser> file(sf_open(path.c_str(), SFM_READ, &info));
    if (!file || info.frames <= 0 || info.channels <= 0 || info.samplerate <= 0)
        return std::nullopt;

    // libsndfile converts every encoding to 16-bit samples; 16-bit files come
    // through unchanged.
    const auto channels = static_cast<std::size_t>(info.channels);
    std::vector<short> interleaved(static_cast<std::size_t>(info.frames) * channels);
    const sf_count_t read = sf_readf_short(file.get(), interleaved.data(), info.frames);
    if (read <= 0)
        return std::nullopt;

    SoundClip clip;
    clip.sampleRate = info.samplerate;
    clip.samples.resize(static_cast<std::size_t>(read));
    for (std::size_t frame = 0; frame < clip.samples.size(); ++frame) {
        int sum = 0;
        for (std::size_t channel = 0; channel < channels; ++channel)
            sum += interleaved[frame * channels + channel];
        clip.samples[frame] = static_cast<std::int16_t>(sum / static_cast<int>(channels));
    }
    return clip;
}
