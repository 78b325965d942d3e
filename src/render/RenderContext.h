#pragma once
// The OpenGL context as the whole game relies on it: its functions loaded, its
// identity printed, and the state every pass assumes.

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
