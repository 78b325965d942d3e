// The loading and waiting screens and the model import lines of the real game,
// in a real window under Xvfb.
#include "support/core/Process.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <sstream>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

const std::string gameBinary = std::string(SANDLARK_GAME_DIR) + "/sandlark";
const std::string outputDir = SANDLARK_TEST_OUTPUT_DIR;

const char* const modelOrder[] = {
    "Assets\\MGCrawlerModel03.obj",          "Assets\\MGCrawler_Base.obj",
    "Assets\\MGCrawler_Base1.obj",           "Assets\\MGCrawler_Base3.obj",
    "Assets\\MGCrawler_Body.obj",            "Assets\\duck.obj",
    "Assets\\marbleBox\\marbleBox.obj",      "Assets\\DestroyedMGCrawler01.obj",
    "Assets\\Gameobjects\\projectile02.obj", "Assets\\Gameobjects\\simpleExplosion.obj",
    "Assets\\Gameobjects\\p_cannon.obj",     "Assets\\e_drone01.obj",
    "Assets\\world\\st01v002-ground.obj",    "Assets\\world\\w_rock02.obj",
    "Assets\\world\\w_radarDome.obj",        "Assets\\world\\w_dustCloud.obj",
    "Assets\\world\\e_fireball.obj",
};

// A screenshot of the whole X screen, kept as PNG for a person to look at and
// read back through a PPM copy.
struct Screenshot {
    int width = 0, height = 0;
    std::vector<unsigned char> rgb;

    bool valid() const { return width > 0 && height > 0; }
    // (x, y) from the top-left corner.
    std::array<int, 3> at(int x, int y) const
    {
        const size_t i = (static_cast<size_t>(y) * width + x) * 3;
        return {rgb[i], rgb[i + 1], rgb[i + 2]};
    }
    int brightestChannel(int x, int y) const
    {
        const auto p = at(x, y);
        return std::max({p[0], p[1], p[2]});
    }
    // White pixels in the top-left corner, where the information lines go.
    int whiteInTopLeft() const
    {
        int count = 0;
        for (int y = 15; y < 160 && y < height; ++y)
            for (int x = 25; x < 300 && x < width; ++x) {
                const auto p = at(x, y);
                count += (p[0] > 220 && p[1] > 220 && p[2] > 220) ? 1 : 0;
            }
        return count;
    }
};

Screenshot takeScreenshot(const std::string& name)
{
    const std::string png = outputDir + "/" + name + ".png", ppm = outputDir + "/" + name + ".ppm";
    shellOutput("import -window root '" + png + "' && convert '" + png + "' '" + ppm + "'");
    std::istringstream in(readFile(ppm));
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

std::string makeGameDirectory(const std::string& name)
{
    const std::string dir = makeScratchDirectory(name);
    fs::copy(std::string(SANDLARK_GAME_DIR) + "/Shaders", dir + "/Shaders", fs::copy_options::recursive);
    fs::create_directory_symlink(std::string(SANDLARK_GAME_DIR) + "/Assets", dir + "/Assets");
    fs::copy_file(std::string(SANDLARK_GAME_DIR) + "/configuration.txt", dir + "/configuration.txt");
    return dir;
}

void press(const std::string& windowId, const std::string& key)
{
    shellOutput("xdotool windowfocus --sync " + windowId + "; xdotool keydown " + key + "; sleep 0.3; xdotool keyup " +
                key);
}

std::vector<std::string> linesOf(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        lines.push_back(line);
    return lines;
}

TEST(ScreensEndToEnd, LoadingThenWaitingScreenWithTheModelLinesInCatalogueOrder)
{
    if (!fs::exists(std::string(SANDLARK_GAME_DIR) + "/Assets"))
        GTEST_SKIP() << "the generated Assets/ are not in the game directory";
    const std::string dir = makeGameDirectory("screens-e2e");
    BackgroundProcess game({gameBinary}, dir);
    const std::string windowId =
        shellOutput("timeout 30 xdotool search --sync --pid " + std::to_string(game.pid()) + " | head -1");
    ASSERT_FALSE(windowId.empty()) << game.outputSoFar();
    const std::string id = windowId.substr(0, windowId.find('\n'));

    // The loading image stays up while the level loads and for two seconds after.
    const std::string lastModel = std::string("Model ") + modelOrder[16] + " loaded";
    const auto start = std::chrono::steady_clock::now();
    while (game.outputSoFar().find(lastModel) == std::string::npos && game.running() &&
           std::chrono::steady_clock::now() - start < std::chrono::seconds(60))
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    ASSERT_NE(game.outputSoFar().find(lastModel), std::string::npos) << game.outputSoFar();
    const Screenshot loading = takeScreenshot("loading-screen");
    ASSERT_TRUE(loading.valid());
    EXPECT_GT(loading.brightestChannel(640, 360) + loading.brightestChannel(100, 600), 20)
        << "the loading image is shown, not a black window";

    // Then the waiting screen: its image with the white lines in front of it.
    Screenshot waiting;
    for (int attempt = 0; attempt < 60 && game.running(); ++attempt) {
        std::this_thread::sleep_for(std::chrono::milliseconds(500));
        waiting = takeScreenshot("waiting-screen");
        if (waiting.valid() && waiting.whiteInTopLeft() > loading.whiteInTopLeft() + 200)
            break;
    }
    ASSERT_TRUE(waiting.valid());
    // The loading screen has no lines; the waiting screen adds them in white.
    EXPECT_GT(waiting.whiteInTopLeft(), loading.whiteInTopLeft() + 200) << "the level lines are drawn";
    EXPECT_GT(waiting.brightestChannel(640, 360) + waiting.brightestChannel(1000, 650), 20)
        << "the waiting image shows behind the text";

    press(id, "Return");
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    press(id, "Escape");
    const ProcessResult result = game.wait(60);
    EXPECT_EQ(result.exitStatus, 0) << result.out << result.err;

    // Each model prints two lines, in the catalogue's order, before anything
    // else of the catalogue prints.
    const auto lines = linesOf(result.out);
    size_t first = 0;
    while (first < lines.size() && lines[first].rfind("Load model ", 0) != 0)
        ++first;
    ASSERT_LE(first + 34, lines.size()) << result.out;
    for (size_t i = 0; i < 17; ++i) {
        EXPECT_EQ(lines[first + 2 * i], std::string("Load model ") + modelOrder[i]);
        EXPECT_EQ(lines[first + 2 * i + 1], std::string("Model ") + modelOrder[i] + " loaded");
    }
    EXPECT_NE(result.out.find("Cleaning up..."), std::string::npos);
}

} // namespace
