#pragma once
// The OpenGL context as the whole game relies on it: its functions loaded, its
// identity printed, and the state every pass assumes.
#include <vector>

// Loads the OpenGL entry points of the current context. Throws
// std::runtime_error("glewInit failed") when they cannot be loaded.
void loadGlFunctions();

// The four identity lines: version, GLSL version, vendor, renderer.
void printContextIdentity();

// Whether the context offers OpenGL 3.3.
bool hasOpenGl33();

// Whether the context can draw a `width` x `height` frame: a viewport, render
// targets and textures of that size.
bool canDrawAtSize(int width, int height);

// Depth test with GL_LESS, alpha blending on or off, its function set.
void setGlobalRenderState(bool blending);

// Switches alpha blending on or off at once.
void setBlending(bool blending);

// The frame drawn into the window's back buffer and not yet shown, `width` x
// `height` pixels: blue, green and red bytes, bottom row first, rows padded
// to a multiple of 4 bytes.
std::vector<unsigned char> readWindowFrame(int width, int height);
