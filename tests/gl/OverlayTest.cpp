// The in-game text drawn over the picture, read back pixel by pixel: the
// kill counter and the clock at the top, the crosshair at the centre, the
// statistics at the lower left and the notices at the lower right, "PAUSED"
// and the help panel.
#include "app/Game.h"
#include "app/Overlay.h"
#include "support/core/Process.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/GlTestContext.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

namespace {

// Wide enough that the notices (300 from the right) clear the statistics.
constexpr int width = 800, height = 240;

class OverlayTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        requireGlContext();
        previous = fs::current_path();
        const std::string dir = makeScratchDirectory("overlay");
        fs::create_directory_symlink(std::string(SANDLARK_SOURCE_DIR) + "/Shaders", dir + "/Shaders");
        fs::create_directories(dir + "/Assets/Fonts");
        fs::copy_file("/usr/share/fonts/opentype/bebas-neue/BebasNeue-Regular.otf",
                      dir + "/Assets/Fonts/AmericanCaptain.ttf");
        fs::current_path(dir);

        Game& g = game();
        g.settings.screenwidth = width;
        g.settings.screenheight = height;
        g.state = GameState{};
        g.toggles = RenderToggles{};
        g.notices = ToggleNotices{};
        auto input = std::make_unique<ScriptedInput>();
        script = input.get();
        g.input = std::move(input);
        testing::internal::CaptureStdout();
        g.targets.colorFramebuffer.create(width, height);
        testing::internal::GetCapturedStdout();
        textProgram = createShaderProgram("Shaders\\text.vert", "Shaders\\text.frag");
        g.textRenderer = std::make_unique<TextRenderer>(static_cast<float>(width), static_cast<float>(height),
                                                        textProgram.get());
        glDisable(GL_DEPTH_TEST);
        glEnable(GL_BLEND);
        glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
    }

    void TearDown() override
    {
        game().textRenderer.reset();
        game().targets = RenderTargets{};
        game().settings = Settings{};
        game().helpShown = false;
        fs::current_path(previous);
    }

    // Draws the overlay over an image of one grey (black by default) and reads it back.
    void draw(float grey = 0.0f)
    {
        game().targets.colorFramebuffer.bind(RenderTarget::Color);
        glViewport(0, 0, width, height);
        glClearColor(grey, grey, grey, 1);
        glClear(GL_COLOR_BUFFER_BIT);
        drawOverlay();
        glBindFramebuffer(GL_READ_FRAMEBUFFER, game().targets.colorFramebuffer.framebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        pixels.resize(static_cast<std::size_t>(width) * height * 4);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    }

    // Pixels of one colour family in the rectangle x0..x1, y0..y1 (from the bottom).
    template <typename Predicate>
    int count(int x0, int x1, int y0, int y1, Predicate matches) const
    {
        int found = 0;
        for (int y = y0; y <= y1; ++y)
            for (int x = x0; x <= x1; ++x) {
                const unsigned char* p = &pixels[(static_cast<std::size_t>(y) * width + x) * 4];
                found += matches(p[0], p[1], p[2]) ? 1 : 0;
            }
        return found;
    }
    static bool red(int r, int g, int b) { return r > 80 && g < 30 && b < 30; }
    static bool white(int r, int g, int b) { return r > 180 && g > 180 && b > 180; }
    static bool green(int r, int g, int b) { return g > 60 && g > r && b < 30; }

    std::unique_ptr<ShaderProgram> textProgram;
    ScriptedInput* script = nullptr;
    std::vector<unsigned char> pixels;
    fs::path previous;
};

TEST_F(OverlayTest, KillCounterAndClockAtTheTopCrosshairAtTheCentre)
{
    game().state.killCount = 7;
    game().state.levelSeconds = 65.0;
    draw();
    EXPECT_GT(count(20, 60, height - 50, height - 15, red), 20) << "the kill counter, top left";
    EXPECT_GT(count(width - 125, width - 40, height - 50, height - 15, red), 40) << "01:05, top right";
    EXPECT_EQ(count(80, width - 130, height - 60, height - 1, red), 0) << "nothing between them";
    EXPECT_GT(count(width / 2, width / 2 + 15, height / 2 - 2, height / 2 + 20, white), 5) << "the crosshair";
    EXPECT_EQ(count(0, width - 1, 0, 80, green), 0) << "no statistics or notices unless asked for";
}

TEST_F(OverlayTest, NoCrosshairForTheFreeCameraOrAReleasedPointer)
{
    game().settings.debugmode = true;
    draw();
    EXPECT_EQ(count(0, width - 1, 0, height - 60, white), 0);
    game().settings.debugmode = false;
    game().state.mouseCaptured = false;
    draw();
    EXPECT_EQ(count(0, width - 1, 0, height - 60, white), 0);
}

TEST_F(OverlayTest, StatisticsLowerLeftNoticesLowerRightForTwoSeconds)
{
    game().toggles.showStatistics = true;
    game().state.displayFps = 60.0;
    script->jumpClock(0.0, 10.0);
    script->pollEvents();
    game().notices.cullingToggleTime = 9.0; // one second ago: still shown
    game().notices.wireframeToggleTime = 7.5; // two and a half: gone
    draw();
    EXPECT_GT(count(20, 140, 25, 50, green), 30) << "frame time";
    EXPECT_GT(count(20, 100, 55, 80, green), 20) << "FPS";
    EXPECT_GT(count(width - 305, width - 1, 115, 140, green), 30) << "the culling notice";
    EXPECT_EQ(count(width - 305, width - 1, 25, 50, green), 0) << "the wire frame notice has gone";
}

TEST_F(OverlayTest, PausedIsCentredAndTheHelpPanelDimsTheSceneBehindItsLines)
{
    game().state.paused = true;
    game().settings.debugmode = true; // no crosshair under the word
    draw();
    const int paused = count(0, width - 1, height / 2 - 95, height / 2 - 20, white);
    EXPECT_GT(paused, 200) << "PAUSED below the centre";
    const int leftHalf = count(0, width / 2 - 1, height / 2 - 95, height / 2 - 20, white);
    EXPECT_NEAR(leftHalf, paused - leftHalf, paused / 4) << "as much of it left of the centre as right";

    game().state.paused = false;
    game().helpShown = true;
    draw(0.6f);
    const HudPanel panel = helpPanel(width, height);
    const int left = static_cast<int>(panel.left), right = static_cast<int>(panel.left + panel.width);
    const int top = static_cast<int>(panel.bottom + panel.height);
    const auto dimmed = [](int r, int g, int b) { return r > 30 && r < 90 && g > 30 && g < 90 && b > 30 && b < 90; };
    const auto grey = [](int r, int g, int b) { return r > 140 && r < 165 && g > 140 && g < 165 && b > 140 && b < 165; };
    EXPECT_GT(count(left + 2, right - 2, 0, top - 2, dimmed), (right - left) * top / 2) << "the scene shows through, darker";
    EXPECT_GT(count(left, right, 0, top, white), 500) << "the controls in white";
    EXPECT_EQ(count(0, left - 2, 0, height - 60, grey), (left - 1) * (height - 59)) << "nothing left of the panel";
}

} // namespace
