#include "render/helpers/PostProcessing.h"

void PostProcessing::createComposite()
{
    compositeProgram = createShaderProgram("Shaders\\fullscreenQuad.vert", "Shaders\\fullscreenQuad.frag");
    compositeQuad = FullscreenQuad(*compositeProgram, "vPosition");
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
