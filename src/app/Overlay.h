#pragma once
// The in-game text drawn every frame over the finished picture (the kill
// counter, the clock, the crosshair, the debug overlay's statistics and
// notices, "PAUSED" and the help panel), and the function keys that switch the
// render toggles, the help and the screenshot.
#include "app/HudText.h"

// The help panel's colour; the panel lets 30% of the scene through.
inline constexpr glm::vec3 helpPanelColor{0.05f, 0.04f, 0.03f};

// Draws this frame's lines into the bound framebuffer (the window, after the
// composite), at the window's size.
void drawOverlay();

// Reads F2, F3, F4, F5, F8 and F9 once a frame. A key acts when it is found up
// again after having been found down, once per press; its notice shows for two
// seconds.
void handleRenderToggleKeys();

// F1 shows or hides the help panel, F12 asks for a screenshot of the frame
// being drawn; each once per press, on its release, like the toggles.
void handleHelpAndScreenshotKeys();
