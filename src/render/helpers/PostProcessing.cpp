#include "render/helpers/PostProcessing.h"

void PostProcessing::createComposite()
{
    compositeProgram = createShaderProgram("Shaders\\fullscreenQuad.vert", "Shaders\\fullscreenQuad.frag");
    compositeQuad = FullscreenQuad(*compositeProgram, "vPosition");
}

void PostProcessing::setVelocityScale(float scale) const
{
    // Looked up by name on every call: the value changes every frame anyway.
    glUseProgram(compositeProgram->program);
    glUniform1f(glGetUniformLocation(compositeProgram->program, "uVelocityScale"), scale);
    glUseProgram(0);
}

namespace Helpers {

void MotionBlurPostProcessor::initialize()
{
    program = createShaderProgram("Shaders\\motionblur.vert", "Shaders\\motionblur.frag");
}

void MotionBlurPostProcessor::apply()
{
    // The blur the player sees is the composite's, driven by the velocity
    // image; this separate pass is kept for experiments and draws nothing.
}

} // namespace Helpers
