#include "support/core/GameWindow.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <sstream>
#include <thread>

namespace fs = std::filesystem;

namespace {

// Turns the picture grab() saved into the PNG kept for a person.
void keepScreen(const std::string& name)
{
    const std::string base = std::string(SANDLARK_TEST_OUTPUT_DIR) + "/" + name;
    shellOutput("convert '" + base + ".ppm' '" + base + ".png' 2>/dev/null && rm -f '" + base + ".ppm'");
}

// A binary PPM file, as the screen grab and ImageMagick write it.
Screenshot readPpm(const std::string& path)
{
    std::istringstream in(readFile(path));
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

std::string makeLevelDirectory(const std::string& name, const std::string& configuration,
                               const std::string& crawlerRoutes, const std::string& playerRoute)
{
    const fs::path generated = fs::path(SANDLARK_GAME_DIR) / "Assets";
    const fs::path dir = makeScratchDirectory(name);
    fs::copy(fs::path(SANDLARK_GAME_DIR) / "Shaders", dir / "Shaders", fs::copy_options::recursive);
    // Everything links to the generated assets but the two level files, which
    // are written here.
    fs::create_directories(dir / "Assets" / "world");
    for (const auto& entry : fs::directory_iterator(generated))
        if (entry.path().filename() != "world")
            fs::create_symlink(entry.path(), dir / "Assets" / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(generated / "world")) {
        const std::string file = entry.path().filename().string();
        if (file != "level1c2.obj" && file != "st01v002-pp.obj")
            fs::create_symlink(entry.path(), dir / "Assets" / "world" / file);
    }
    writeFile((dir / "Assets" / "world" / "level1c2.obj").string(), crawlerRoutes);
    writeFile((dir / "Assets" / "world" / "st01v002-pp.obj").string(), playerRoute);
    writeFile((dir / "configuration.txt").string(), configuration);
    return dir.string();
}

GameWindow::GameWindow(const std::string& gameDirectory)
    : process_(std::make_unique<BackgroundProcess>(std::vector<std::string>{std::string(SANDLARK_GAME_DIR) + "/sandlark"},
                                                   gameDirectory)),
      display_(std::getenv("DISPLAY") ? std::getenv("DISPLAY") : "")
{
}

std::string GameWindow::onDisplay(const std::string& command) const
{
    const std::string display = display_.empty() ? "" : "DISPLAY='" + display_ + "' ";
    return shellOutput(display + command + " 2>/dev/null");
}

std::string GameWindow::waitForWindow(double timeoutSeconds)
{
    // All conditions: by default xdotool lists the windows that meet any of them.
    // Only a mapped window: the name is set before the window is mapped, and
    // focusing a window in that gap fails, which drops the key sent with it.
    const std::string search =
        "xdotool search --all --onlyvisible --pid " + std::to_string(process_->pid()) + " --name Sandlark";
    for (double waited = 0; waited < timeoutSeconds && process_->running(); waited += 0.1) {
        const std::string found = trim(onDisplay(search));
        if (!found.empty()) {
            window_ = found.substr(0, found.find('\n'));
            return window_;
        }
        pause(100);
    }
    return "";
}

Region GameWindow::area()
{
    std::istringstream shell(onDisplay("xdotool getwindowgeometry --shell " + window_));
    Region region;
    int width = 0, height = 0;
    for (std::string line; std::getline(shell, line);) {
        const size_t equals = line.find('=');
        if (equals == std::string::npos)
            continue;
        const std::string key = line.substr(0, equals);
        const int value = std::atoi(line.c_str() + equals + 1);
        if (key == "X")
            region.left = value;
        else if (key == "Y")
            region.top = value;
        else if (key == "WIDTH")
            width = value;
        else if (key == "HEIGHT")
            height = value;
    }
    region.right = region.left + width;
    region.bottom = region.top + height;
    return region;
}

std::string GameWindow::transcript() const
{
    return "standard output:\n" + process_->outputSoFar() + "\nstandard error:\n" + process_->errorSoFar();
}

std::string GameWindow::title()
{
    return trim(onDisplay("xdotool getwindowname " + window_));
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

double GameWindow::framesPerSecond()
{
    const std::string prefix = "Sandlark V1.1 ";
    const std::string now = title();
    if (now.rfind(prefix, 0) != 0 || now.size() == prefix.size())
        return 0.0;
    return std::strtod(now.c_str() + prefix.size(), nullptr);
}

bool GameWindow::startPlaying(double timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    const std::string prefix = "Sandlark V1.1 ";
    const std::string before = title();
    keyDown("Return");
    bool playing = false;
    while (!playing && process_->running() && std::chrono::steady_clock::now() < deadline) {
        const std::string now = title();
        playing = now.rfind(prefix, 0) == 0 && now.size() > prefix.size() && now != before;
        if (!playing)
            pause(100);
    }
    keyUp("Return");
    if (!playing)
        return false;
    // The title changes before the first frame is drawn, which can take a while.
    const Region window = area();
    const Region clock{window.right - 130, window.top + 5, window.right, window.top + 55};
    const std::string poll = "first-frame-" + std::to_string(process_->pid());
    const auto soonest = std::chrono::steady_clock::now() + std::chrono::duration<double>(10.0);
    const auto atLeast = deadline > soonest ? deadline : soonest;
    bool shown = false;
    while (!shown && process_->running() && std::chrono::steady_clock::now() < atLeast) {
        shown = grab(poll).count(clock, isHudRed) > 80;
        if (!shown)
            pause(100);
    }
    std::error_code ignored;
    fs::remove(std::string(SANDLARK_TEST_OUTPUT_DIR) + "/" + poll + ".ppm", ignored);
    return shown;
}

void GameWindow::keyDown(const std::string& key)
{
    onDisplay("xdotool windowfocus --sync " + window_ + " keydown " + key);
}

void GameWindow::keyUp(const std::string& key)
{
    onDisplay("xdotool keyup " + key);
}

void GameWindow::tap(const std::string& key)
{
    const double fps = framesPerSecond();
    const int frames = fps > 0.0 ? static_cast<int>(2500.0 / fps) : 0;
    keyDown(key);
    pause(std::clamp(frames, 250, 3000));
    keyUp(key);
}

void GameWindow::buttonDown(int button)
{
    onDisplay("xdotool windowfocus --sync " + window_ + " mousedown " + std::to_string(button));
}

void GameWindow::buttonUp(int button)
{
    onDisplay("xdotool mouseup " + std::to_string(button));
}

void GameWindow::requestClose()
{
    onDisplay(std::string(SANDLARK_TEST_TOOLS_DIR) + "/wm_close " + window_);
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

int Screenshot::count(const Region& region, const std::function<bool(int r, int g, int b)>& test) const
{
    int found = 0;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, height); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, width); ++x) {
            const auto p = at(x, y);
            found += test(p[0], p[1], p[2]) ? 1 : 0;
        }
    return found;
}

int Screenshot::distinctColours(const Region& region) const
{
    std::set<int> colours;
    count(region, [&colours](int r, int g, int b) {
        colours.insert((r >> 4) << 8 | (g >> 4) << 4 | (b >> 4));
        return true;
    });
    return static_cast<int>(colours.size());
}

int Screenshot::whiteInTopLeft() const { return count({25, 15, 300, 160}, isWhite); }

int differingPixels(const Screenshot& a, const Screenshot& b, const Region& region, int tolerance)
{
    if (a.width != b.width || a.height != b.height)
        return region.area();
    int differing = 0;
    for (int y = std::max(region.top, 0); y < std::min(region.bottom, a.height); ++y)
        for (int x = std::max(region.left, 0); x < std::min(region.right, a.width); ++x) {
            const auto p = a.at(x, y), q = b.at(x, y);
            bool apart = false;
            for (int c = 0; c < 3; ++c)
                apart = apart || std::abs(p[c] - q[c]) > tolerance;
            differing += apart ? 1 : 0;
        }
    return differing;
}

bool isWhite(int r, int g, int b) { return r > 220 && g > 220 && b > 220; }

// (0.573, 0, 0): the motion blur may mix a little of the scene into the letters.
bool isHudRed(int r, int g, int b) { return r > 100 && r < 200 && g < 50 && b < 50; }

// (0.427, 0.603, 0): greener than anything in the desert at dusk.
bool isOverlayGreen(int r, int g, int b) { return g > 110 && g > r + 20 && b < 60; }

Screenshot GameWindow::waitForScreenshot(const std::string& name,
                                         const std::function<bool(const Screenshot&)>& test, double timeoutSeconds)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(timeoutSeconds);
    Screenshot shot;
    while (process_->running()) {
        shot = grab(name);
        if ((shot.valid() && test(shot)) || std::chrono::steady_clock::now() > deadline)
            break;
        pause(50);
    }
    keepScreen(name);
    return process_->running() ? shot : Screenshot{};
}

Screenshot GameWindow::screenshot(const std::string& name)
{
    Screenshot shot = grab(name);
    keepScreen(name);
    return shot;
}

Screenshot GameWindow::grab(const std::string& name) const
{
    const std::string ppm = std::string(SANDLARK_TEST_OUTPUT_DIR) + "/" + name + ".ppm";
    onDisplay(std::string(SANDLARK_TEST_TOOLS_DIR) + "/screen_grab '" + ppm + "'");
    return readPpm(ppm);
}

Screenshot loadPicture(const std::string& path)
{
    const std::string ppm = makeScratchDirectory("picture") + "/picture.ppm";
    shellOutput("convert '" + path + "' -depth 8 'ppm:" + ppm + "' 2>/dev/null");
    Screenshot picture = readPpm(ppm);
    std::error_code ignored;
    fs::remove(ppm, ignored);
    return picture;
}

