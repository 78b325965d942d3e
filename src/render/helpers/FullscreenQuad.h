#pragma once
// Two triangles covering clip space: the one piece of geometry behind every
// full-window draw (the screens between levels, the post-processing targets and
// the motion-blur composite).
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"

class FullscreenQuad {
public:
    // An empty quad: owns nothing, draws nothing, needs no context.
    FullscreenQuad() = default;

    // The quad for `program`, whose vertex input `attribute` takes the corner
    // (x, y, 0); a vec2 input reads x and y. The input is looked up by name; a
    // program without it gets a vertex array that feeds it nothing.
    FullscreenQuad(const ShaderProgram& program, const char* attribute);

    // Draws the six corners with whatever program, textures and targets are current.
    void draw() const;

    GLuint vertexArray() const { return vertexArray_; }

private:
    GlObject vertexBuffer_; // six corners of three floats, 72 bytes
    GlObject indexBuffer_;  // indices 0 to 5, 24 bytes
    GlObject vertexArray_;
};
