#pragma once
// Driving the real game binary in its window under Xvfb: start it in a game
// directory of its own, find its window, press keys with xdotool, close it as a
// user does, take screenshots.
#include "support/core/Process.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// A screenshot of the whole X screen, read back from the PNG kept for a person.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    bool valid() const { return width > 0 && height > 0; }
    // (x, y) from the top-left corner.
    std::array<int, 3> at(int x, int y) const;
    int brightestChannel(int x, int y) const;
    // White pixels in the top-left corner, where the information lines go.
    int whiteInTopLeft() const;
};

// A game directory of its own under the test output folder: the built shaders,
// the generated assets (linked) when they exist, and the shipped configuration
// unless `withConfiguration` is false.
std::string makeGameDirectory(const std::string& name, bool withConfiguration = true);

class GameWindow {
public:
    explicit GameWindow(const std::string& gameDirectory);

    BackgroundProcess& process() { return *process_; }

    // Waits until the game's window exists and returns its X id ("" after the timeout).
    std::string waitForWindow(double timeoutSeconds = 60.0);
    std::string title();
    // What the game printed so far on both streams, for failure messages.
    std::string transcript() const;

    // Waits until `predicate(output so far)` holds; false after the timeout or
    // when the game ended first.
    template <typename Predicate>
    bool waitForOutput(Predicate predicate, double timeoutSeconds);
    bool waitForTitlePrefix(const std::string& prefix, bool exact, double timeoutSeconds);

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void requestClose(); // WM_DELETE_WINDOW
    // Saves a screenshot of the X screen as <test output>/<name>.png and reads it back.
    Screenshot screenshot(const std::string& name);

private:
    std::unique_ptr<BackgroundProcess> process_;
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
