// What the sound costs the game: the mixer's work in every frame of a busy
// fight, and decoding the longest sound file when the module opens.
#include "audio/Sound.h"
#include "audio/SoundClip.h"
#include "audio/SoundMixer.h"

#include <benchmark/benchmark.h>

#include <string>
#include <vector>

namespace {

// A level's worth of crawlers (range(0) of them), the drone, and ten events a
// frame; a few one-shots end every frame, as the output would report.
void mixerFrame(benchmark::State& state)
{
    std::vector<glm::vec3> crawlers;
    for (int i = 0; i < state.range(0); ++i)
        crawlers.emplace_back(float(i * 37 % 700) - 350.0f, 0.0f, float(i * 53 % 700) - 350.0f);
    std::vector<GameEvent> events;
    for (int i = 0; i < 10; ++i)
        events.push_back({static_cast<GameEventKind>(i % 4), {float(i), 0.0f, 0.0f}});
    SoundMixer mixer;
    AudioFrame frame;
    frame.crawlers = crawlers;
    frame.events = events;
    frame.drone = glm::vec3(600.0f, 120.0f, -600.0f);
    int step = 0;
    for (auto _ : state) {
        frame.listener.position.x = float(step % 200);
        for (auto& crawler : crawlers)
            crawler.z += 0.01f;
        mixer.update(frame);
        mixer.voiceFinished(SoundMixer::firstOneShotVoice + step % (SoundMixer::poolSize - SoundMixer::firstOneShotVoice));
        ++step;
        benchmark::DoNotOptimize(mixer.voices().data());
    }
}
BENCHMARK(mixerFrame)->Arg(8)->Arg(64);

void decodeLongestSound(benchmark::State& state)
{
    const std::string path = std::string(SANDLARK_SOUNDS_DIR) + "/" + describe(Sound::Wind).fileName;
    for (auto _ : state) {
        std::optional<SoundClip> clip = loadSoundClip(path);
        if (!clip)
            state.SkipWithError("no wind file");
        benchmark::DoNotOptimize(clip);
    }
}
BENCHMARK(decodeLongestSound)->Unit(benchmark::kMillisecond);

} // namespace
