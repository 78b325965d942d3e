#include "app/HudText.h"

#include <cmath>
#include <iterator>

namespace {

constexpr float lineX = 25.0f;

std::string twoDigits(long long value)
{
    std::string text = std::to_string(value);
    if (value < 10)
        text.insert(text.begin(), '0');
    return text;
}

} // namespace

std::string clockText(double levelSeconds)
{
    const long long minutes = static_cast<long long>(levelSeconds / 60.0);
    const long long seconds = static_cast<long long>(levelSeconds) % 60;
    return twoDigits(minutes) + ":" + twoDigits(seconds);
}

std::vector<HudLine> levelInfoLines(int currentLevel, float speedLevel, int timeLimit, int neededKills,
                                    const LevelRecord& record, float height)
{
    std::vector<HudLine> lines = {
        {"Level " + std::to_string(currentLevel), lineX, height - 60.0f, 2.0f, hudWhite},
        // The speed is shown without its fraction, the limit in whole minutes.
        {"Speed level: " + std::to_string(static_cast<int>(speedLevel)), lineX, height - 90.0f, 1.0f, hudWhite},
        {"Time: " + std::to_string(timeLimit / 60) + " min", lineX, height - 120.0f, 1.0f, hudWhite},
        {"Needed kills: " + std::to_string(neededKills), lineX, height - 150.0f, 1.0f, hudWhite},
    };
    std::vector<std::string> records;
    if (record.bestTime)
        records.push_back("BEST TIME: " + recordTimeText(record.bestTime->value));
    if (record.leastAmmo)
        records.push_back("LEAST AMMO: " + std::to_string(record.leastAmmo->value));
    if (records.empty())
        records.push_back("NO RECORD YET");
    float y = height - 150.0f;
    for (const std::string& text : records)
        lines.push_back({text, lineX, y -= 30.0f, 1.0f, hudWhite});
    return lines;
}

std::vector<HudLine> endOfLevelLines(bool timeUp, int usedAmmo, double levelSeconds, float height, RecordNews news)
{
    const auto beside = [](bool beaten) { return std::string(beaten ? "  NEW RECORD" : ""); };
    std::vector<HudLine> lines;
    // The headline takes the room of two lines, so the others move down by two.
    float k = 1.0f;
    if (timeUp) {
        lines.push_back({"Time is up!", lineX, height - 60.0f, 2.0f, hudWhite});
        k = 3.0f;
    }
    lines.push_back({"Used ammo: " + std::to_string(usedAmmo) + beside(news.leastAmmo), lineX, height - 30.0f * k, 1.0f,
                     hudWhite});
    lines.push_back({"Time: " + clockText(levelSeconds) + beside(news.bestTime), lineX, height - 30.0f * (k + 1.0f),
                     1.0f, hudWhite});
    return lines;
}

const char* onOffLabel(bool value)
{
    return value ? "on" : "off";
}

const char* samplingLabel(int textureSamplingMode)
{
    return textureSamplingMode % 2 != 0 ? "bilinear" : "nn";
}

const char* mipmapLabel(int mipmapMode)
{
    switch (mipmapMode % 3) {
    case 0: return "off";
    case 1: return "nn";
    case 2: return "linear";
    }
    return "off"; // a counter that wrapped round below zero chooses no mip-mapping
}

namespace {

// A notice shows for two seconds after its change; 0 is no change at all.
bool shownNow(double changedAt, double now)
{
    return changedAt != 0.0 && now - changedAt < 2.0;
}

} // namespace

std::vector<HudLine> overlayLines(const OverlayState& overlay, int width, int height)
{
    const float w = static_cast<float>(width);
    const float h = static_cast<float>(height);
    std::vector<HudLine> lines;
    lines.push_back({std::to_string(overlay.killCount), lineX, h - 45.0f, 1.5f, hudRed});
    lines.push_back({clockText(overlay.levelSeconds), w - 120.0f, h - 45.0f, 1.5f, hudRed});

    if (overlay.toggles.showStatistics) {
        // A zero rate has no frame time; it shows as 0 instead of an infinite one.
        const double frameTime = overlay.displayFps > 0.0 ? 1.0 / overlay.displayFps * 1000.0 : 0.0;
        lines.push_back({"Frametime (ms): " + std::to_string(static_cast<long long>(frameTime)), lineX, 30.0f, 1.0f,
                         hudGreen});
        lines.push_back({"FPS: " + std::to_string(static_cast<long long>(overlay.displayFps)), lineX, 60.0f, 1.0f,
                         hudGreen});
    }

    const ToggleNotices& n = overlay.notices;
    const RenderToggles& t = overlay.toggles;
    const struct {
        double changedAt;
        std::string text;
        float y;
    } notices[] = {
        {n.wireframeToggleTime, std::string("Wire frame mode: ") + onOffLabel(t.wireframe), 30.0f},
        {n.samplingToggleTime, std::string("Texture sampling: ") + samplingLabel(t.textureSamplingMode), 60.0f},
        {n.mipmapToggleTime, std::string("Mip mapping: ") + mipmapLabel(t.mipmapMode), 90.0f},
        {n.cullingToggleTime, std::string("View frustum culling: ") + onOffLabel(t.frustumCulling), 120.0f},
        {n.transparencyToggleTime, std::string("Transparency: ") + onOffLabel(t.transparency), 150.0f},
    };
    for (const auto& notice : notices)
        if (shownNow(notice.changedAt, overlay.now))
            lines.push_back({notice.text, w - 300.0f, notice.y, 1.0f, hudGreen});
    // A file name is longer than the toggles' notices: it ends at the window's edge.
    if (shownNow(n.screenshotTime, overlay.now))
        lines.push_back({n.screenshotText, w - 25.0f, 180.0f, 1.0f, hudGreen, Align::End});

    if (overlay.crosshair)
        lines.push_back({"+", static_cast<float>(width / 2), static_cast<float>(height / 2), 1.0f, hudWhite});
    // Below the crosshair, clear of it and of the help panel above.
    if (overlay.paused)
        lines.push_back({"PAUSED", w / 2.0f, h / 2.0f - 90.0f, 2.0f, hudWhite, Align::Centre});
    return lines;
}

namespace {

constexpr float helpScale = 0.65f;
constexpr float helpLineHeight = 24.0f;

const char* const helpText[] = {
    "Mouse: look    Left button: fire    Right button (hold): zoom in, slowed to 30%",
    "P: pause    Enter: start, go on    Escape: end the game",
    "5: mouse look    6: pointer aim (the left button fires at the pointer, W A S D turn)",
    "7: free camera (W A S D move, Z X down and up, wheel: field of view)    8: player's camera",
    "1 / 2: spare spotlight / sunlight from here    Q: nudge the camera    E: aim the shadow map",
    "F1: this help    F2: statistics    F3 F4 F5 F8 F9: render switches    F12: screenshot",
    "Pad: right stick (or left) looks    right trigger fires    left trigger zooms    Start: Enter, pause",
};

} // namespace

HudPanel helpPanel(int width, int height)
{
    const float w = static_cast<float>(width);
    // Below the kill counter and the clock, with room for the title, the
    // controls, and a heading and two lines for the settings.
    const float top = static_cast<float>(height) - 70.0f;
    const float rows = static_cast<float>(std::size(helpText)) + 3.0f;
    const float panelHeight = 73.0f + rows * helpLineHeight;
    return {w * 0.08f, top - panelHeight, w * 0.84f, panelHeight};
}

std::vector<HudLine> helpLines(const Settings& settings, float renderScale, int width, int height)
{
    const HudPanel panel = helpPanel(width, height);
    const float x = panel.left + 20.0f;
    float y = panel.bottom + panel.height - 35.0f;
    std::vector<HudLine> lines;
    lines.push_back({"Controls", x, y, 1.0f, hudWhite});
    y -= 10.0f;
    for (const char* text : helpText)
        lines.push_back({text, x, y -= helpLineHeight, helpScale, hudWhite});

    const std::string percent = std::to_string(std::lround(renderScale * 100.0f)) + "%";
    const std::string scaleText = settings.renderscale == 0 ? "automatic, now " + percent : percent;
    lines.push_back({"Settings in configuration.txt:", x, y -= helpLineHeight + 8.0f, helpScale, hudWhite});
    lines.push_back({"Mouse sensitivity: " + std::to_string(settings.mousesensitivity) +
                         "%    Invert mouse: " + onOffLabel(settings.invertmouse) +
                         "    Raw mouse motion: " + onOffLabel(settings.rawmouse),
                     x, y -= helpLineHeight, helpScale, hudWhite});
    lines.push_back({"Render scale: " + scaleText + "    Vertical sync: " + onOffLabel(settings.vsync), x,
                     y -= helpLineHeight, helpScale, hudWhite});
    return lines;
}
