#pragma once
// The in-game text drawn every frame over the finished picture (the kill
// counter, the clock, the crosshair, and the debug overlay's statistics and
// notices), and the function keys that switch the render toggles.
#include "app/HudText.h"

// Draws this frame's lines into the bound framebuffer (the window, after the
// composite), at the window's size.
void drawOverlay();

// Reads F2, F3, F4, F5, F8 and F9 once a frame. A key acts when it is found up
// again after having been found down, once per press; its notice shows for two
// seconds.
void handleRenderToggleKeys();
