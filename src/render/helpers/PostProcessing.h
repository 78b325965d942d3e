#pragma once
// The full-screen composite that turns the colour image and the per-pixel
// velocities into the motion-blurred picture on the window, and the
// post-processing classes built beside it at start-up.
#include "assets/ShaderProgram.h"

#include <GL/glew.h>

#include <memory>

extern std::unique_ptr<ShaderProgram> compositeProgram; // fullscreenQuad pair; "uVelocityScale" set every frame
extern GLuint compositeQuad;                            // vertex array of the composite's quad

// Builds the two-triangle quad covering clip space for `program` ("vPosition")
// and returns its vertex array. The buffers are released by releaseFullscreenQuads().
GLuint createFullscreenQuad(const ShaderProgram& program);

// compositeProgram and compositeQuad.
void createComposite();

namespace Helpers {

class PostProcessor {
public:
    virtual ~PostProcessor() = default;
    virtual void apply() {}
};

class MotionBlurPostProcessor : public PostProcessor {
public:
    std::unique_ptr<ShaderProgram> program; // motionblur pair

    void initialize();
    void apply() override;
};

} // namespace Helpers

extern Helpers::MotionBlurPostProcessor motionBlurPostProcessor;

// Deletes every GL object made here; called on the way out while the context
// still exists.
void releasePostProcessing();
