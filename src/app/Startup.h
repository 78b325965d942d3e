#pragma once
// One-time start-up: GLFW, the settings, the window with its OpenGL 3.3 core
// context, GLEW, the global GL state and the render targets that live for the
// whole process.

// Throws std::runtime_error with the player-facing message on failure.
void initializeGame();

// The render targets and full-screen programs that live for the whole process
// (the last step of start-up).
void createRenderTargets();

// The process entry point's body: start-up and play, failures reported as
// "ERROR: " + message on standard error with status 1.
int runGame();
