#include "app/Screens.h"

#include "app/GameState.h"
#include "app/HudText.h"
#include "app/Settings.h"
#include "app/Startup.h"
#include "assets/ImageLoader.h"
#include "render/TextRenderer.h"

#include <GL/glew.h>
#include <GLFW/glfw3.h>

std::unique_ptr<ShaderProgram> screenProgram;
std::unique_ptr<ImageScreen> currentScreen;

namespace {

// Clip-space corners in triangle-strip order: the quad covers the window.
constexpr float quadCorners[8] = {-1.0f, 1.0f, -1.0f, -1.0f, 1.0f, 1.0f, 1.0f, -1.0f};

void drawLines(const std::vector<HudLine>& lines)
{
    for (const HudLine& line : lines)
        renderText(line.text, line.x, line.y, line.scale, line.color);
}

void present()
{
    glfwSwapBuffers(window);
}

} // namespace

void createScreenQuad(ImageScreen& screen)
{
    const GLuint program = screen.shader->program;
    glUseProgram(program);
    screen.vao = createVertexArray();
    screen.vbo = createBuffer();
    glBindVertexArray(screen.vao);
    glBindBuffer(GL_ARRAY_BUFFER, screen.vbo);
    glBufferData(GL_ARRAY_BUFFER, sizeof(quadCorners), quadCorners, GL_STATIC_DRAW);
    const GLint location = glGetAttribLocation(program, "positionNDC");
    if (location != -1) {
        glEnableVertexAttribArray(static_cast<GLuint>(location));
        glVertexAttribPointer(static_cast<GLuint>(location), 2, GL_FLOAT, GL_FALSE, 0, nullptr);
    }
    glBindVertexArray(0);
    glBindBuffer(GL_ARRAY_BUFFER, 0);
    glUseProgram(0);
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

void buildScreen(const char* imagePath)
{
    // The screen shown before goes first: nothing uses it after its swap.
    currentScreen.reset();
    screenProgram = createShaderProgram("Shaders\\loadingScreen.vert", "Shaders\\loadingScreen.frag");
    currentScreen = std::make_unique<ImageScreen>();
    currentScreen->imagePath = imagePath;
    currentScreen->shader = screenProgram.get();
    createScreenQuad(*currentScreen);
    loadScreenImage(*currentScreen);
    // The whole window, whatever the last render pass left bound.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, screenwidth, screenheight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

void drawScreenImage()
{
    // The quad lies behind the text, so where text was drawn the image fails
    // the depth test and the text stays in front.
    glUseProgram(currentScreen->shader->program);
    glBindVertexArray(currentScreen->vao);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, currentScreen->texture);
    glDrawArrays(GL_TRIANGLE_STRIP, 0, 4);
    glBindVertexArray(0);
    glUseProgram(0);
}

void showLoadingScreen()
{
    buildScreen("Assets\\loadingScreen.jpg");
    drawScreenImage();
    present();
}

void showInfoScreen(const char* imagePath, bool showLevelInfo)
{
    drawInfoScreen(imagePath, showLevelInfo);
    present();
}

void drawInfoScreen(const char* imagePath, bool showLevelInfo)
{
    buildScreen(imagePath);
    const float height = static_cast<float>(screenheight);
    if (showLevelInfo)
        drawLines(levelInfoLines(currentLevel, speedLevel, timeLimit, neededKills, height));
    else
        drawLines(endOfLevelLines(timeUp, usedAmmo, levelSeconds, height));
    drawScreenImage();
}

void releaseScreen()
{
    currentScreen.reset();
    screenProgram.reset();
}
