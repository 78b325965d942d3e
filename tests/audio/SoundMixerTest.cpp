// The mixer's choices, without a device: which sound an event makes, which
// voices the loops take, how pause and slow motion reach every voice, and how a
// burst of events is fitted into the fixed pool.
#include "audio/Sound.h"
#include "audio/SoundMixer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

constexpr int oneShotVoiceCount = SoundMixer::poolSize - SoundMixer::firstOneShotVoice;

AudioFrame frameWith(std::span<const GameEvent> events = {}, std::span<const glm::vec3> crawlers = {})
{
    AudioFrame frame;
    frame.events = events;
    frame.crawlers = crawlers;
    return frame;
}

// Every kind of world voice busy: the crawlers' engines, the drone and one event.
AudioFrame busyFrame(const GameEvent& event, std::span<const glm::vec3> crawlers)
{
    AudioFrame frame = frameWith(std::span(&event, 1), crawlers);
    frame.drone = glm::vec3(0, 100, 0);
    return frame;
}

std::vector<int> playingOneShots(const SoundMixer& mixer)
{
    std::vector<int> playing;
    for (int i = SoundMixer::firstOneShotVoice; i < SoundMixer::poolSize; ++i)
        if (mixer.voices()[i].playing)
            playing.push_back(i);
    return playing;
}

int playingCount(const SoundMixer& mixer, Sound sound)
{
    const auto& voices = mixer.voices();
    return static_cast<int>(std::count_if(voices.begin(), voices.end(), [&](const Voice& voice) {
        return voice.playing && voice.sound == sound;
    }));
}

TEST(SoundTable, EveryEventHasItsSoundAndOnlyTheBackdropIsHeardAtTheListener)
{
    EXPECT_EQ(soundForEvent(GameEventKind::PlayerShot), Sound::PlayerShot);
    EXPECT_EQ(soundForEvent(GameEventKind::EnemyShot), Sound::EnemyShot);
    EXPECT_EQ(soundForEvent(GameEventKind::Kill), Sound::Explosion);
    EXPECT_EQ(soundForEvent(GameEventKind::GroundHit), Sound::GroundHit);

    std::set<std::string> names;
    for (int i = 0; i < soundCount; ++i) {
        const auto sound = static_cast<Sound>(i);
        names.insert(describe(sound).fileName);
        const bool heardAtTheListener = sound == Sound::Wind || sound == Sound::WonSting || sound == Sound::LostSting;
        EXPECT_EQ(describe(sound).positional, !heardAtTheListener) << describe(sound).fileName;
    }
    EXPECT_EQ(names.size(), static_cast<size_t>(soundCount));
    // A kill outranks the shots, so a burst of shots cannot silence it.
    EXPECT_GT(describe(Sound::Explosion).priority, describe(Sound::PlayerShot).priority);
    EXPECT_GT(describe(Sound::Explosion).priority, describe(Sound::EnemyShot).priority);
}

TEST(SoundMixer, WindPlaysFromTheFirstFrameUnderEverythingAndThroughAPause)
{
    SoundMixer mixer;
    mixer.update(frameWith());
    const Voice& wind = mixer.voices()[SoundMixer::windVoice];
    ASSERT_TRUE(wind.playing);
    EXPECT_EQ(wind.sound, Sound::Wind);
    EXPECT_GE(wind.startPoint, 0.0f);
    EXPECT_LT(wind.startPoint, 1.0f);
    const auto start = wind.start;

    AudioFrame paused = frameWith();
    paused.paused = true;
    mixer.update(paused);
    EXPECT_TRUE(wind.playing);
    EXPECT_FALSE(wind.paused);
    EXPECT_EQ(wind.start, start) << "the loop must not restart";
}

TEST(SoundMixer, EngineLoopsRideTheNearestCrawlersAndStayWithThem)
{
    SoundMixer mixer;
    std::vector<glm::vec3> crawlers = {{300, 0, 0}, {0, 0, 40}, {-90, 0, 0}, {0, 0, -20}, {500, 0, 0}, {60, 0, 0}};
    AudioFrame frame = frameWith({}, crawlers);
    frame.listener.position = {0, 0, 0};
    mixer.update(frame);

    auto enginePositions = [&] {
        std::set<std::vector<float>> positions;
        for (int v = 0; v < SoundMixer::engineVoiceCount; ++v) {
            const Voice& voice = mixer.voices()[SoundMixer::firstEngineVoice + v];
            if (voice.playing) {
                EXPECT_EQ(voice.sound, Sound::CrawlerEngine);
                positions.insert({voice.position.x, voice.position.y, voice.position.z});
            }
        }
        return positions;
    };
    EXPECT_EQ(enginePositions(), (std::set<std::vector<float>>{{0, 0, -20}, {0, 0, 40}, {60, 0, 0}}));
    // Every loop starts at its own point, so engines do not drone in unison.
    std::set<float> startPoints;
    for (int v = 0; v < SoundMixer::engineVoiceCount; ++v)
        startPoints.insert(mixer.voices()[SoundMixer::firstEngineVoice + v].startPoint);
    EXPECT_EQ(startPoints.size(), static_cast<size_t>(SoundMixer::engineVoiceCount));

    // The crawlers drive on (and the two nearest swap places in the order): each
    // loop follows its own crawler without restarting.
    auto startOfVoiceAt = [&](glm::vec3 position) {
        for (int v = 0; v < SoundMixer::engineVoiceCount; ++v) {
            const Voice& voice = mixer.voices()[SoundMixer::firstEngineVoice + v];
            if (voice.playing && voice.position == position)
                return voice.start;
        }
        return 0u;
    };
    const auto startNear = startOfVoiceAt({0, 0, -20});
    const auto startMiddle = startOfVoiceAt({0, 0, 40});
    crawlers[3] = {0, 0, -45};
    crawlers[1] = {0, 0, 35};
    mixer.update(frame);
    EXPECT_EQ(startOfVoiceAt({0, 0, -45}), startNear);
    EXPECT_EQ(startOfVoiceAt({0, 0, 35}), startMiddle);

    // The nearest is destroyed and leaves the list: the next nearest takes a
    // loop, the others keep theirs.
    crawlers.erase(crawlers.begin() + 1);
    frame.crawlers = crawlers;
    mixer.update(frame);
    EXPECT_EQ(enginePositions(), (std::set<std::vector<float>>{{0, 0, -45}, {60, 0, 0}, {-90, 0, 0}}));
    EXPECT_EQ(startOfVoiceAt({0, 0, -45}), startNear);

    // Two crawlers left, then none: the spare loops fall silent.
    const std::vector<glm::vec3> two = {{10, 0, 0}, {20, 0, 0}};
    frame.crawlers = two;
    mixer.update(frame);
    EXPECT_EQ(enginePositions().size(), 2u);
    frame.crawlers = {};
    mixer.update(frame);
    EXPECT_TRUE(enginePositions().empty());
}

TEST(SoundMixer, DroneWhineFollowsTheDroneAndStopsWithoutOne)
{
    SoundMixer mixer;
    AudioFrame frame = frameWith();
    frame.drone = glm::vec3(600, 120, -600);
    mixer.update(frame);
    const Voice& drone = mixer.voices()[SoundMixer::droneVoice];
    ASSERT_TRUE(drone.playing);
    EXPECT_EQ(drone.sound, Sound::DroneWhine);
    const auto start = drone.start;
    frame.drone = glm::vec3(700, 122, -600);
    mixer.update(frame);
    EXPECT_EQ(drone.position, glm::vec3(700, 122, -600));
    EXPECT_EQ(drone.start, start);
    frame.drone.reset();
    mixer.update(frame);
    EXPECT_FALSE(drone.playing);
}

TEST(SoundMixer, EventsStartOneShotsWhereTheyHappenWithTheirOwnPitch)
{
    SoundMixer mixer;
    const std::vector<GameEvent> events = {
        {GameEventKind::PlayerShot, {1, 2, 3}},
        {GameEventKind::EnemyShot, {100, 0, 5}},
        {GameEventKind::Kill, {40, 0, -40}},
        {GameEventKind::GroundHit, {7, 0, 8}},
    };
    mixer.update(frameWith(events));
    std::vector<std::pair<Sound, glm::vec3>> started;
    for (int i : playingOneShots(mixer))
        started.emplace_back(mixer.voices()[i].sound, mixer.voices()[i].position);
    ASSERT_EQ(started.size(), events.size());
    for (const GameEvent& event : events) {
        const auto found = std::find(started.begin(), started.end(), std::make_pair(soundForEvent(event.kind), event.position));
        EXPECT_NE(found, started.end()) << static_cast<int>(event.kind);
    }

    // Shot after shot, the report varies a little in pitch, within its range.
    SoundMixer shots;
    std::set<float> pitches;
    const float variation = describe(Sound::PlayerShot).pitchVariation;
    const GameEvent shot{GameEventKind::PlayerShot, {0, 0, 0}};
    for (int i = 0; i < 40; ++i) {
        shots.update(frameWith(std::span(&shot, 1)));
        for (int v : playingOneShots(shots)) {
            const float pitch = shots.voices()[v].pitch;
            EXPECT_GE(pitch, 1.0f - variation);
            EXPECT_LE(pitch, 1.0f + variation);
            pitches.insert(pitch);
            shots.voiceFinished(v);
        }
    }
    EXPECT_GT(pitches.size(), 30u);
}

TEST(SoundMixer, EveryWorldPitchFollowsTheTimeScaleButNotTheSting)
{
    SoundMixer mixer;
    const std::vector<glm::vec3> crawlers = {{30, 0, 0}};
    const GameEvent kill{GameEventKind::Kill, {30, 0, 0}};
    AudioFrame frame = busyFrame(kill, crawlers);
    for (float timeScale : {1.0f, 0.3f, 0.05f, 1.0f}) {
        frame.timeScale = timeScale;
        mixer.update(frame);
        frame.events = {};
        int playing = 0;
        for (const Voice& voice : mixer.voices()) {
            if (!voice.playing)
                continue;
            ++playing;
            EXPECT_FLOAT_EQ(voice.pitch, voice.variation * timeScale);
        }
        EXPECT_EQ(playing, 4); // wind, one engine, the drone, the explosion
    }

    // The finish of a won level runs at 0.05; the sting is heard at its own pitch.
    frame.timeScale = 0.05f;
    mixer.update(frame);
    mixer.playEndSting(true);
    mixer.update(frame); // were the game to go on updating, the sting would keep its pitch
    const Voice& sting = mixer.voices()[SoundMixer::stingVoice];
    EXPECT_TRUE(sting.playing);
    EXPECT_EQ(sting.sound, Sound::WonSting);
    EXPECT_FLOAT_EQ(sting.pitch, 1.0f);
}

TEST(SoundMixer, PauseHoldsTheWorldSoundsAndResumesThem)
{
    SoundMixer mixer;
    const std::vector<glm::vec3> crawlers = {{30, 0, 0}};
    const GameEvent enemyShot{GameEventKind::EnemyShot, {30, 0, 0}};
    AudioFrame frame = busyFrame(enemyShot, crawlers);
    mixer.update(frame);
    const int shotVoice = playingOneShots(mixer).at(0);

    frame.events = {};
    frame.paused = true;
    mixer.update(frame);
    const auto& voices = mixer.voices();
    EXPECT_TRUE(voices[SoundMixer::firstEngineVoice].paused);
    EXPECT_TRUE(voices[SoundMixer::droneVoice].paused);
    EXPECT_TRUE(voices[shotVoice].paused);
    EXPECT_FALSE(voices[SoundMixer::windVoice].paused);

    // Shooting still works while paused, and is heard at once; it is not held
    // on the next paused frame either.
    const GameEvent playerShot{GameEventKind::PlayerShot, {0, 0, 0}};
    frame.events = std::span(&playerShot, 1);
    mixer.update(frame);
    frame.events = {};
    mixer.update(frame);
    int heldShots = 0, soundingShots = 0;
    for (int i : playingOneShots(mixer))
        (voices[i].paused ? heldShots : soundingShots) += 1;
    EXPECT_EQ(heldShots, 1);
    EXPECT_EQ(soundingShots, 1);

    frame.paused = false;
    mixer.update(frame);
    for (const Voice& voice : voices)
        EXPECT_FALSE(voice.playing && voice.paused);
    EXPECT_EQ(playingOneShots(mixer).size(), 2u);
}

TEST(SoundMixer, ABurstOf500EventsNeverTakesMoreThanThePool)
{
    SoundMixer mixer;
    const std::vector<glm::vec3> crawlers = {{30, 0, 0}, {-30, 0, 0}, {0, 0, 30}, {0, 0, -30}};
    std::vector<GameEvent> burst;
    for (int i = 0; i < 500; ++i)
        burst.push_back({static_cast<GameEventKind>(i % 4), {float(i), 0, 0}});
    burst.push_back({GameEventKind::Kill, {1, 2, 3}});
    AudioFrame frame = frameWith(burst, crawlers);
    frame.drone = glm::vec3(0, 100, 0);
    mixer.update(frame);

    const auto loopStarts = [&] {
        std::vector<unsigned> starts;
        for (int i = 0; i < SoundMixer::firstOneShotVoice; ++i)
            starts.push_back(mixer.voices()[i].start);
        return starts;
    };
    const auto loopsBefore = loopStarts();
    // No copy of a sound beyond its limit, and no voice started twice in the
    // frame: every start has a new number, so the highest number counts them
    // all. The first events of a burst are heard, the rest are dropped.
    unsigned starts = 0;
    for (const Voice& voice : mixer.voices())
        starts = std::max(starts, voice.start);
    for (int i : playingOneShots(mixer))
        EXPECT_LE(playingCount(mixer, mixer.voices()[i].sound), describe(mixer.voices()[i].sound).maxInstances);
    const unsigned loopsStarted = 1 + SoundMixer::engineVoiceCount + 1; // wind, engines, drone
    EXPECT_EQ(starts, loopsStarted + oneShotVoiceCount);
    EXPECT_EQ(static_cast<int>(playingOneShots(mixer).size()), oneShotVoiceCount);

    // The burst goes on over many frames; one-shots end now and then.
    int frames = 0;
    for (int i = 0; i < 500; i += 10, ++frames) {
        frame.events = std::span(burst).subspan(i, 10);
        mixer.update(frame);
        for (int sound : {0, 1, 2, 3})
            EXPECT_LE(playingCount(mixer, static_cast<Sound>(sound)), describe(static_cast<Sound>(sound)).maxInstances);
        if (frames % 3 == 0)
            mixer.voiceFinished(playingOneShots(mixer).front());
    }
    // The loops kept their voices throughout.
    EXPECT_EQ(loopStarts(), loopsBefore);
    // Once the burst is over, a kill is still heard.
    const GameEvent kill{GameEventKind::Kill, {5, 5, 5}};
    frame.events = std::span(&kill, 1);
    mixer.update(frame);
    bool killHeard = false;
    for (int i : playingOneShots(mixer))
        killHeard = killHeard || mixer.voices()[i].position == kill.position;
    EXPECT_TRUE(killHeard);
}

TEST(SoundMixer, AFullPoolGivesWayToTheMoreImportantSoundAndTheOldest)
{
    // Together the limits allow more copies than there are voices, so a busy
    // fight does fill the pool.
    int allowed = 0;
    for (Sound sound : {Sound::PlayerShot, Sound::EnemyShot, Sound::Explosion, Sound::GroundHit})
        allowed += describe(sound).maxInstances;
    ASSERT_GT(allowed, oneShotVoiceCount);

    SoundMixer mixer;
    const std::vector<GameEvent> volley = {{GameEventKind::PlayerShot, {}}, {GameEventKind::EnemyShot, {}}, {GameEventKind::GroundHit, {}}};
    while (playingCount(mixer, Sound::GroundHit) < describe(Sound::GroundHit).maxInstances)
        mixer.update(frameWith(volley));
    std::vector<GameEvent> kills(oneShotVoiceCount - static_cast<int>(playingOneShots(mixer).size()), GameEvent{GameEventKind::Kill, {}});
    ASSERT_LT(static_cast<int>(kills.size()), describe(Sound::Explosion).maxInstances);
    mixer.update(frameWith(kills));
    ASSERT_EQ(static_cast<int>(playingOneShots(mixer).size()), oneShotVoiceCount);

    auto oldest = [&](Sound sound) {
        unsigned start = ~0u;
        for (int i : playingOneShots(mixer))
            if (mixer.voices()[i].sound == sound)
                start = std::min(start, mixer.voices()[i].start);
        return start;
    };
    auto stillPlaying = [&](unsigned start) {
        for (int i : playingOneShots(mixer))
            if (mixer.voices()[i].start == start)
                return true;
        return false;
    };
    const auto countsOf = [&] {
        return std::vector<int>{playingCount(mixer, Sound::PlayerShot), playingCount(mixer, Sound::EnemyShot),
                                playingCount(mixer, Sound::Explosion), playingCount(mixer, Sound::GroundHit)};
    };

    // A kill takes the voice of the oldest of the least important sounds: a thud.
    auto before = countsOf();
    unsigned oldestThud = oldest(Sound::GroundHit);
    const GameEvent kill{GameEventKind::Kill, {}};
    mixer.update(frameWith(std::span(&kill, 1)));
    EXPECT_EQ(countsOf(), (std::vector<int>{before[0], before[1], before[2] + 1, before[3] - 1}));
    EXPECT_FALSE(stillPlaying(oldestThud));

    // A crawler's shot at its limit replaces the oldest crawler shot.
    before = countsOf();
    const unsigned oldestEnemyShot = oldest(Sound::EnemyShot);
    const GameEvent enemyShot{GameEventKind::EnemyShot, {}};
    mixer.update(frameWith(std::span(&enemyShot, 1)));
    EXPECT_EQ(countsOf(), before);
    EXPECT_FALSE(stillPlaying(oldestEnemyShot));

    // A thud below its limit finds nothing less important than itself but the
    // other thuds, and replaces the oldest of them; shots and kills sound on.
    oldestThud = oldest(Sound::GroundHit);
    const GameEvent thud{GameEventKind::GroundHit, {}};
    mixer.update(frameWith(std::span(&thud, 1)));
    EXPECT_EQ(countsOf(), before);
    EXPECT_FALSE(stillPlaying(oldestThud));
}

TEST(SoundMixer, TheEndStingSilencesTheWorld)
{
    SoundMixer mixer;
    const std::vector<glm::vec3> crawlers = {{30, 0, 0}, {40, 0, 0}};
    const GameEvent kill{GameEventKind::Kill, {30, 0, 0}};
    AudioFrame frame = busyFrame(kill, crawlers);
    mixer.update(frame);
    mixer.playEndSting(false);
    for (int i = 0; i < SoundMixer::poolSize; ++i)
        EXPECT_EQ(mixer.voices()[i].playing, i == SoundMixer::stingVoice) << i;
    EXPECT_EQ(mixer.voices()[SoundMixer::stingVoice].sound, Sound::LostSting);
    mixer.voiceFinished(SoundMixer::stingVoice);
    EXPECT_FALSE(mixer.voices()[SoundMixer::stingVoice].playing);

    // The next level's first frame brings the world back.
    frame.events = {};
    mixer.update(frame);
    EXPECT_TRUE(mixer.voices()[SoundMixer::windVoice].playing);
    EXPECT_EQ(playingCount(mixer, Sound::CrawlerEngine), 2);
}

} // namespace
