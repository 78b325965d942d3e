#pragma once
// Everything the sound needs to know about one frame of the game, handed over
// in plain game terms: no OpenAL type reaches the game logic.
#include "game/GameEvent.h"

#include <glm/vec3.hpp>

#include <optional>
#include <span>

// Where the player hears from: the current camera's eye and orientation.
struct AudioListener {
    glm::vec3 position{0.0f};
    glm::vec3 forward{0.0f, 0.0f, -1.0f};
    glm::vec3 up{0.0f, 1.0f, 0.0f};
};

struct AudioFrame {
    AudioListener listener;
    std::span<const GameEvent> events;    // what happened this frame, in order
    std::span<const glm::vec3> crawlers;  // positions of the crawlers not destroyed
    std::optional<glm::vec3> drone;       // the patrolling drone, when there is one
    float timeScale = 1.0f;               // the game's slow-motion factor; every pitch follows it
    bool paused = false;                  // the world is frozen: its sounds hold
};
