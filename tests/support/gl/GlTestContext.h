#pragma once
// A real OpenGL 3.3 core context for GL tests: one small window per test
// process, created on first use, with GLEW loaded.
struct GLFWwindow;

// Makes sure the context exists and is current; returns its window.
GLFWwindow* requireGlContext(int width = 320, int height = 240);

// Reads one RGB pixel of the current read framebuffer (origin bottom left).
struct Rgb {
    int r, g, b;
};
Rgb readPixel(int x, int y);
