#pragma once
// The one process-wide root: everything the running game owns, grouped by
// owner. Only the application shell reaches it; the simulation and the
// renderer are handed the parts they work on.
#include "app/HudText.h"
#include "app/Records.h"
#include "app/Screens.h"
#include "assets/AssetCatalogue.h"
#include "audio/Audio.h"
#include "game/GameState.h"
#include "game/Settings.h"
#include "game/World.h"
#include "platform/Input.h"
#include "render/RenderScale.h"
#include "render/RenderTargets.h"
#include "render/RenderToggles.h"
#include "render/TextRenderer.h"
#include "render/helpers/PostProcessing.h"

#include <array>
#include <memory>

struct GLFWwindow;
struct GLFWcursor;

struct Game {
    // For the whole process.
    Settings settings;
    GameState state;
    RenderToggles toggles;
    ToggleNotices notices;
    std::array<bool, 6> toggleKeyLatches{}; // F2, F3, F4, F5, F8, F9 seen down, not yet up
    bool helpKeyLatch = false;             // F1 seen down, not yet up
    bool screenshotKeyLatch = false;       // F12 seen down, not yet up
    bool helpShown = false;                // the help panel of F1 is up
    bool screenshotWanted = false;         // F12 asked for the frame being drawn
    GLFWwindow* window = nullptr;          // the only window
    GLFWcursor* crosshairCursor = nullptr; // the pointer shown when mouse look is released
    std::unique_ptr<Input> input;          // keys, mouse, clock and the window's events
    RenderTargets targets;                 // shadow map, velocity and colour images, made at start-up
    PostProcessing postProcessing;         // the composite and its companions, made at start-up
    RenderScaleController renderScale;     // the share of the window the scene is drawn at, frame by frame
    std::unique_ptr<Audio> audio;          // opened at start-up; silent without a device
    RecordBook records;                    // read at start-up, written at every win

    // One play of a level, released by its clean-up.
    Screens screens;                          // the screen last shown
    Assets assets;                            // programs and meshes
    std::unique_ptr<TextRenderer> textRenderer; // made right after the assets, with their text program
    World world;
};

Game& game();
