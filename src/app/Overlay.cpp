#include "app/Overlay.h"

#include "app/Game.h"
#include "render/RenderContext.h"

#include <array>

void drawOverlay()
{
    const Game& g = game();
    if (!g.textRenderer)
        return;
    OverlayState overlay;
    overlay.killCount = g.state.killCount;
    overlay.levelSeconds = g.state.levelSeconds;
    overlay.displayFps = g.state.displayFps;
    overlay.crosshair = !g.settings.debugmode && g.state.mouseCaptured;
    overlay.now = g.input->time();
    overlay.toggles = g.toggles;
    overlay.notices = g.notices;

    for (const HudLine& line : overlayLines(overlay, g.settings.screenwidth, g.settings.screenheight))
        g.textRenderer->draw(line.text, line.x, line.y, line.scale, line.color);
}

void handleRenderToggleKeys()
{
    Game& g = game();
    Input& input = *g.input;
    RenderToggles& toggles = g.toggles;
    ToggleNotices& notices = g.notices;
    // One latch per key: set while the key is down, acted on when it is up.
    std::array<bool, 6>& latches = g.toggleKeyLatches;
    const int keys[6] = {Key::F2, Key::F3, Key::F4, Key::F5, Key::F8, Key::F9};
    for (int i = 0; i < 6; ++i) {
        if (input.key(keys[i]) == Press)
            latches[i] = true;
        if (input.key(keys[i]) != Release || !latches[i])
            continue;
        latches[i] = false;
        const double now = input.time();
        switch (keys[i]) {
        case Key::F2:
            toggles.showStatistics = !toggles.showStatistics;
            break;
        case Key::F3:
            notices.wireframeToggleTime = now;
            toggles.wireframe = !toggles.wireframe;
            break;
        case Key::F4:
            notices.samplingToggleTime = now;
            toggles.textureSamplingMode += 1;
            g.assets.applyTextureFilters(toggles.textureSamplingMode, toggles.mipmapMode);
            break;
        case Key::F5:
            notices.mipmapToggleTime = now;
            toggles.mipmapMode += 1;
            g.assets.applyTextureFilters(toggles.textureSamplingMode, toggles.mipmapMode);
            break;
        case Key::F8:
            notices.cullingToggleTime = now;
            toggles.frustumCulling = !toggles.frustumCulling;
            break;
        case Key::F9:
            notices.transparencyToggleTime = now;
            toggles.transparency = !toggles.transparency;
            setBlending(toggles.transparency);
            break;
        }
    }
}
