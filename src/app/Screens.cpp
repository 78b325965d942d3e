#include "app/Screens.h"

#include "app/Game.h"
#include "app/HudText.h"
#include "assets/ImageLoader.h"

#include <GL/glew.h>

namespace {

void drawLines(const std::vector<HudLine>& lines)
{
    // The first loading screen comes before any font is loaded.
    const TextRenderer* text = game().textRenderer.get();
    if (!text)
        return;
    for (const HudLine& line : lines)
        text->draw(line.text, line.x, line.y, line.scale, line.color);
}

// Builds a new screen (program and record) for `imagePath` and clears the window.
void buildScreen(const char* imagePath)
{
    Screens& screens = game().screens;
    // The screen shown before goes first: nothing uses it after its swap.
    screens.currentScreen.reset();
    screens.screenProgram = createShaderProgram("Shaders\\loadingScreen.vert", "Shaders\\loadingScreen.frag");
    screens.currentScreen = std::make_unique<ImageScreen>();
    ImageScreen& screen = *screens.currentScreen;
    screen.imagePath = imagePath;
    screen.shader = screens.screenProgram.get();
    createScreenQuad(screen);
    loadScreenImage(screen);
    // The whole window, whatever the last render pass left bound.
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, game().settings.screenwidth, game().settings.screenheight);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Draws the current screen's image behind whatever text is already drawn.
void drawScreenImage()
{
    // The quad lies behind the text, so where text was drawn the image fails
    // the depth test and the text stays in front.
    const ImageScreen& screen = *game().screens.currentScreen;
    glUseProgram(screen.shader->program);
    glActiveTexture(GL_TEXTURE0);
    glBindTexture(GL_TEXTURE_2D, screen.texture);
    screen.quad.draw();
    glUseProgram(0);
}

} // namespace

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

void showLoadingScreen()
{
    buildScreen("Assets\\loadingScreen.jpg");
    drawScreenImage();
    game().input->swapBuffers();
}

void showInfoScreen(const char* imagePath, bool showLevelInfo)
{
    drawInfoScreen(imagePath, showLevelInfo);
    game().input->swapBuffers();
}

void drawInfoScreen(const char* imagePath, bool showLevelInfo)
{
    buildScreen(imagePath);
    const Game& g = game();
    const float height = static_cast<float>(g.settings.screenheight);
    if (showLevelInfo)
        drawLines(levelInfoLines(g.state.currentLevel, g.world.speedLevel, g.world.timeLimit, g.world.neededKills, height));
    else
        drawLines(endOfLevelLines(g.state.timeUp, g.state.usedAmmo, g.state.levelSeconds, height));
    drawScreenImage();
}
