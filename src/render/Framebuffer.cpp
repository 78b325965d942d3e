#include "render/Framebuffer.h"

#include <cstdio>
#include <iostream>

GlObject createTargetTexture(GLint internalFormat, GLenum format, GLenum type, int width, int height, GLint filter)
{
    GlObject texture = createTexture();
    glBindTexture(GL_TEXTURE_2D, texture);
    glTexImage2D(GL_TEXTURE_2D, 0, internalFormat, width, height, 0, format, type, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, filter);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, filter);
    return texture;
}

bool checkFramebufferStatus()
{
    const GLenum status = glCheckFramebufferStatus(GL_FRAMEBUFFER);
    if (status != GL_FRAMEBUFFER_COMPLETE) {
        std::printf("FB error, status: 0x%x\n", status);
        std::fflush(stdout);
        return false;
    }
    std::cout << "testing" << std::endl;
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return true;
}

bool Framebuffer::create(int width, int height)
{
    framebuffer = createFramebuffer();
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);

    depthBuffer = createRenderbuffer();
    glBindRenderbuffer(GL_RENDERBUFFER, depthBuffer);
    glRenderbufferStorage(GL_RENDERBUFFER, GL_DEPTH_COMPONENT, width, height);
    glBindRenderbuffer(GL_RENDERBUFFER, 0);

    colorTexture = createTargetTexture(GL_RGB, GL_RGB, GL_UNSIGNED_BYTE, width, height, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);

    // Velocities are signed and sub-pixel: half floats, filtered so the blur
    // can read between pixels.
    velocityTexture = createTargetTexture(GL_RG16F, GL_RGBA, GL_UNSIGNED_BYTE, width, height, GL_LINEAR);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT1, GL_TEXTURE_2D, velocityTexture, 0);

    glFramebufferRenderbuffer(GL_FRAMEBUFFER, GL_DEPTH_ATTACHMENT, GL_RENDERBUFFER, depthBuffer);
    // Until a pass picks one, both attachments are drawn and cleared.
    const GLenum both[2] = {GL_COLOR_ATTACHMENT0, GL_COLOR_ATTACHMENT1};
    glDrawBuffers(2, both);
    return checkFramebufferStatus();
}

void Framebuffer::bind(RenderTarget target) const
{
    glBindFramebuffer(GL_FRAMEBUFFER, framebuffer);
    const GLenum attachment = target == RenderTarget::Velocity ? GL_COLOR_ATTACHMENT1 : GL_COLOR_ATTACHMENT0;
    glDrawBuffers(1, &attachment);
}

void Framebuffer::bindTexture(GLenum unit, RenderTarget target, const ShaderProgram& program) const
{
    glActiveTexture(unit);
    if (target == RenderTarget::Color) {
        glBindTexture(GL_TEXTURE_2D, colorTexture);
        glUniform1i(glGetUniformLocation(program.program, "colorTexture"), 0);
    } else {
        glBindTexture(GL_TEXTURE_2D, velocityTexture);
        glUniform1i(glGetUniformLocation(program.program, "velocityTexture"), 1);
    }
}

void bindWindowFramebuffer()
{
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}
