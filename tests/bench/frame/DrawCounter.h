#pragma once
// Every draw call the process makes, counted where OpenGL receives it, so that
// a measurement sees what the real renderer sends and not what we think it
// sends. The executable that links DrawCounter.cpp defines glDrawArrays and
// glDrawElements itself: its definitions take the place of libGL's for the
// whole program (they pass every call on to libGL's). The instanced draws come
// through GLEW's function pointers, wrapped by countInstancedDraws().

struct DrawTally {
    long long draws = 0;
    long long triangles = 0; // of GL_TRIANGLES, GL_TRIANGLE_STRIP and GL_TRIANGLE_FAN draws, instances included
};

// The totals since the process started.
DrawTally drawTally();

// After GLEW has loaded the context's functions (glewInit resets them): counts
// glDrawArraysInstanced and glDrawElementsInstanced as well.
void countInstancedDraws();

// Triangles that a draw of `count` vertices in `mode` makes.
long long trianglesOf(unsigned mode, long long count);
