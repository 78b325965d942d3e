#include "render/helpers/PostProcessing.h"

#include "render/Framebuffer.h"

#include <iostream>

void PostProcessFramebuffer::initialize(int targetWidth, int targetHeight)
{
    std::cout << "Initialize framebuffer..." << std::endl;
    width = targetWidth;
    height = targetHeight;

    framebuffer = createFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    depthBuffer = createRenderbuffer();
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);

    colorTexture = createTargetTexture(GL_RGB, GL_RGB, GL_UNSIGNED_BYTE, width, height, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);

    depthTexture = createTargetTexture(GL_DEPTH_COMPONENT32, GL_DEPTH_COMPONENT, GL_FLOAT, width, height, GL_NEAREST);
    glBindTexture(GL_TEXTURE_2D, 0);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_TEXTURE_2D, depthTexture, 0);

    const GLenum drawBuffer = GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &drawBuffer);
    if (glCheckFramebufferStatus(GL_FRAMEBUFFER) != GL_FRAMEBUFFER_COMPLETE) {
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
        std::cout << "Error initializing framebuffer!" << std::endl;
        return;
    }
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    quadProgram = createShaderProgram("Shaders\\fullscreenQuad.vert", "Shaders\\fullscreenQuad.frag");
    quad = FullscreenQuad(*quadProgram, "vPosition");
    std::cout << "Framebuffer successfully initialized!" << std::endl;
}

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

void PostProcessing::drawComposite(const Framebuffer& color, const Framebuffer& velocity) const
{
    glUseProgram(compositeProgram->program);
    color.bindTexture(GL_TEXTURE0, RenderTarget::Color, *compositeProgram);
    velocity.bindTexture(GL_TEXTURE1, RenderTarget::Velocity, *compositeProgram);
    compositeQuad.draw();
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
