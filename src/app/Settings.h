#pragma once
// The nine user settings, read once from configuration.txt at start-up.
// Each is a process-wide value named exactly like its key in the file.
#include <iosfwd>

extern bool fullscreen;          // full-screen window on the primary monitor
extern int screenwidth;          // window and render-target width in pixels
extern int screenheight;         // window and render-target height in pixels
extern int refreshrate;          // refresh-rate hint, only used full-screen
extern bool debugmode;           // free debug camera and controls; also switched by keys 7 and 8
extern float fMotionblurFactor;  // last factor of the per-frame motion-blur strength
extern int fParticleDensity;     // burst size of the particle emitters (an int despite the name)
extern bool airmode;             // airborne variant of the level
extern bool randomchallenge;     // random routes and crawlers instead of the level files

// Reads configuration.txt from the working directory. A missing file leaves every
// default in force and prints nothing.
void loadConfiguration();

// Applies the lines of a configuration stream to the settings, with formatted
// stream extraction rules: unreadable values leave the setting unchanged, the last
// readable duplicate wins, unknown lines are ignored.
void parseConfiguration(std::istream& in);

// Puts every setting back to its built-in default (used by tests).
void resetSettings();
