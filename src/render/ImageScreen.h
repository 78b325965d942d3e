#pragma once
// A still image drawn over the whole window: the GL half of the screens shown
// between levels (which screen, and its text lines, are the level flow's).
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"
#include "render/helpers/FullscreenQuad.h"

// One shown screen: its image on a full-window quad.
struct ImageScreen {
    const char* imagePath = nullptr; // the caller's string literal
    ShaderProgram* shader = nullptr; // the screen program, owned beside the screen
    FullscreenQuad quad;             // "positionNDC" takes the corners
    GlObject texture;                // the decoded image
};

// The two construction steps of a screen whose imagePath and shader are set.
void createScreenQuad(ImageScreen& screen);
void loadScreenImage(ImageScreen& screen);

// Binds the window's own framebuffer over its whole `width` x `height` and
// clears its colour and depth.
void clearWindow(int width, int height);

// Draws the image over the whole window. The quad lies behind any text drawn
// before it, so where text was drawn the image fails the depth test and the
// text stays in front.
void drawScreenImage(const ImageScreen& screen);
