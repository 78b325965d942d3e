#pragma once
// Driving the real game binary in its window under Xvfb: start it in a game
// directory of its own, find its window, press keys and mouse buttons with
// xdotool, close it as a user does, take screenshots and measure them.
#include "support/core/Process.h"

#include <array>
#include <functional>
#include <memory>
#include <string>
#include <vector>

// A rectangle of the screen in pixels from the top-left corner: columns
// [left, right) and rows [top, bottom).
struct Region {
    int left = 0, top = 0, right = 0, bottom = 0;

    int area() const { return (right - left) * (bottom - top); }
};

// A screenshot of the whole X screen.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    bool valid() const { return width > 0 && height > 0; }
    Region whole() const { return {0, 0, width, height}; }
    // (x, y) from the top-left corner.
    std::array<int, 3> at(int x, int y) const;
    int brightestChannel(int x, int y) const;
    // Pixels of `region` whose colour passes `test`.
    int count(const Region& region, const std::function<bool(int r, int g, int b)>& test) const;
    // Colours in `region` told apart at 16 levels a channel: a blank or flat frame has a handful.
    int distinctColours(const Region& region) const;
    // White pixels in the top-left corner, where the information lines go.
    int whiteInTopLeft() const;
};

// A picture file ImageMagick can read (the game's PNG screenshots), as a Screenshot.
Screenshot loadPicture(const std::string& path);

// Pixels of `region` where two screenshots differ by more than `tolerance` in some channel.
int differingPixels(const Screenshot& a, const Screenshot& b, const Region& region, int tolerance = 40);

// Where the HUD's two figures go in a 1280 x 720 window at the screen's corner.
inline const Region killCounterArea{20, 5, 90, 55}; // "0" at the top left
inline const Region levelClockArea{1150, 5, 1280, 55}; // "00:01" at the top right

// Colours as the game's pictures use them.
bool isWhite(int r, int g, int b);
bool isHudRed(int r, int g, int b);      // the kill counter and the clock
bool isOverlayGreen(int r, int g, int b); // the statistics lines and the toggle notices

// A game directory of its own under the test output folder: the built shaders,
// the generated assets (linked) when they exist, and the shipped configuration
// unless `withConfiguration` is false.
std::string makeGameDirectory(const std::string& name, bool withConfiguration = true);

// A game directory like the above whose configuration and two level files (the
// crawlers' routes and the player's route) are the test's; every other asset is
// the generated one.
std::string makeLevelDirectory(const std::string& name, const std::string& configuration,
                               const std::string& crawlerRoutes, const std::string& playerRoute);

// The game runs on the X display that DISPLAY names when it is started, and
// every command of its GameWindow goes there, so a test may run two games on
// two displays of its own at once.
class GameWindow {
public:
    explicit GameWindow(const std::string& gameDirectory);

    BackgroundProcess& process() { return *process_; }

    // Waits until the game's window is on screen and returns its X id ("" after the timeout).
    std::string waitForWindow(double timeoutSeconds = 60.0);
    // Where the window is on the screen.
    Region area();
    std::string title();
    // The frame rate the title shows during play (0 before the first frame).
    double framesPerSecond();
    // What the game printed so far on both streams, for failure messages.
    std::string transcript() const;

    // Waits until `predicate(output so far)` holds; false after the timeout or
    // when the game ended first.
    template <typename Predicate>
    bool waitForOutput(Predicate predicate, double timeoutSeconds);
    bool waitForTitlePrefix(const std::string& prefix, bool exact, double timeoutSeconds);

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    // Holds a key for a quarter of a second, or for two and a half frames when
    // frames are slower than that: the game looks at its keys once a frame, and
    // the render toggles need one frame with the key down and one with it up.
    void tap(const std::string& key);
    // Mouse buttons as X numbers them: 1 left, 3 right.
    void buttonDown(int button);
    void buttonUp(int button);
    // Holds Enter until a frame of play has set a title not seen before (the
    // title keeps the last level's frame rate on the screens between levels),
    // then waits until that frame is on the screen: the HUD's level clock shows.
    bool startPlaying(double timeoutSeconds);
    void requestClose(); // WM_DELETE_WINDOW
    // Takes a screenshot of the X screen, kept as <test output>/<name>.png.
    Screenshot screenshot(const std::string& name);
    // Takes screenshots quickly, one after another, until one passes `test` or
    // the time is up; keeps and returns the last one (invalid when the game ended).
    Screenshot waitForScreenshot(const std::string& name, const std::function<bool(const Screenshot&)>& test,
                                 double timeoutSeconds);

private:
    // Runs a command (xdotool, our X tools) on the game's display; its output.
    std::string onDisplay(const std::string& command) const;
    // The screen as it is now, saved as <test output>/<name>.ppm: quick, for
    // pictures that do not last.
    Screenshot grab(const std::string& name) const;

    std::unique_ptr<BackgroundProcess> process_;
    std::string display_;
    std::string window_;
};

// Milliseconds of real waiting.
void pause(int milliseconds);

template <typename Predicate>
bool GameWindow::waitForOutput(Predicate predicate, double timeoutSeconds)
{
    for (double waited = 0; waited < timeoutSeconds; waited += 0.05) {
        if (predicate(process_->outputSoFar()))
            return true;
        if (!process_->running())
            return predicate(process_->outputSoFar());
        pause(50);
    }
    return false;
}
