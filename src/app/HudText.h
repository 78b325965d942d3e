#pragma once
// The words and places of every line of text the game shows: the information
// lines on the waiting and end screens, and in play the kill counter, the
// clock, the crosshair, the frame statistics, the notices, "PAUSED" and the
// help panel of F1, and the level's records on the waiting and winning screens.
// No drawing here: the screens and the overlay draw these lines.
#include "app/Records.h"
#include "game/Settings.h"
#include "render/RenderToggles.h"

#include <glm/vec3.hpp>

#include <string>
#include <vector>

// Which point of a line's baseline x names.
enum class Align { Start, Centre, End };

// One line of text: a point of its baseline in window pixels (origin lower
// left; the start unless `align` says otherwise), the factor on the font's
// 30-pixel glyphs, and the colour.
struct HudLine {
    std::string text;
    float x;
    float y;
    float scale;
    glm::vec3 color;
    Align align = Align::Start;
};

// A rectangle in window pixels, origin lower left.
struct HudPanel {
    float left, bottom, width, height;
};

inline constexpr glm::vec3 hudWhite{1.0f, 1.0f, 1.0f};
inline constexpr glm::vec3 hudRed{0.573f, 0.0f, 0.0f};
inline constexpr glm::vec3 hudGreen{0.427f, 0.603f, 0.0f}; // statistics and notices

// Clock time of each toggle's last change (0 = none), for its two-second notice,
// and the same for the last screenshot's notice with its words. The level loop
// clears them when a level starts, so a notice never carries over into the next level.
struct ToggleNotices {
    double wireframeToggleTime = 0.0;
    double samplingToggleTime = 0.0;
    double mipmapToggleTime = 0.0;
    double cullingToggleTime = 0.0;
    double transparencyToggleTime = 0.0;
    double screenshotTime = 0.0;
    std::string screenshotText; // the file it was saved as, or "Screenshot failed"
};

// What the in-game lines of one frame show.
struct OverlayState {
    int killCount = 0;
    double levelSeconds = 0.0;
    double displayFps = 0.0;
    bool crosshair = true; // mouse look in the player's camera
    bool paused = false;   // the world stands still
    double now = 0.0;      // the clock, for the notices' two seconds
    RenderToggles toggles;
    ToggleNotices notices;
};

// The overlay's lines for a window `width` x `height`: the kill counter at the
// top left and the clock at the top right in red, the statistics at the lower
// left and the notices at the lower right in green (the screenshot's above the
// toggles', ending 25 from the right), the crosshair "+" starting at the centre
// in white, and while paused "PAUSED" centred below it.
std::vector<HudLine> overlayLines(const OverlayState& overlay, int width, int height);

// The dark panel of F1's help, and its lines in white: the controls of the
// keyboard, the mouse and the pad, then the mouse and render-scale settings in
// force, with the scale the scene is drawn at now (`renderScale`, 0.5 to 1).
HudPanel helpPanel(int width, int height);
std::vector<HudLine> helpLines(const Settings& settings, float renderScale, int width, int height);

// The notices' words for a toggle's value.
const char* onOffLabel(bool value);
const char* samplingLabel(int textureSamplingMode); // odd: "bilinear", even: "nn"
const char* mipmapLabel(int mipmapMode);            // by remainder of 3: "off", "nn", "linear"

// The level clock: whole minutes, a colon, the seconds of the minute; each field
// with a leading "0" below 10. Minutes may grow past two digits.
std::string clockText(double levelSeconds);

// The four lines of the waiting screen, for a window `height` pixels high,
// and below them the level's records in the same style: "BEST TIME: 2:31" and
// "LEAST AMMO: 14", or "NO RECORD YET".
std::vector<HudLine> levelInfoLines(int currentLevel, float speedLevel, int timeLimit, int neededKills,
                                    const LevelRecord& record, float height);

// The lines of the winning (two lines) or losing screen (a headline at twice
// the size, then the same two lines lower down). A figure that beat the
// level's record has "NEW RECORD" beside it.
std::vector<HudLine> endOfLevelLines(bool timeUp, int usedAmmo, double levelSeconds, float height,
                                     RecordNews news = {});
