#include "render/ImageScreen.h"

#include "assets/ImageLoader.h"

void createScreenQuad(ImageScreen& screen)
{
    screen.quad = FullscreenQuad(*screen.shader, "positionNDC");
}

void loadScreenImage(ImageScreen& screen)
{
    // The image is only needed for the upload; a failed load gives an empty
    // texture and the screen shows no picture.
    const Image image = loadImage(screen.imagePath);
    const GLuint program = screen.shader->program;
    glUseProgram(program);
    glUniform1i(glGetUniformLocation(program, "colorTexture"), 0);
    screen.texture = createTexture();
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, screen.texture);
    uploadImage(image);
    if (!image.empty())
        glGenerateMipmap(GL_TEXTURE_2D);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_S, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_WRAP_T, GL_CLAMP_TO_BORDER);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, GL_LINEAR_MIPMAP_LINEAR);
    glTexParameteri(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, GL_LINEAR);
    glUseProgram(0);
    glBindTexture(GL_TEXTURE_2D, 0);
}

void clearWindow(int width, int height)
{
    // The whole window, whatever the last render pass left bound.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, width, height);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawScreenImage(const ImageScreen& screen)
{
    glUseProgram(screen.shader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, screen.texture);
    screen.quad.draw();
    glUseProgram(0);
}
