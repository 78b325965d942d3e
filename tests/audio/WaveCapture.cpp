#include "WaveCapture.h"

#include "support/core/Process.h"

#include <sndfile.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>

const WaveCapture& WaveCapture::forThisProcess(int sourceLimit)
{
    static const WaveCapture capture = [sourceLimit] {
        WaveCapture made;
        // Named after the first test that listens: ctest runs each test in a
        // process of its own, so parallel tests never share a capture.
        const testing::TestInfo* test = testing::UnitTest::GetInstance()->current_test_info();
        made.folder = makeScratchDirectory(std::string("audio-capture-") + (test ? test->name() : "main"));
        made.file = made.folder + "/mix.wav";
        const std::string configuration = made.folder + "/alsoft.conf";
        writeFile(configuration, "[general]\n"
                                 "channels = stereo\n"
                                 "frequency = 44100\n"
                                 "sample-type = float32\n"
                                 "hrtf = false\n"
                                 "sources = " + std::to_string(sourceLimit) + "\n"
                                 "[wave]\n"
                                 "file = " + made.file + "\n");
        setenv("ALSOFT_DRIVERS", "wave", 1);
        setenv("ALSOFT_CONF", configuration.c_str(), 1);
        return made;
    }();
    return capture;
}

std::optional<StereoRecording> StereoRecording::read(const std::string& path)
{
    SF_INFO info{};
    SNDFILE* file = sf_open(path.c_str(), SFM_READ, &info);
    if (!file)
        return std::nullopt;
    std::vector<float> interleaved(static_cast<size_t>(info.frames) * info.channels);
    const sf_count_t frames = sf_readf_float(file, interleaved.data(), info.frames);
    sf_close(file);
    if (info.channels != 2 || frames <= 0)
        return std::nullopt;
    StereoRecording recording;
    recording.sampleRate = info.samplerate;
    for (sf_count_t i = 0; i < frames; ++i) {
        recording.left.push_back(interleaved[2 * i]);
        recording.right.push_back(interleaved[2 * i + 1]);
    }
    return recording;
}

std::vector<float> StereoRecording::sum() const
{
    std::vector<float> x(left.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = left[i] + right[i];
    return x;
}

std::vector<float> StereoRecording::side() const
{
    std::vector<float> x(left.size());
    for (size_t i = 0; i < x.size(); ++i)
        x[i] = right[i] - left[i];
    return x;
}

float StereoRecording::rms(const std::vector<float>& x, double from, double to) const
{
    const auto first = std::min(x.size(), static_cast<size_t>(std::max(0.0, from) * sampleRate));
    const auto last = std::min(x.size(), static_cast<size_t>(std::max(0.0, to) * sampleRate));
    double sum = 0.0;
    for (size_t i = first; i < last; ++i)
        sum += double(x[i]) * x[i];
    return last > first ? static_cast<float>(std::sqrt(sum / double(last - first))) : 0.0f;
}

float StereoRecording::loudestWindow(const std::vector<float>& x, double from, double to) const
{
    float loudest = 0.0f;
    for (double t = from; t + 0.05 <= to; t += 0.01)
        loudest = std::max(loudest, rms(x, t, t + 0.05));
    return loudest;
}

float StereoRecording::zeroCrossings(const std::vector<float>& x, double from, double to) const
{
    const auto first = std::min(x.size(), static_cast<size_t>(std::max(0.0, from) * sampleRate));
    const auto last = std::min(x.size(), static_cast<size_t>(std::max(0.0, to) * sampleRate));
    int crossings = 0;
    for (size_t i = first + 1; i < last; ++i)
        crossings += (x[i - 1] < 0.0f) != (x[i] < 0.0f);
    return last > first ? static_cast<float>(crossings / (double(last - first) / sampleRate)) : 0.0f;
}
