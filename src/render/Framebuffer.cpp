#include "render/Framebuffer.h"

#include <cstdio>
#include <iostream>

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

    colorTexture = createTexture();
    glBindTexture(GL_TEXTURE_2D, colorTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RGB, width, height, 0, GL_RGB, GL_UNSIGNED_BYTE, nullptr);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_EDGE);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_NEAREST);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_NEAREST);
    glFramebufferTexture2D(GL_FRAMEBUFFER, GL_COLOR_ATTACHMENT0, GL_TEXTURE_2D, colorTexture, 0);

    // Velocities are signed and sub-pixel: half floats, filtered so the blur
    // can read between pixels.
    velocityTexture = createTexture();
    glBindTexture(GL_TEXTURE_2D, velocityTexture);
    glTexImage2D(GL_TEXTURE_2D, 0, GL_RG16F, width, height, 0, GL_RGBA, GL_UNSIGNED_BYTE, nullptr);
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, static_cast<GLfloat>(GL_LINEAR));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
    glTexParameterf(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, static_cast<GLfloat>(GL_CLAMP_TO_EDGE));
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
