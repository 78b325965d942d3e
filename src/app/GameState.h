#pragma once
// Process-wide state of the level being played. Values marked "per level" are
// reset by loadLevel() before every play; the others carry over between levels.

extern int currentLevel;          // level number, 1 at start, +1 after every won level
extern int timeLimit;             // seconds allowed for the level (set by level construction)
extern int neededKills;           // kills that win the level (set by level construction)
extern float speedLevel;          // travel speed along the player's route, units per second
extern int killCount;             // per level: crawlers destroyed
extern int usedAmmo;              // per level: frames in which the player asked for a shot
extern double levelSeconds;       // per level: level clock in whole seconds
extern double displayFps;         // frame rate shown to the player, refreshed about once a second
extern double fpsRefreshTime;     // clock time of the last displayFps refresh
extern double levelStartTime;     // clock time at which the level's frame loop started
extern float timeScale;           // factor on the frame time handed to the gameplay (slow motion)
extern bool levelCompleting;      // per level: last needed kill made, slow-motion finish runs
extern float completingTimer;     // per level: scaled seconds spent finishing
extern bool levelWon;             // per level: set by the gameplay when the finish is over
extern bool timeUp;               // per level: set by the loop when the time limit passed
extern bool paused;               // per level: gameplay pause
extern bool mouseCaptured;        // per level: mouse-look mode (the crosshair is drawn)
extern int renderedObjectCount;   // objects drawn in the current frame
extern double scrollOffset;       // mouse-wheel offset not yet consumed by the free camera

// The per-level reset of loadLevel().
void resetLevelState();

// Puts every value back to its process-start value (used by tests).
void resetGameState();
