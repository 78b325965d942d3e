#pragma once
// The off-screen targets of a frame, made once at start-up and kept for the
// whole process: the headlight's shadow map and the two screen-sized targets
// the velocity and colour passes draw into.
#include "render/Framebuffer.h"
#include "render/ShadowMap.h"

struct RenderTargets {
    ShadowMap shadowMap;
    Framebuffer velocityFramebuffer;
    Framebuffer colorFramebuffer;
    int width = 0;  // of the screen-sized targets: the window's
    int height = 0;
};
