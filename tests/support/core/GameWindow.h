#pragma once
// Driving the real game binary in its window under Xvfb: start it in a game
// directory of its own, find its window, press keys with xdotool, close it as a
// user does, take screenshots.
#include "support/core/Process.h"

#include <memory>
#include <string>

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

    // Waits until `predicate(output so far)` holds; false after the timeout or
    // when the game ended first.
    template <typename Predicate>
    bool waitForOutput(Predicate predicate, double timeoutSeconds);
    bool waitForTitlePrefix(const std::string& prefix, bool exact, double timeoutSeconds);

    void keyDown(const std::string& key);
    void keyUp(const std::string& key);
    void requestClose(); // WM_DELETE_WINDOW
    // Saves a screenshot of the X screen to the test output folder; returns its path.
    std::string screenshot(const std::string& name);

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
