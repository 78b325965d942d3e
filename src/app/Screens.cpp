#include "app/Screens.h"

#include "app/Game.h"
#include "app/HudText.h"

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
    clearWindow(game().settings.screenwidth, game().settings.screenheight);
}

// Draws the current screen's image behind whatever text is already drawn.
void drawScreenImage()
{
    drawScreenImage(*game().screens.currentScreen);
}

} // namespace

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
    const GameState& state = g.state;
    if (showLevelInfo) {
        const auto kept = g.records.records.levels.find(state.currentLevel);
        const LevelRecord record = kept == g.records.records.levels.end() ? LevelRecord{} : kept->second;
        drawLines(levelInfoLines(state.currentLevel, g.world.speedLevel, g.world.timeLimit, g.world.neededKills, record,
                                 height));
    } else {
        drawLines(endOfLevelLines(state.timeUp, state.usedAmmo, state.levelSeconds, height,
                                  {state.newBestTime, state.newLeastAmmo}));
    }
    drawScreenImage();
}
