#pragma once
// The game's sounds: one entry per generated file, with how it is played. The
// table is the one place that says how loud, how far-reaching and how important
// each sound is; the mixer and the OpenAL output both read it.
#include "game/GameEvent.h"

enum class Sound {
    PlayerShot,    // the player's weapon: a short, punchy report
    EnemyShot,     // a crawler's cannon
    Explosion,     // a kill: low boom and debris tail
    GroundHit,     // a player shot meeting the ground: dull thud with sand
    CrawlerEngine, // engine and track rumble, looping
    DroneWhine,    // the patrolling drone, looping
    Wind,          // the ambience under everything, looping
    WonSting,      // the winning screen
    LostSting,     // the losing screen
};

inline constexpr int soundCount = 9;

struct SoundDescription {
    const char* fileName;     // inside the sounds folder
    bool looping;
    bool positional;          // placed in the world; otherwise heard at the listener
    float gain;               // 0..1 before the master volume
    float referenceDistance;  // world units within which the sound is at full gain
    float pitchVariation;     // each start picks a pitch factor in [1 - v, 1 + v]
    int priority;             // a busy pool gives a voice to the more important sound
    int maxInstances;         // at most this many copies sound at once
};

const SoundDescription& describe(Sound sound);

// The sound a world event makes.
Sound soundForEvent(GameEventKind kind);
