#include "audio/OpenAlOutput.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include <AL/al.h>
#include <AL/alc.h>

#include <glm/geometric.hpp>

struct OpenAlOutput::Devices {
    ALCdevice* device = nullptr;
    ALCcontext* context = nullptr;

    ~Devices()
    {
        if (context) {
            alcMakeContextCurrent(nullptr);
            alcDestroyContext(context);
        }
        if (device)
            alcCloseDevice(device);
    }
};

namespace {

// While a device is looked for, the sound libraries report every backend they
// try and fail on standard error (a machine without a sound card gets a dozen
// lines). The game says what matters in one line of its own, so their chatter
// is set aside for that moment.
class QuietStandardError {
public:
    QuietStandardError()
    {
        std::fflush(stderr);
        saved_ = dup(STDERR_FILENO);
        const int nowhere = ::open("/dev/null", O_WRONLY);
        if (saved_ >= 0 && nowhere >= 0)
            dup2(nowhere, STDERR_FILENO);
        if (nowhere >= 0)
            close(nowhere);
    }
    ~QuietStandardError()
    {
        std::fflush(stderr);
        if (saved_ >= 0) {
            dup2(saved_, STDERR_FILENO);
            close(saved_);
        }
    }
    QuietStandardError(const QuietStandardError&) = delete;
    QuietStandardError& operator=(const QuietStandardError&) = delete;

private:
    int saved_ = -1;
};

} // namespace

std::unique_ptr<OpenAlOutput> OpenAlOutput::open(float masterGain)
{
    auto devices = std::make_unique<Devices>();
    {
        const QuietStandardError quiet;
        devices->device = alcOpenDevice(nullptr);
    }
    if (!devices->device)
        return nullptr;
    devices->context = alcCreateContext(devices->device, nullptr);
    if (!devices->context || !alcMakeContextCurrent(devices->context))
        return nullptr;

    std::unique_ptr<OpenAlOutput> output(new OpenAlOutput(std::move(devices)));
    alGetError();
    alGenSources(SoundMixer::poolSize, output->sources.data());
    if (alGetError() != AL_NO_ERROR) {
        output->sources.fill(0);
        return nullptr;
    }
    alListenerf(AL_GAIN, masterGain);
    alDistanceModel(AL_INVERSE_DISTANCE_CLAMPED);
    alDopplerFactor(0.0f); // the game hands over no velocities
    return output;
}

OpenAlOutput::OpenAlOutput(std::unique_ptr<Devices> devices)
    : devices(std::move(devices))
{
}

OpenAlOutput::~OpenAlOutput()
{
    // Sources go before the buffers they hold, both before the context.
    if (sources[0] != 0) {
        alSourceStopv(SoundMixer::poolSize, sources.data());
        alDeleteSources(SoundMixer::poolSize, sources.data());
    }
    for (unsigned int buffer : buffers)
        if (buffer != 0)
            alDeleteBuffers(1, &buffer);
}

void OpenAlOutput::setClips(const std::array<std::optional<SoundClip>, soundCount>& clips)
{
    for (int sound = 0; sound < soundCount; ++sound) {
        const std::optional<SoundClip>& clip = clips[sound];
        if (!clip)
            continue;
        alGetError();
        ALuint buffer = 0;
        alGenBuffers(1, &buffer);
        alBufferData(buffer, AL_FORMAT_MONO16, clip->samples.data(),
                     static_cast<ALsizei>(clip->samples.size() * sizeof(std::int16_t)), clip->sampleRate);
        if (alGetError() != AL_NO_ERROR) {
            alDeleteBuffers(1, &buffer);
            continue;
        }
        buffers[sound] = buffer;
        clipLengths[sound] = clip->samples.size();
    }
}

void OpenAlOutput::setListener(const AudioListener& listener)
{
    alListener3f(AL_POSITION, listener.position.x, listener.position.y, listener.position.z);
    // A degenerate orientation would turn the whole mix into NaNs; keep the last good one.
    if (glm::length(glm::cross(listener.forward, listener.up)) < 1e-6f)
        return;
    const ALfloat orientation[6] = {listener.forward.x, listener.forward.y, listener.forward.z,
                                    listener.up.x,      listener.up.y,      listener.up.z};
    alListenerfv(AL_ORIENTATION, orientation);
}

void OpenAlOutput::startSource(int index, const Voice& voice)
{
    const ALuint source = sources[index];
    const SoundDescription& description = describe(voice.sound);
    const int sound = static_cast<int>(voice.sound);
    alSourceStop(source);
    SourceState& state = states[index];
    state = SourceState{voice.start, true, false, buffers[sound] == 0, description.looping};
    if (state.silent)
        return;

    alSourcei(source, AL_BUFFER, static_cast<ALint>(buffers[sound]));
    alSourcei(source, AL_LOOPING, description.looping ? AL_TRUE : AL_FALSE);
    alSourcei(source, AL_SOURCE_RELATIVE, description.positional ? AL_FALSE : AL_TRUE);
    alSourcef(source, AL_REFERENCE_DISTANCE, description.referenceDistance);
    alSourcef(source, AL_ROLLOFF_FACTOR, description.positional ? 1.0f : 0.0f);
    alSourcef(source, AL_GAIN, description.gain);
    const glm::vec3 position = description.positional ? voice.position : glm::vec3(0.0f);
    alSource3f(source, AL_POSITION, position.x, position.y, position.z);
    alSourcef(source, AL_PITCH, voice.pitch);
    const auto offset = static_cast<ALint>(voice.startPoint * static_cast<float>(clipLengths[sound]));
    alSourcePlay(source);
    if (offset > 0)
        alSourcei(source, AL_SAMPLE_OFFSET, offset);
    if (voice.paused) {
        alSourcePause(source);
        state.paused = true;
    }
}

void OpenAlOutput::apply(const std::vector<Voice>& voices)
{
    for (int i = 0; i < SoundMixer::poolSize; ++i) {
        const Voice& voice = voices[i];
        SourceState& state = states[i];
        const ALuint source = sources[i];
        if (!voice.playing) {
            if (state.playing)
                alSourceStop(source);
            state.playing = false;
            continue;
        }
        if (!state.playing || voice.start != state.start) {
            startSource(i, voice);
            continue;
        }
        if (state.silent)
            continue;
        if (describe(voice.sound).positional)
            alSource3f(source, AL_POSITION, voice.position.x, voice.position.y, voice.position.z);
        alSourcef(source, AL_PITCH, voice.pitch);
        if (voice.paused != state.paused) {
            if (voice.paused)
                alSourcePause(source);
            else
                alSourcePlay(source); // resumes from where it was paused
            state.paused = voice.paused;
        }
    }
    alGetError(); // a failed call leaves one source quiet; nothing to report to the player
}

const std::vector<int>& OpenAlOutput::finishedVoices()
{
    finished.clear();
    for (int i = 0; i < SoundMixer::poolSize; ++i) {
        SourceState& state = states[i];
        if (!state.playing || state.paused || state.looping)
            continue;
        ALint sourceState = AL_STOPPED;
        if (!state.silent)
            alGetSourcei(sources[i], AL_SOURCE_STATE, &sourceState);
        if (sourceState == AL_STOPPED) {
            state.playing = false;
            finished.push_back(i);
        }
    }
    return finished;
}
