#pragma once
// Listening to the module without a sound card: OpenAL Soft's "wave" backend
// mixes everything into a WAV file, which the tests read back and measure.
#include <optional>
#include <string>
#include <vector>

// OpenAL Soft reads its drivers and configuration once per process, so one
// capture file serves every test of the process: each removes it before it
// opens the module and reads it after closing.
struct WaveCapture {
    std::string folder;  // holds the configuration and the capture
    std::string file;    // the mix, written while a device is open

    // Points OpenAL Soft at the wave backend (before any OpenAL call) and at a
    // configuration: stereo at 44100 Hz, HRTF off, and no more sources per
    // context than `sourceLimit`.
    static const WaveCapture& forThisProcess(int sourceLimit);
};

struct StereoRecording {
    int sampleRate = 0;
    std::vector<float> left, right;

    static std::optional<StereoRecording> read(const std::string& path);

    // The mono sum, and the side signal (right minus left): whatever sounds at
    // the centre, like the wind, cancels out of the side.
    std::vector<float> sum() const;
    std::vector<float> side() const;

    float rms(const std::vector<float>& x, double from, double to) const;
    // The loudest 50 ms between the two times: the onset of a sound.
    float loudestWindow(const std::vector<float>& x, double from, double to) const;
    // Sign changes per second: falls with the pitch of a tone.
    float zeroCrossings(const std::vector<float>& x, double from, double to) const;
};
