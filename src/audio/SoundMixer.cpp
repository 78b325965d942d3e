#include "audio/SoundMixer.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <array>
#include <limits>

namespace {

// OpenAL Soft accepts a pitch of 0 but other implementations do not; the game's
// slowest time scale (0.05) is well above this floor.
constexpr float lowestPitch = 0.01f;

float squaredDistance(glm::vec3 a, glm::vec3 b)
{
    const glm::vec3 d = a - b;
    return glm::dot(d, d);
}

} // namespace

SoundMixer::SoundMixer(std::uint64_t seed)
    : pool(poolSize), randomState(seed)
{
}

float SoundMixer::nextUniform()
{
    // PCG32 (XSH RR): the mixer's own sequence, so that sounds never consume
    // values of the game's rand().
    const std::uint64_t old = randomState;
    randomState = old * 6364136223846793005ull + 1442695040888963407ull;
    const auto xorShifted = static_cast<std::uint32_t>(((old >> 18u) ^ old) >> 27u);
    const auto rotation = static_cast<std::uint32_t>(old >> 59u);
    const std::uint32_t value = (xorShifted >> rotation) | (xorShifted << ((32u - rotation) & 31u));
    return static_cast<float>(value >> 8) / 16777216.0f;
}

void SoundMixer::startVoice(int index, Sound sound, glm::vec3 position, float startPoint)
{
    const float variation = describe(sound).pitchVariation;
    Voice& voice = pool[index];
    voice.sound = sound;
    voice.playing = true;
    voice.paused = false;
    voice.position = position;
    voice.variation = 1.0f + (2.0f * nextUniform() - 1.0f) * variation;
    voice.pitch = voice.variation * timeScale;
    voice.startPoint = startPoint;
    voice.start = ++startCount;
    voice.startFrame = frameCount;
}

void SoundMixer::update(const AudioFrame& frame)
{
    ++frameCount;
    timeScale = std::max(frame.timeScale, lowestPitch);
    const bool pauseBegins = frame.paused && !paused;
    const bool pauseEnds = !frame.paused && paused;
    paused = frame.paused;

    // The wind is the backdrop, even under a pause; it starts at a different
    // point of its loop each time so that levels do not all begin alike.
    if (!pool[windVoice].playing)
        startVoice(windVoice, Sound::Wind, glm::vec3(0.0f), nextUniform());

    updateEngines(frame);

    Voice& drone = pool[droneVoice];
    if (frame.drone) {
        if (!drone.playing)
            startVoice(droneVoice, Sound::DroneWhine, *frame.drone, nextUniform());
        drone.position = *frame.drone;
    } else {
        drone.playing = false;
    }
    for (int i = firstEngineVoice; i <= droneVoice; ++i)
        pool[i].paused = paused;

    // One-shots that were sounding when the pause began hold until it ends.
    if (pauseBegins || pauseEnds)
        for (int i = firstOneShotVoice; i < poolSize; ++i)
            pool[i].paused = paused && pool[i].playing;

    for (const GameEvent& event : frame.events)
        startEvent(event);

    for (int i = 0; i < poolSize; ++i)
        if (i != stingVoice)
            pool[i].pitch = pool[i].variation * timeScale;
}

void SoundMixer::updateEngines(const AudioFrame& frame)
{
    // The nearest few crawlers, nearest first.
    constexpr int none = -1;
    std::array<int, engineVoiceCount> nearest;
    std::array<float, engineVoiceCount> nearestDistance;
    nearest.fill(none);
    nearestDistance.fill(std::numeric_limits<float>::max());
    for (int c = 0; c < static_cast<int>(frame.crawlers.size()); ++c) {
        float distance = squaredDistance(frame.crawlers[c], frame.listener.position);
        int candidate = c;
        for (int slot = 0; slot < engineVoiceCount && candidate != none; ++slot) {
            if (distance < nearestDistance[slot]) {
                std::swap(distance, nearestDistance[slot]);
                std::swap(candidate, nearest[slot]);
            }
        }
    }

    // Each loop stays with the crawler it was on: crawlers move little between
    // frames, so the closest pairs of (playing voice, chosen crawler) are the
    // same vehicles. Restarting a loop on every change of order would be heard.
    std::array<int, engineVoiceCount> crawlerOfVoice;
    std::array<bool, engineVoiceCount> crawlerTaken{};
    crawlerOfVoice.fill(none);
    for (int round = 0; round < engineVoiceCount; ++round) {
        int bestVoice = none;
        int bestSlot = none;
        float best = std::numeric_limits<float>::max();
        for (int v = 0; v < engineVoiceCount; ++v) {
            const Voice& voice = pool[firstEngineVoice + v];
            if (!voice.playing || crawlerOfVoice[v] != none)
                continue;
            for (int slot = 0; slot < engineVoiceCount; ++slot) {
                if (nearest[slot] == none || crawlerTaken[slot])
                    continue;
                const float distance = squaredDistance(voice.position, frame.crawlers[nearest[slot]]);
                if (distance < best) {
                    best = distance;
                    bestVoice = v;
                    bestSlot = slot;
                }
            }
        }
        if (bestVoice == none)
            break;
        crawlerOfVoice[bestVoice] = nearest[bestSlot];
        crawlerTaken[bestSlot] = true;
    }
    // Crawlers without a loop yet take the free voices.
    for (int slot = 0; slot < engineVoiceCount; ++slot) {
        if (nearest[slot] == none || crawlerTaken[slot])
            continue;
        for (int v = 0; v < engineVoiceCount; ++v) {
            if (crawlerOfVoice[v] == none && !pool[firstEngineVoice + v].playing) {
                crawlerOfVoice[v] = nearest[slot];
                startVoice(firstEngineVoice + v, Sound::CrawlerEngine, frame.crawlers[nearest[slot]], nextUniform());
                break;
            }
        }
    }
    for (int v = 0; v < engineVoiceCount; ++v) {
        Voice& voice = pool[firstEngineVoice + v];
        if (crawlerOfVoice[v] == none)
            voice.playing = false; // destroyed, or no longer among the nearest
        else
            voice.position = frame.crawlers[crawlerOfVoice[v]];
    }
}

void SoundMixer::startEvent(const GameEvent& event)
{
    const Sound sound = soundForEvent(event.kind);
    const int voice = chooseOneShotVoice(sound, describe(sound).priority);
    if (voice >= 0)
        startVoice(voice, sound, event.position, 0.0f);
}

int SoundMixer::chooseOneShotVoice(Sound sound, int priority) const
{
    // A voice started in this same frame is never taken back, so a burst of
    // events costs at most one start per voice and the first of them are heard.
    auto takeable = [&](const Voice& voice) { return voice.startFrame != frameCount; };

    int instances = 0;
    int oldestInstance = -1;
    for (int i = firstOneShotVoice; i < poolSize; ++i) {
        const Voice& voice = pool[i];
        if (!voice.playing || voice.sound != sound)
            continue;
        ++instances;
        if (takeable(voice) && (oldestInstance < 0 || voice.start < pool[oldestInstance].start))
            oldestInstance = i;
    }
    // Enough copies of this sound: the new one replaces the oldest of them.
    if (instances >= describe(sound).maxInstances)
        return oldestInstance;

    for (int i = firstOneShotVoice; i < poolSize; ++i)
        if (!pool[i].playing)
            return i;

    // A full pool gives way to the more important sound, taking the least
    // important and, among equals, the oldest.
    int chosen = -1;
    for (int i = firstOneShotVoice; i < poolSize; ++i) {
        const Voice& voice = pool[i];
        const int voicePriority = describe(voice.sound).priority;
        if (!takeable(voice) || voicePriority > priority)
            continue;
        if (chosen < 0) {
            chosen = i;
            continue;
        }
        const int chosenPriority = describe(pool[chosen].sound).priority;
        if (voicePriority < chosenPriority || (voicePriority == chosenPriority && voice.start < pool[chosen].start))
            chosen = i;
    }
    return chosen;
}

void SoundMixer::playEndSting(bool won)
{
    for (Voice& voice : pool)
        voice.playing = false;
    startVoice(stingVoice, won ? Sound::WonSting : Sound::LostSting, glm::vec3(0.0f), 0.0f);
    pool[stingVoice].pitch = 1.0f;
}

void SoundMixer::voiceFinished(int voice)
{
    if (voice >= 0 && voice < poolSize)
        pool[voice].playing = false;
}
