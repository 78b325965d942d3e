#include "audio/Audio.h"

#include "platform/Platform.h"
#include "audio/OpenAlOutput.h"

#include <algorithm>
#include <iostream>

Audio::Audio(int volume, const std::string& soundsFolder)
{
    // Volume 0 means no sound at all: no device is opened and no file is read.
    if (volume <= 0)
        return;
    output = OpenAlOutput::open(static_cast<float>(std::min(volume, 100)) / 100.0f);
    if (!output) {
        std::cout << "No audio device: the game goes on without sound" << std::endl;
        return;
    }

    std::array<std::optional<SoundClip>, soundCount> clips;
    std::string missing;
    for (int sound = 0; sound < soundCount; ++sound) {
        const std::string path = soundsFolder + "\\" + describe(static_cast<Sound>(sound)).fileName;
        clips[sound] = loadSoundClip(resolvePath(path));
        if (!clips[sound])
            missing += (missing.empty() ? "" : ", ") + path;
    }
    if (!missing.empty())
        std::cout << "Sound file missing or unreadable: " << missing << std::endl;
    output->setClips(clips);
}

Audio::~Audio() = default;

void Audio::update(const AudioFrame& frame)
{
    if (!output)
        return;
    for (int voice : output->finishedVoices())
        mixer.voiceFinished(voice);
    mixer.update(frame);
    output->setListener(frame.listener);
    output->apply(mixer.voices());
}

void Audio::playEndSting(bool won)
{
    if (!output)
        return;
    mixer.playEndSting(won);
    output->apply(mixer.voices());
}
