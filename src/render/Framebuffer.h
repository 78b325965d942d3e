#pragma once
// The screen-sized off-screen targets every frame is drawn into before the
// composite: each holds a colour texture, a velocity texture and a depth
// buffer. The colour pass, the sky and the overlay draw into the colour image
// of one; the velocity pass into the velocity image of the other.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"

// Which attachment a pass draws into or a shader samples.
enum class RenderTarget {
    Color,    // GL_COLOR_ATTACHMENT0, sampled as "colorTexture" on unit 0
    Velocity, // GL_COLOR_ATTACHMENT1, sampled as "velocityTexture" on unit 1
};

class Framebuffer {
public:
    GlObject framebuffer;
    GlObject depthBuffer;     // GL_DEPTH_COMPONENT renderbuffer
    GlObject colorTexture;    // GL_RGB
    GlObject velocityTexture; // GL_RG16F

    // Builds the target at `width` x `height`. Prints "testing" when it is
    // complete, "FB error, status: 0x..." (and returns false) when not.
    bool create(int width, int height);

    // Binds the framebuffer with `target` as its only draw buffer.
    void bind(RenderTarget target) const;

    // With `program` in use: puts the texture of `target` on `unit` and points
    // the program's sampler of that name at it.
    void bindTexture(GLenum unit, RenderTarget target, const ShaderProgram& program) const;
};

// A texture to render into: `width` x `height` of `internalFormat` with no
// data, clamped at its edges, filtered with `filter` both ways. It is left bound.
GlObject createTargetTexture(GLint internalFormat, GLenum format, GLenum type, int width, int height, GLint filter);

// The status check every render target ends with: "testing" and framebuffer 0
// bound when complete; otherwise "FB error, status: 0x%x" with the framebuffer
// left bound. Returns whether it is complete.
bool checkFramebufferStatus();

// Binds the window's own framebuffer again.
void bindWindowFramebuffer();
