#pragma once
// The fixed ride the frame benchmark renders, on scripted time (so every run
// draws the same frames whatever they cost): the player camera rides its
// route at the level's speed and looks around, a full turn every twelve
// seconds with the view bobbing between level and looking down; the crawlers
// patrol and the drone circles; and every five seconds the player fires for a
// second and a crawler "dies" in front of the camera: the debris and fireball
// bursts of a kill, 402 particles at the default density, and its flash; every
// shot flashes at the muzzle, and driving crawlers raise dust. The gameplay
// itself is not run: this moves only what a frame shows.
#include "game/World.h"

struct ScriptedRide {
    static constexpr float frameSeconds = 1.0f / 30.0f;
    static constexpr int framesPerSecond = 30;
    int firstKillFrame = 90;
    int killInterval = 150;
    float killDistance = 60.0f; // ahead of the eye, on the ground

    // Whether the kill bursts go off in `frame`.
    bool killsAt(int frame) const;

    // Moves the world on to `frame` (counted from 0): the camera, the
    // crawlers and their dust, the drone, the shots, particles and flashes,
    // the headlight and muzzle light, and a kill's bursts when one is due.
    void step(World& world, int frame) const;

    // Where the kill bursts of the current view go.
    glm::vec3 killPoint(const World& world) const;
};
