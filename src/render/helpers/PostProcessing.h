#pragma once
// The full-screen composite that turns the colour image and the per-pixel
// velocities into the motion-blurred picture on the window, and the
// post-processing targets and classes built beside it at start-up. All of it
// lives for the whole process.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"
#include "render/RenderScale.h"
#include "render/helpers/FullscreenQuad.h"

#include <memory>

class Framebuffer;

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

// A screen-sized colour and depth target with its own full-screen quad, for
// effects that post-process a finished image.
struct PostProcessFramebuffer {
    GlObject framebuffer;
    GlObject colorTexture;  // GL_RGB
    GlObject depthTexture;  // GL_DEPTH_COMPONENT32
    GlObject depthBuffer;   // attached first, then replaced by depthTexture
    FullscreenQuad quad;    // for quadProgram
    std::unique_ptr<ShaderProgram> quadProgram; // fullscreenQuad pair
    int width = 0;
    int height = 0;

    // Builds the target at `width` x `height`, between the lines
    // "Initialize framebuffer..." and "Framebuffer successfully initialized!"
    // ("Error initializing framebuffer!" when it is incomplete).
    void initialize(int width, int height);
};

struct PostProcessing {
    PostProcessFramebuffer targets[2];
    Helpers::MotionBlurPostProcessor motionBlurPostProcessor;
    std::unique_ptr<ShaderProgram> compositeProgram; // fullscreenQuad pair; "uVelocityScale" set every frame
    FullscreenQuad compositeQuad;

    // compositeProgram and compositeQuad.
    void createComposite();

    // Sets how strongly the composite smears each pixel along its velocity.
    void setVelocityScale(float scale) const;

    // Draws the colour image of `color`, blurred along the velocities of
    // `velocity`, over the whole window. The scene fills the lower-left
    // `scene` pixels of both images; the window is as large as the targets.
    // A scene as large as the window is blurred straight onto it. A smaller
    // one is blurred at its own size into the first post-processing target,
    // which is then stretched over the window with filtered reads: the blur
    // costs as many pixels as the scene has.
    void drawComposite(const Framebuffer& color, const Framebuffer& velocity, SceneSize scene) const;
};
