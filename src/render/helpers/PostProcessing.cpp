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

void PostProcessing::drawComposite(const Framebuffer& color, const Framebuffer& velocity, SceneSize scene) const
{
    const PostProcessFramebuffer& window = targets[0];
    // Without its own target (one that could not be completed) a smaller
    // scene is blurred straight onto the window too, only more coarsely.
    const bool whole = (scene.width >= window.width && scene.height >= window.height) || !window.quadProgram;
    const GLuint program = compositeProgram->program;
    glUseProgram(program);
    glUniform2f(glGetUniformLocation(program, "uSceneSize"), static_cast<float>(scene.width),
                static_cast<float>(scene.height));
    color.bindTexture(GL_TEXTURE0, RenderTarget::Color, *compositeProgram);
    velocity.bindTexture(GL_TEXTURE1, RenderTarget::Velocity, *compositeProgram);
    // It covers every pixel it draws, and nothing needs the depth behind it.
    glDisable(GL_DEPTH_TEST);
    if (whole) {
        compositeQuad.draw();
    } else {
        glBindFramebuffer(GL_FRAMEBUFFER, window.framebuffer);
        glViewport(0, 0, scene.width, scene.height);
        compositeQuad.draw();
        glBindFramebuffer(GL_DRAW_FRAMEBUFFER, 0);
        glViewport(0, 0, window.width, window.height);
        glBlitFramebuffer(0, 0, scene.width, scene.height, 0, 0, window.width, window.height, GL_COLOR_BUFFER_BIT,
                          GL_LINEAR);
        glBindFramebuffer(GL_FRAMEBUFFER, 0);
    }
    glEnable(GL_DEPTH_TEST);
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
