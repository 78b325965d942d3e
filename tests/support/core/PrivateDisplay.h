#pragma once
// An X display of this test process's own: a fresh Xvfb, so windows,
// screenshots and key presses of tests that run at the same time never meet.
// DISPLAY is pointed at it for this process and every child it starts.
#include <string>

class PrivateDisplay {
public:
    // Starts Xvfb at 1280x720x24 on a free display number. Throws when Xvfb
    // cannot be started.
    PrivateDisplay();
    ~PrivateDisplay(); // stops Xvfb and gives DISPLAY back

    PrivateDisplay(const PrivateDisplay&) = delete;
    PrivateDisplay& operator=(const PrivateDisplay&) = delete;

    const std::string& name() const { return name_; } // ":N"

private:
    int pid_ = -1;
    std::string name_;
    std::string previous_;
    bool hadPrevious_ = false;
};

// Gives every test process of the executable that calls it a private display,
// from before its first test until after its last.
void usePrivateDisplayForEveryTest();
