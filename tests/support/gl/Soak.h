#pragma once
// Levels played back to back in one process through the real loop, window and
// context, with the scripted clock and input, on the play directory's level:
// won and lost alternately, each play with the render toggles, a burst of
// shots and a kill with its explosion; a lost play's kill is overtaken by the
// time limit. Each play is measured at its end screen and again once it has
// been cleaned up, so anything that piles up from level to level shows as a
// rising figure.
#include "support/gl/GlObjectCount.h"

#include <string>
#include <vector>

struct SoakPlay {
    int level = 0;                  // the level played
    bool won = false;               // the end screen shown was the winning one
    int kills = 0;
    int shotFrames = 0;             // frames in which the player fired
    int mostParticles = 0;          // debris, fire and dust alive at once, at most
    int togglesChanged = 0;         // render toggles that differ from the play's start
    double residentMegabytes = 0.0; // at the end screen
    GlObjectCounts liveObjects;     // at the end screen
    // On the loading screen that follows the play's clean-up, before the next
    // level loads: what the level left behind.
    double residentAfterCleanUp = 0.0;
    GlObjectCounts objectsAfterCleanUp;
};

struct SoakRun {
    std::vector<SoakPlay> plays;
    bool gaveUp = false;    // the script ran out of polls: the loop never reached the end
    std::string output;     // what the game printed
};

// The soak's configuration.txt: a small window, and no sound (there is no
// audio device in CI, and the sound would only add its own allocations).
inline const char* const soakConfiguration = "screenwidth 320\nscreenheight 180\nsoundvolume 0\n";

// Starts the game in a fresh play directory (once per process: the window and
// context stay for the rest of it), plays `plays` levels and closes the window
// at the next waiting screen. `onPlay` is called as each play's figures are
// taken, so a report can print them as they come; it runs while the game's
// standard output is captured, so it should print to standard error.
SoakRun runSoak(int plays, void (*onPlay)(const SoakPlay&) = nullptr);
