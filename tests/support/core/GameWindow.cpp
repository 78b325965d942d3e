#include "support/core/GameWindow.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

std::string trim(std::string text)
{
    while (!text.empty() && text.back() == '\n')
        text.pop_back();
    return text;
}

} // namespace

void pause(int milliseconds)
{
    std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

std::string makeGameDirectory(const std::string& name, bool withConfiguration)
{
    const std::string game = SANDLARK_GAME_DIR;
    const std::string dir = makeScratchDirectory(name);
    fs::copy(game + "/Shaders", dir + "/Shaders", fs::copy_options::recursive);
    if (fs::exists(game + "/Assets"))
        fs::create_directory_symlink(game + "/Assets", dir + "/Assets");
    if (withConfiguration)
        fs::copy_file(game + "/configuration.txt", dir + "/configuration.txt");
    return dir;
}

GameWindow::GameWindow(const std::string& gameDirectory)
    : process_(std::make_unique<BackgroundProcess>(std::vector<std::string>{std::string(SANDLARK_GAME_DIR) + "/sandlark"},
                                                   gameDirectory))
{
}

std::string GameWindow::waitForWindow(double timeoutSeconds)
{
    const std::string search = "xdotool search --pid " + std::to_string(process_->pid()) + " --name 'Sandlark' 2>/dev/null";
    for (double waited = 0; waited < timeoutSeconds && process_->running(); waited += 0.1) {
        const std::string found = trim(shellOutput(search));
        if (!found.empty()) {
            window_ = found.substr(0, found.find('\n'));
            return window_;
        }
        pause(100);
    }
    return "";
}

std::string GameWindow::transcript() const
{
    return "standard output:\n" + process_->outputSoFar() + "\nstandard error:\n" + process_->errorSoFar();
}

std::string GameWindow::title()
{
    return trim(shellOutput("xdotool getwindowname " + window_ + " 2>/dev/null"));
}

bool GameWindow::waitForTitlePrefix(const std::string& prefix, bool exact, double timeoutSeconds)
{
    for (double waited = 0; waited < timeoutSeconds && process_->running(); waited += 0.1) {
        const std::string now = title();
        if (exact ? now == prefix : (now.rfind(prefix, 0) == 0 && now.size() > prefix.size()))
            return true;
        pause(100);
    }
    return false;
}

void GameWindow::keyDown(const std::string& key)
{
    shellOutput("xdotool windowfocus --sync " + window_ + " keydown " + key + " 2>/dev/null");
}

void GameWindow::keyUp(const std::string& key)
{
    shellOutput("xdotool keyup " + key + " 2>/dev/null");
}

void GameWindow::requestClose()
{
    shellOutput(std::string(SANDLARK_TEST_TOOLS_DIR) + "/wm_close " + window_);
}

std::array<int, 3> Screenshot::at(int x, int y) const
{
    const size_t i = (static_cast<size_t>(y) * width + x) * 3;
    return {rgb[i], rgb[i + 1], rgb[i + 2]};
}

int Screenshot::brightestChannel(int x, int y) const
{
    const auto p = at(x, y);
    return std::max({p[0], p[1], p[2]});
}

int Screenshot::whiteInTopLeft() const
{
    int count = 0;
    for (int y = 15; y < 160 && y < height; ++y)
        for (int x = 25; x < 300 && x < width; ++x) {
            const auto p = at(x, y);
            count += (p[0] > 220 && p[1] > 220 && p[2] > 220) ? 1 : 0;
        }
    return count;
}

Screenshot GameWindow::screenshot(const std::string& name)
{
    const std::string base = std::string(SANDLARK_TEST_OUTPUT_DIR) + "/" + name;
    shellOutput("import -window root '" + base + ".png' 2>/dev/null && convert '" + base + ".png' '" + base +
                ".ppm' 2>/dev/null");
    std::istringstream in(readFile(base + ".ppm"));
    Screenshot shot;
    std::string magic;
    int maximum = 0;
    in >> magic >> shot.width >> shot.height >> maximum;
    in.get();
    if (magic != "P6" || maximum != 255)
        return {};
    shot.rgb.resize(static_cast<size_t>(shot.width) * shot.height * 3);
    in.read(reinterpret_cast<char*>(shot.rgb.data()), static_cast<std::streamsize>(shot.rgb.size()));
    return shot;
}
