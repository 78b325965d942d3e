#pragma once
// Things that happened in the world during one frame that something outside the
// simulation reacts to: the gameplay appends them, the game hands them on once
// per frame (the audio turns them into sounds) and clears the list.
#include <glm/vec3.hpp>

enum class GameEventKind {
    PlayerShot, // a shot left the player's weapon at `position`
    EnemyShot,  // a crawler fired from `position`
    Kill,       // a crawler was destroyed at `position`
    GroundHit,  // a player shot met the ground at `position`
};

struct GameEvent {
    GameEventKind kind;
    glm::vec3 position{0.0f};
};
