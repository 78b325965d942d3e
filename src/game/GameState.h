#pragma once
// The state of the game being played, apart from the world itself. What one
// play of a level starts afresh lives in LevelProgress, which loadLevel()
// replaces with a new value; the rest carries over from level to level.
#include "game/Gamepad.h"

// Reset before every play of a level.
struct LevelProgress {
    float timeScale = 1.0f;       // factor on the frame time handed to the gameplay (slow motion)
    bool paused = false;          // gameplay pause (key P)
    bool mouseCaptured = true;    // mouse-look mode; the crosshair is drawn
    bool levelCompleting = false; // the last needed kill is made, the slow-motion finish runs
    bool levelWon = false;        // set by the gameplay when the finish is over
    float completingTimer = 0.0f; // scaled seconds spent finishing
    int killCount = 0;            // crawlers destroyed
    int usedAmmo = 0;             // frames in which the player asked for a shot
    bool timeUp = false;          // set by the loop when the time limit passed
    double levelSeconds = 0.0;    // level clock in whole seconds
    bool windowFocused = true;    // the window had the focus in the last frame
    bool pausedByFocus = false;   // the pause is the focus loss's, not the player's
    PadLatches padLatches;        // the pad's triggers and Start as earlier frames left them
    bool newBestTime = false;     // the win beat the level's kept best time
    bool newLeastAmmo = false;    // the win beat the level's kept least ammo
};

struct GameState : LevelProgress {
    int currentLevel = 1;         // +1 after every won level
    double displayFps = 0.0;      // frame rate shown to the player, refreshed about once a second
    double fpsRefreshTime = 0.0;  // clock time of the last displayFps refresh
    double levelStartTime = 0.0;  // clock time at which the level's frame loop started
    int renderedObjectCount = 0;  // objects drawn in the current frame
    bool pauseKeyLatch = false;   // P seen down and not yet up
    bool cameraKeyLatch = false;  // Q seen down and not yet up

    // The per-level reset: everything in LevelProgress back to its start value.
    void startLevel() { static_cast<LevelProgress&>(*this) = LevelProgress{}; }
};
