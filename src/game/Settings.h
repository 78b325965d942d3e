#pragma once
// The user settings, read once from configuration.txt at start-up (see
// app/Configuration.h). Each field is named exactly like its key in the file and
// holds its default until the file says otherwise.

struct Settings {
    bool fullscreen = false;        // full-screen window on the primary monitor
    int screenwidth = 0;            // window and render-target width in pixels
    int screenheight = 0;           // window and render-target height in pixels
    int refreshrate = 0;            // refresh-rate hint, only used full-screen
    bool debugmode = false;         // free debug camera and controls; also switched by keys 7 and 8
    float fMotionblurFactor = 1.5f; // last factor of the per-frame motion-blur strength
    int fParticleDensity = 10;      // burst size of the particle emitters (an int despite the name)
    bool airmode = false;           // airborne variant of the level
    bool randomchallenge = false;   // random routes and crawlers instead of the level files
    int soundvolume = 80;           // 0 to 100; 0 switches the sound off and opens no device
    int renderscale = 0;            // 0: automatic; 50 to 100: the 3D image drawn at that percentage of the window
    bool vsync = true;              // wait for the display's refresh at each buffer swap
    int mousesensitivity = 100;     // 10 to 400 percent of 0.05 degrees per pixel; the pad's sticks follow it
    bool invertmouse = false;       // moving the mouse or a stick up turns the view down
    bool rawmouse = true;           // unaccelerated mouse motion during mouse look, where the system offers it
    int startlevel = 1;             // level to start at, at most the highest reached; 0: the highest reached
};
