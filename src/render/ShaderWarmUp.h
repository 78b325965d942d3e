#pragma once
// Mesa's software renderer compiles a shader variant for every program, target
// and texture combination the first time it draws with it, which costs hundreds
// of milliseconds. Drawing one off-screen frame of every mesh while the loading
// screen is up moves that cost out of the first frames of play.
#include "render/FramePasses.h"

#include <functional>

// Draws one frame through every pass, modelled on `frame` (its assets, targets,
// camera and lights) but showing one of each of the catalogue's meshes as
// scenery, as a shot of each weapon and as a particle of each effect, with
// culling off so that every draw happens. The window's back buffer is drawn
// into but not shown; `frame`'s world is not touched, and its listener hears
// the passes.
void drawWarmUpFrame(const FrameView& frame, const std::function<void()>& drawOverlay);
