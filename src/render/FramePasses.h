#pragma once
// One frame of play: shadow, sky, overlay, velocity, colour and composite
// passes. The caller presents the frame.
void renderFrame();
