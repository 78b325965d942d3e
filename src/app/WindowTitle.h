#pragma once
// Text the frame loop computes every frame: the window title and the frame-rate figure.
#include <string>

// The title the window is created with (note the trailing blank).
inline constexpr const char* windowTitleBase = "Sandlark V1.1 ";

// "Sandlark V1.1 " followed by the frame rate in fixed notation with six decimals.
std::string windowTitle(double fps);

// Frame rate of a frame that took `dt` seconds. Two equal clock readings give a
// dt of zero; such a frame reports 0 instead of an infinite rate, so nothing
// downstream (title, displayFps, motion-blur scale) ever sees infinity or NaN.
double framesPerSecond(double dt);
