#pragma once
// F12: the window's finished frame saved as a PNG file in screenshots/ under
// the working directory, named by the date and time.
#include <string>

// The folder, as the game writes paths.
inline const char* const screenshotFolder = "screenshots";

// Saves the `width` x `height` frame in the window's back buffer as
// sandlark-YYYY-MM-DD-HH-MM-SS.png (local time; -2, -3... when two come in the
// same second) and prints one line naming the file, or saying why it could not be written. Returns the
// words of the notice: "Saved as " and the file's name, or "Screenshot failed".
std::string saveScreenshot(int width, int height);

// In the frame loop, once the frame is drawn and before it is shown: saves it
// when F12 asked for it, and starts the notice.
void takeScreenshotIfAsked();
