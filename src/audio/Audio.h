#pragma once
// The game's sound, as the game sees it: opened once with the volume setting,
// told about each frame of play, asked for a sting on the end screens. It never
// fails: without a device, or with sound files missing, it prints one line and
// carries on silently. No OpenAL type crosses this header.
//
//   Audio audio(settings.soundVolume);      // 0 opens no device at all
//   audio.update(frame);                    // every frame of a level being played
//   audio.playEndSting(levelWon);           // on the winning or losing screen
#include "audio/AudioFrame.h"
#include "audio/SoundMixer.h"

#include <memory>
#include <string>

class OpenAlOutput;

class Audio {
public:
    // `volume` 0..100; `soundsFolder` is a game path, resolved like every other.
    explicit Audio(int volume, const std::string& soundsFolder = "Assets\\Sounds");
    ~Audio();
    Audio(const Audio&) = delete;
    Audio& operator=(const Audio&) = delete;

    // A device is open (volume above 0 and a device was found).
    bool isOn() const { return output != nullptr; }

    void update(const AudioFrame& frame);
    void playEndSting(bool won);

private:
    std::unique_ptr<OpenAlOutput> output;  // none: everything is silent
    SoundMixer mixer;
};
