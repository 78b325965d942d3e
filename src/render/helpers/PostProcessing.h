#pragma once
// The full-screen composite that turns the colour image and the per-pixel
// velocities into the motion-blurred picture on the window, and the
// post-processing classes built beside it at start-up. All of it lives for the
// whole process.
#include "assets/ShaderProgram.h"
#include "render/helpers/FullscreenQuad.h"

#include <memory>

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

struct PostProcessing {
    Helpers::MotionBlurPostProcessor motionBlurPostProcessor;
    std::unique_ptr<ShaderProgram> compositeProgram; // fullscreenQuad pair; "uVelocityScale" set every frame
    FullscreenQuad compositeQuad;

    // compositeProgram and compositeQuad.
    void createComposite();

    // Sets how strongly the composite smears each pixel along its velocity.
    void setVelocityScale(float scale) const;
};
