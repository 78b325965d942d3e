#pragma once
// One frame of play: shadow, sky, overlay, velocity, colour and composite
// passes, then the buffer swap.
void renderFrame();
