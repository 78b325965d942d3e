#include "app/Overlay.h"

#include "app/Game.h"
#include "render/RenderContext.h"

#include <array>

namespace {

void drawLine(const TextRenderer& text, const HudLine& line)
{
    float x = line.x;
    if (line.align != Align::Start) {
        const float width = textWidth(text.glyphs, line.text, line.scale);
        x -= line.align == Align::Centre ? width / 2.0f : width;
    }
    text.draw(line.text, x, line.y, line.scale, line.color);
}

// One press of `key`: true in the first frame it is up again after having
// been down, with `latch` remembering the down.
bool pressedAndReleased(Input& input, int key, bool& latch)
{
    if (input.key(key) == Press)
        latch = true;
    if (input.key(key) != Release || !latch)
        return false;
    latch = false;
    return true;
}

} // namespace

void drawOverlay()
{
    const Game& g = game();
    if (!g.textRenderer)
        return;
    const TextRenderer& text = *g.textRenderer;
    const int width = g.settings.screenwidth, height = g.settings.screenheight;
    OverlayState overlay;
    overlay.killCount = g.state.killCount;
    overlay.levelSeconds = g.state.levelSeconds;
    overlay.displayFps = g.state.displayFps;
    overlay.crosshair = !g.settings.debugmode && g.state.mouseCaptured;
    overlay.paused = g.state.paused;
    overlay.now = g.input->time();
    overlay.toggles = g.toggles;
    overlay.notices = g.notices;

    for (const HudLine& line : overlayLines(overlay, width, height))
        drawLine(text, line);
    if (g.helpShown) {
        const HudPanel panel = helpPanel(width, height);
        text.drawPanel(panel.left, panel.bottom, panel.width, panel.height, helpPanelColor);
        for (const HudLine& line : helpLines(g.settings, g.renderScale.scale(), width, height))
            drawLine(text, line);
    }
}

void handleHelpAndScreenshotKeys()
{
    Game& g = game();
    if (pressedAndReleased(*g.input, Key::F1, g.helpKeyLatch))
        g.helpShown = !g.helpShown;
    if (pressedAndReleased(*g.input, Key::F12, g.screenshotKeyLatch))
        g.screenshotWanted = true;
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
        if (!pressedAndReleased(input, keys[i], latches[i]))
            continue;
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
