#include "audio/Sound.h"

#include <array>

namespace {

// World units are about a metre (a crawler is 7 long). Crawlers fire from 100 to
// 200 units away and the drone circles far off, so their reference distances are
// large enough to stay audible there; inverse-distance roll-off halves the gain
// at twice the reference distance. Priority and instance limits only matter to
// the one-shots: loops and stings have voices of their own.
constexpr std::array<SoundDescription, soundCount> descriptions{{
    // fileName             looping positional gain  refDist variation priority max
    {"playerShot.wav",     false,  true,      0.80f, 10.0f,  0.06f,    2,       8},
    {"enemyShot.wav",      false,  true,      0.80f, 40.0f,  0.08f,    1,       8},
    {"explosion.wav",      false,  true,      1.00f, 60.0f,  0.05f,    3,       4},
    {"groundHit.wav",      false,  true,      0.60f, 20.0f,  0.10f,    0,       8},
    {"crawlerEngine.wav",  true,   true,      0.55f, 15.0f,  0.05f,    0,       0},
    {"droneWhine.wav",     true,   true,      0.45f, 40.0f,  0.00f,    0,       0},
    {"wind.wav",           true,   false,     0.22f, 1.0f,   0.00f,    0,       0},
    {"wonSting.wav",       false,  false,     0.80f, 1.0f,   0.00f,    4,       1},
    {"lostSting.wav",      false,  false,     0.80f, 1.0f,   0.00f,    4,       1},
}};

} // namespace

const SoundDescription& describe(Sound sound)
{
    return descriptions[static_cast<int>(sound)];
}

Sound soundForEvent(GameEventKind kind)
{
    switch (kind) {
    case GameEventKind::PlayerShot:
        return Sound::PlayerShot;
    case GameEventKind::EnemyShot:
        return Sound::EnemyShot;
    case GameEventKind::Kill:
        return Sound::Explosion;
    case GameEventKind::GroundHit:
        return Sound::GroundHit;
    }
    return Sound::GroundHit;
}
