#pragma once
// Decides what the fixed pool of voices plays, frame by frame: the wind, engine
// loops on the nearest crawlers, the drone's whine, one-shots for the frame's
// events and the end-of-level stings. It only computes; the OpenAL output makes
// the sources follow the voices, so all of this is tested without a device.
#include "audio/AudioFrame.h"
#include "audio/Sound.h"

#include <glm/vec3.hpp>

#include <cstdint>
#include <vector>

// What one source of the pool should be doing.
struct Voice {
    Sound sound = Sound::Wind;
    bool playing = false;       // holds a sound, possibly paused
    bool paused = false;
    glm::vec3 position{0.0f};   // world position (ignored for sounds that are not positional)
    float variation = 1.0f;     // this start's own pitch factor
    float pitch = 1.0f;         // what the source plays at: variation times the time scale
    float startPoint = 0.0f;    // where in the clip this start begins, as a fraction of its length
    std::uint32_t start = 0;    // a new number for every start: the output restarts its source when it changes
    std::uint32_t startFrame = 0; // the mixer frame of that start: a voice is not taken back in the frame it began
};

class SoundMixer {
public:
    // The pool: OpenAL Soft gives a context 256 sources by default, and no burst
    // of events may ask for more than these.
    static constexpr int poolSize = 32;
    static constexpr int windVoice = 0;
    static constexpr int firstEngineVoice = 1;
    static constexpr int engineVoiceCount = 3;  // engine loops only on the nearest few crawlers
    static constexpr int droneVoice = firstEngineVoice + engineVoiceCount;
    static constexpr int stingVoice = droneVoice + 1;
    static constexpr int firstOneShotVoice = stingVoice + 1;

    // `seed` starts the mixer's own generator (pitch variation, loop start
    // points); the game's rand() sequence is never touched.
    explicit SoundMixer(std::uint64_t seed = 0x5a4d4c41524bull);

    // One frame of a level being played. Loops start, follow and stop with what
    // they belong to; the frame's events start one-shots; pausing holds every
    // world sound but the wind, and sounds raised while paused still play.
    void update(const AudioFrame& frame);

    // Silences the world and plays the winning or losing sting at its own pitch,
    // whatever the time scale (a won level ends in slow motion).
    void playEndSting(bool won);

    // The output saw a one-shot play to its end: its voice is free again.
    void voiceFinished(int voice);

    const std::vector<Voice>& voices() const { return pool; }

private:
    void updateEngines(const AudioFrame& frame);
    void startEvent(const GameEvent& event);
    int chooseOneShotVoice(Sound sound, int priority) const;
    void startVoice(int index, Sound sound, glm::vec3 position, float startPoint);
    float nextUniform();  // [0, 1)

    std::vector<Voice> pool;
    std::uint64_t randomState;
    std::uint32_t startCount = 0;
    std::uint32_t frameCount = 0;
    float timeScale = 1.0f;
    bool paused = false;
};
