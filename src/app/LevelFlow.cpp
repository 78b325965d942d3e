#include "app/LevelFlow.h"

#include "app/GameState.h"
#include "app/Input.h"
#include "app/RenderToggles.h"
#include "app/Screens.h"
#include "app/Settings.h"
#include "app/Shutdown.h"
#include "app/WindowTitle.h"
#include "assets/AssetCatalogue.h"
#include "game/Gameplay.h"
#include "game/LevelConstruction.h"
#include "render/FramePasses.h"
#include "render/helpers/PostProcessing.h"

#include <GL/glew.h>

#include <cmath>

namespace {

void setMotionBlurStrength()
{
    glUseProgram(compositeProgram->program);
    const GLint location = glGetUniformLocation(compositeProgram->program, "uVelocityScale");
    const float completing = levelCompleting ? 2.0f : 1.0f;
    glUniform1f(location, static_cast<float>(displayFps) / 60.0f * completing * fMotionblurFactor);
    glUseProgram(0);
}

} // namespace

void loadLevel()
{
    resetLevelState();
    loadAssets();
    buildWorld();
    buildCameras();
    buildLightsAndDrone();
}

void waitForEnter()
{
    bool pressed = false;
    while (!input().shouldClose() && !pressed) {
        input().pollEvents();
        if (input().key(Key::Enter) != Release)
            pressed = true;
    }
}

void endGame()
{
    releasePostProcessing();
    input().terminate();
}

void playLevel()
{
    // One iteration per play of a level: a won level is followed by the next,
    // a lost one by the same level, until the window closes.
    for (;;) {
        showLoadingScreen();
        loadLevel();
        input().sleepMilliseconds(2000); // the loading image stays up
        showInfoScreen("Assets\\waitingScreen.jpg", true);
        waitForEnter();
        if (input().shouldClose()) {
            cleanup();
            endGame();
            return;
        }
        if (!gameLoop())
            return;
    }
}

bool gameLoop()
{
    const double start = input().time();
    resetToggleNotices();
    fpsRefreshTime = input().time();
    levelStartTime = input().time();
    renderedObjectCount = 0;
    double previous = start;
    double lastFps = 0.0;

    while (!input().shouldClose()) {
        if (levelWon || timeUp)
            break;
        input().pollEvents();
        collisionStep();

        const double now = input().time();
        const double dt = now - previous;
        updateGameplay(static_cast<float>(dt) * timeScale);

        // Two equal clock readings make dt zero: such a frame keeps the last
        // real rate instead of an infinite one, and does not refresh the figure.
        const bool measured = dt > 0.0;
        if (measured)
            lastFps = framesPerSecond(dt);
        input().setTitle(windowTitle(lastFps));
        if (measured && (displayFps == 0.0 || now - fpsRefreshTime > 1.0)) {
            displayFps = std::ceil(lastFps);
            fpsRefreshTime = now;
            levelSeconds += 1.0;
        }

        setMotionBlurStrength();

        renderedObjectCount = 0;
        if (now - levelStartTime > static_cast<double>(timeLimit))
            timeUp = true;
        previous = now;

        renderFrame();

        if (input().key(Key::Escape) != Release)
            input().setShouldClose(true);
    }

    if (input().shouldClose()) {
        cleanup();
        endGame();
        return false;
    }

    // A level won in the very frame the time ran out counts as lost.
    const bool won = !timeUp;
    input().sleepMilliseconds(500);
    showInfoScreen(won ? "Assets\\winningScreen.jpg" : "Assets\\losingScreen.jpg", false);
    waitForEnter();
    if (input().shouldClose()) {
        cleanup();
        endGame();
        return false;
    }
    cleanup();
    if (won)
        currentLevel += 1;
    return true;
}
