#include "app/LevelFlow.h"

#include "app/Game.h"
#include "app/Overlay.h"
#include "app/Screens.h"
#include "app/Screenshot.h"
#include "app/Shutdown.h"
#include "app/WindowTitle.h"
#include "assets/ImageLoader.h"
#include "game/Gamepad.h"
#include "game/Gameplay.h"
#include "game/LevelConstruction.h"
#include "platform/HeapRelease.h"
#include "render/FramePasses.h"
#include "render/ShaderWarmUp.h"
#include "render/ShadowMap.h"

#include <cmath>
#include <iostream>

namespace {

FrameView frameView(const Game& g)
{
    return {g.world, g.assets, g.targets, g.postProcessing, g.toggles, g.textRenderer.get(), nullptr,
            g.renderScale.scale()};
}

// Tells the sound what this frame did: where the player listens from, what
// happened, which crawlers still drive.
void playSounds(Game& g)
{
    if (!g.audio)
        return;
    const World& world = g.world;
    const Camera& camera = *world.currentCamera;
    std::vector<glm::vec3> crawlers;
    for (const Crawler& crawler : world.crawlers)
        if (!crawler.destroyed)
            crawlers.push_back(crawler.position);
    AudioFrame frame;
    frame.listener = {camera.position + camera.offset, camera.forward(), camera.up()};
    frame.events = world.events;
    frame.crawlers = crawlers;
    if (world.drone)
        frame.drone = world.drone->position;
    frame.timeScale = g.state.timeScale;
    frame.paused = g.state.paused;
    g.audio->update(frame);
}

// The blur follows the frame rate (a faster frame moves less per frame) and
// doubles during the winning finish.
float motionBlurStrength(const GameState& state, float motionBlurFactor)
{
    const float completing = state.levelCompleting ? 2.0f : 1.0f;
    return static_cast<float>(state.displayFps) / 60.0f * completing * motionBlurFactor;
}

} // namespace

LevelMeshes levelMeshes(const Assets& assets)
{
    LevelMeshes meshes;
    meshes.crawlerBase = assets.crawlerBaseMesh.get();
    meshes.crawlerBase1 = assets.crawlerBase1Mesh.get();
    meshes.crawlerBase3 = assets.crawlerBase3Mesh.get();
    meshes.crawlerBody = assets.crawlerBodyMesh.get();
    meshes.duck = assets.duckMesh.get();
    meshes.drone = assets.droneMesh.get();
    meshes.destroyedCrawler = assets.destroyedCrawlerMesh.get();
    meshes.projectile = assets.projectileMesh.get();
    meshes.projectileParticle = assets.projectileParticleMesh.get();
    meshes.ground = assets.groundMesh.get();
    meshes.rock = assets.rockMesh.get();
    meshes.dustCloud = assets.dustCloudMesh.get();
    meshes.fireball = assets.fireballMesh.get();
    meshes.radarDome = assets.radarDomeMesh.get();
    return meshes;
}

std::unique_ptr<Terrain> loadTerrain(const std::string& path)
{
    auto terrain = std::make_unique<Terrain>(loadImage(path));
    if (terrain->width == 0)
        std::cout << "Could not load the heightmap " << path << std::endl;
    return terrain;
}

void loadLevel()
{
    Game& g = game();
    g.state.startLevel();
    g.assets = loadAssets();
    g.textRenderer = std::make_unique<TextRenderer>(static_cast<float>(g.settings.screenwidth),
                                                    static_cast<float>(g.settings.screenheight),
                                                    g.assets.textProgram.get());
    const LevelMeshes meshes = levelMeshes(g.assets);
    armLevel(g.world, meshes, g.settings.fParticleDensity);
    buildWorld(g.world, meshes, loadTerrain(), g.state.currentLevel, g.settings);
    buildCameras(g.world, g.settings);
    buildLightsAndDrone(g.world, meshes);
}

void warmUpShaders()
{
    drawWarmUpFrame(frameView(game()), drawOverlay);
}

void waitForEnter()
{
    Input& input = *game().input;
    bool pressed = false;
    while (!input.shouldClose() && !pressed) {
        input.pollEvents();
        if (input.key(Key::Enter) != Release || padStartDown(input))
            pressed = true;
    }
}

void endGame()
{
    // The start-up objects go while their context (and the sound device) still exist.
    Game& g = game();
    g.postProcessing = PostProcessing{};
    g.targets = RenderTargets{};
    g.audio.reset();
    g.input->terminate();
}

void startAtChosenLevel()
{
    Game& g = game();
    g.records.load();
    std::string notice;
    g.state.currentLevel = chooseStartLevel(g.settings.startlevel, g.records.records.reached, notice);
    if (!notice.empty())
        std::cout << notice << std::endl;
}

void recordWin()
{
    GameState& state = game().state;
    const RecordNews news = game().records.recordWin(state.currentLevel, static_cast<int>(state.levelSeconds),
                                                     state.usedAmmo, todayText());
    state.newBestTime = news.bestTime;
    state.newLeastAmmo = news.leastAmmo;
}

void playLevel()
{
    Input& input = *game().input;
    // One iteration per play of a level: a won level is followed by the next,
    // a lost one by the same level, until the window closes.
    for (;;) {
        showLoadingScreen();
        loadLevel();
        warmUpShaders();
        input.sleepMilliseconds(2000); // the loading image stays up
        showInfoScreen("Assets\\waitingScreen.jpg", true);
        waitForEnter();
        if (input.shouldClose()) {
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
    Game& g = game();
    GameState& state = g.state;
    Input& input = *g.input;

    // The pointer moved freely over the loading and waiting screens; the first
    // frame of mouse look starts from rest instead of turning by all of that.
    input.setCursorPosition(0.0, 0.0);
    const double start = input.time();
    g.notices = ToggleNotices{};
    state.fpsRefreshTime = input.time();
    state.levelStartTime = input.time();
    state.renderedObjectCount = 0;
    double previous = start;
    double lastFps = 0.0;

    while (!input.shouldClose()) {
        if (state.levelWon || state.timeUp)
            break;
        input.pollEvents();
        followWindowFocus(state, input.focused());
        collisionStep(g.world, state, input.time());

        const double now = input.time();
        const double dt = now - previous;
        updateGameplay(g.world, state, g.settings, input, static_cast<float>(dt) * state.timeScale);
        // Key E points the shadow map from the headlight at once (every frame's
        // shadow pass does so anyway).
        if (input.key(Key::E) == Press)
            aimShadowMap(*g.assets.shadowMappingProgram, g.world.lights[headlight]);
        handleRenderToggleKeys();
        handleHelpAndScreenshotKeys();

        // Two equal clock readings make dt zero: such a frame keeps the last
        // real rate instead of an infinite one, and does not refresh the figure.
        const bool measured = dt > 0.0;
        if (measured) {
            lastFps = framesPerSecond(dt);
            g.renderScale.frameEnded(now, dt);
        }
        input.setTitle(windowTitle(lastFps));
        if (measured && (state.displayFps == 0.0 || now - state.fpsRefreshTime > 1.0)) {
            state.displayFps = std::ceil(lastFps);
            state.fpsRefreshTime = now;
            state.levelSeconds += 1.0;
        }

        g.postProcessing.setVelocityScale(motionBlurStrength(state, g.settings.fMotionblurFactor));

        state.renderedObjectCount = 0;
        if (now - state.levelStartTime > static_cast<double>(g.world.timeLimit))
            state.timeUp = true;
        previous = now;

        state.renderedObjectCount = renderFrame(frameView(g), drawOverlay);
        takeScreenshotIfAsked(); // the finished frame, before it is shown
        // The velocity pass of the next frame measures motion from here.
        g.world.previousViewProjection = g.world.currentCamera->matrix();
        input.swapBuffers();
        playSounds(g);
        g.world.events.clear();

        if (input.key(Key::Escape) != Release)
            input.setShouldClose(true);
    }

    if (input.shouldClose()) {
        cleanup();
        endGame();
        return false;
    }

    // The frames' scratch memory goes back to the system while the end screen shows.
    releaseFreeHeapPages();
    // A level won in the very frame the time ran out counts as lost.
    const bool won = !state.timeUp;
    input.sleepMilliseconds(500);
    if (won)
        recordWin();
    showInfoScreen(won ? "Assets\\winningScreen.jpg" : "Assets\\losingScreen.jpg", false);
    if (g.audio)
        g.audio->playEndSting(won);
    waitForEnter();
    if (input.shouldClose()) {
        cleanup();
        endGame();
        return false;
    }
    cleanup();
    if (won)
        state.currentLevel += 1;
    return true;
}
