#include "support/core/PrivateDisplay.h"

#include <gtest/gtest.h>

#include <csignal>
#include <cstdlib>
#include <stdexcept>
#include <string>

#include <poll.h>
#include <sys/prctl.h>
#include <sys/wait.h>
#include <unistd.h>

PrivateDisplay::PrivateDisplay()
{
    int pipeEnds[2];
    if (pipe(pipeEnds) != 0)
        throw std::runtime_error("pipe failed");
    pid_ = fork();
    if (pid_ == 0) {
        // Xvfb writes the display number it chose to the descriptor given, and
        // goes when this test process goes, however that ends.
        close(pipeEnds[0]);
        prctl(PR_SET_PDEATHSIG, SIGTERM);
        const std::string descriptor = std::to_string(pipeEnds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", descriptor.c_str(), "-screen", "0", "1280x720x24", "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(pipeEnds[1]);
    std::string number;
    pollfd waiting{pipeEnds[0], POLLIN, 0};
    while (poll(&waiting, 1, 10000) > 0) {
        char c = 0;
        if (read(pipeEnds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(pipeEnds[0]);
    if (number.empty()) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        throw std::runtime_error("Xvfb did not start (is it installed?)");
    }
    name_ = ":" + number;
    if (const char* display = std::getenv("DISPLAY")) {
        hadPrevious_ = true;
        previous_ = display;
    }
    setenv("DISPLAY", name_.c_str(), 1);
}

PrivateDisplay::~PrivateDisplay()
{
    if (hadPrevious_)
        setenv("DISPLAY", previous_.c_str(), 1);
    else
        unsetenv("DISPLAY");
    kill(pid_, SIGTERM);
    waitpid(pid_, nullptr, 0);
}

// The display is left running until the process ends (Xvfb then goes with
// it): a GL context made in a test lives as long as the process, and its
// display must outlive it. Never deleted, but held here, so that a leak check
// at exit sees it in use (a global the linker may be asked for keeps the
// compiler from dropping the store; Google Test deletes its environments
// before that check).
PrivateDisplay* processDisplay = nullptr;

namespace {

class PrivateDisplayEnvironment : public ::testing::Environment {
public:
    void SetUp() override { processDisplay = new PrivateDisplay(); }
};

} // namespace

void usePrivateDisplayForEveryTest()
{
    ::testing::AddGlobalTestEnvironment(new PrivateDisplayEnvironment);
}
