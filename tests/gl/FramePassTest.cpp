// The frame passes on a real level, in-process: what each pass draws (counted
// by the GPU), what the colour pass counts, and where wire-frame drawing
// applies.
#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Overlay.h"
#include "app/Startup.h"
#include "render/FramePasses.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/TestLevel.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <vector>

namespace fs = std::filesystem;

namespace {

class FramePassTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        TestLevel level;
        // Two crawlers right ahead of the player, one beside the other.
        level.crawlerRoutes = "v 0 0 400\nv 0 0 5000\ng a\nv 100 0 400\nv 100 0 5000\ng b\n";
        fs::current_path(level.write("frame-passes"));
        game().input = std::make_unique<ScriptedInput>();
        testing::internal::CaptureStdout();
        initializeGame();
        game().input = std::make_unique<ScriptedInput>();
        loadLevel();
        testing::internal::GetCapturedStdout();
    }

    void SetUp() override { game().toggles = RenderToggles{}; }

    static int render()
    {
        const Game& g = game();
        return renderFrame({g.world, g.assets, g.targets, g.postProcessing, g.toggles, g.textRenderer.get()}, [] {});
    }

    // Triangles every pass of one frame sent to the GPU.
    static GLuint trianglesOfAFrame()
    {
        GLuint query = 0;
        glGenQueries(1, &query);
        glBeginQuery(GL_PRIMITIVES_GENERATED, query);
        render();
        glEndQuery(GL_PRIMITIVES_GENERATED);
        GLuint count = 0;
        glGetQueryObjectuiv(query, GL_QUERY_RESULT, &count);
        glDeleteQueries(1, &query);
        return count;
    }

    static GLuint triangles(const MeshBounds* model) { return static_cast<const Mesh*>(model)->data.drawCount / 3; }

    static std::vector<float> shadowDepths()
    {
        std::vector<float> depths(static_cast<std::size_t>(shadowMapSize) * shadowMapSize);
        glBindTexture(GL_TEXTURE_2D, game().targets.shadowMap.shadowMapTexture);
        glGetTexImage(GL_TEXTURE_2D, 0, GL_DEPTH_COMPONENT, GL_FLOAT, depths.data());
        glBindTexture(GL_TEXTURE_2D, 0);
        return depths;
    }

    static std::vector<unsigned char> colourImage()
    {
        const RenderTargets& targets = game().targets;
        std::vector<unsigned char> pixels(static_cast<std::size_t>(targets.width) * targets.height * 4);
        glBindFramebuffer(GL_READ_FRAMEBUFFER, targets.colorFramebuffer.framebuffer);
        glReadBuffer(GL_COLOR_ATTACHMENT0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, targets.width, targets.height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
        return pixels;
    }
};

TEST_F(FramePassTest, WithoutCullingEveryObjectButTheGroundIsCountedAndCullingDropsSome)
{
    World& world = game().world;
    game().toggles.frustumCulling = false;
    std::size_t objects = world.scenery.size() - 1 + 1; // the scenery but the ground, and the drone
    for (const Crawler& crawler : world.crawlers)
        objects += crawler.destroyed ? 1 : 3;
    EXPECT_EQ(render(), static_cast<int>(objects));

    game().toggles.frustumCulling = true;
    const int culled = render();
    EXPECT_GT(culled, 3) << "the crawlers ahead are in view";
    EXPECT_LT(culled, static_cast<int>(objects)) << "most rocks lie outside the view";
}

TEST_F(FramePassTest, CullingDrawsFarFewerTrianglesAndTheSamePicture)
{
    // Off: every object and the whole ground in every pass. On: what the
    // camera sees, of the shadow casters what the headlight sees, and of the
    // ground only its pieces in view. The duck crawler stands so close to
    // the eye that its box reaches past the near plane: it is still drawn.
    game().toggles.frustumCulling = false;
    const GLuint all = trianglesOfAFrame();
    const std::vector<unsigned char> colour = colourImage();
    const std::vector<float> shadow = shadowDepths();
    game().toggles.frustumCulling = true;
    const GLuint culled = trianglesOfAFrame();
    EXPECT_LT(culled, all / 2);
    EXPECT_EQ(colourImage(), colour) << "something in view was left out";
    EXPECT_EQ(shadowDepths(), shadow) << "a shadow caster in the headlight's view was left out";
}

TEST_F(FramePassTest, AtHalfScaleTheSceneStillFillsTheWindowAndTheHudStaysSharp)
{
    Game& g = game();
    g.state.killCount = 8;
    const int width = g.targets.width, height = g.targets.height;
    const auto window = [&](float scale) {
        FrameView view{g.world, g.assets, g.targets, g.postProcessing, g.toggles, g.textRenderer.get(), nullptr, scale};
        renderFrame(view, drawOverlay);
        std::vector<unsigned char> pixels(static_cast<std::size_t>(width) * height * 4);
        glReadBuffer(GL_BACK);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, width, height, GL_RGBA, GL_UNSIGNED_BYTE, pixels.data());
        return pixels;
    };
    const std::vector<unsigned char> full = window(1.0f);
    // Nothing of the full-size frame may stand in for the half-size one.
    g.targets.colorFramebuffer.bind(RenderTarget::Color);
    glClearColor(0.0f, 0.0f, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    const std::vector<unsigned char> half = window(0.5f);

    // Each part of the window shows what it showed at full size, only
    // coarser: no black border, nothing stretched out of place.
    const int across = 8, down = 6;
    for (int by = 0; by < down; ++by)
        for (int bx = 0; bx < across; ++bx) {
            double fullSum = 0.0, halfSum = 0.0;
            for (int y = by * height / down; y < (by + 1) * height / down; ++y)
                for (int x = bx * width / across; x < (bx + 1) * width / across; ++x)
                    for (int c = 0; c < 3; ++c) {
                        const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4 + c;
                        fullSum += full[at];
                        halfSum += half[at];
                    }
            const double pixels = 3.0 * (width / across) * (height / down);
            EXPECT_NEAR(halfSum / pixels, fullSum / pixels, 12.0) << "part " << bx << ", " << by;
        }

    // The kill counter at the top left: the same red pixels at both scales.
    int red = 0, differ = 0;
    for (int y = height - 55; y < height - 5; ++y)
        for (int x = 20; x < 90; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 4;
            const auto isRed = [at](const std::vector<unsigned char>& p) {
                return p[at] > 80 && p[at + 1] < 30 && p[at + 2] < 30;
            };
            red += isRed(full) ? 1 : 0;
            differ += isRed(full) != isRed(half) ? 1 : 0;
        }
    EXPECT_GT(red, 40) << "the counter's \"8\"";
    EXPECT_LE(differ, red / 20) << "the text was stretched with the scene";
}

TEST_F(FramePassTest, AWreckIsItsBaseAloneInTheShadowAndTheColourPasses)
{
    game().toggles.frustumCulling = false;
    Crawler& crawler = game().world.crawlers[0];
    const GLuint alive = trianglesOfAFrame();
    const GLuint base = triangles(crawler.basePart.model), body = triangles(crawler.bodyPart.model),
                 marker = triangles(crawler.marker.model), wreck = triangles(crawler.destroyedModel);
    crawler.destroyed = true;
    crawler.basePart.model = crawler.destroyedModel;
    const GLuint destroyed = trianglesOfAFrame();
    crawler.destroyed = false;
    crawler.basePart.model = crawler.trackModels[0];
    // Crawlers appear in two passes (shadow and colour), never in the velocity pass.
    EXPECT_EQ(static_cast<long>(alive) - static_cast<long>(destroyed),
              2L * (body + marker) + 2L * (static_cast<long>(base) - static_cast<long>(wreck)));
}

TEST_F(FramePassTest, WireFrameReachesTheSceneButNotTheShadowMap)
{
    render();
    const std::vector<float> filledShadow = shadowDepths();
    const std::vector<unsigned char> filledColour = colourImage();
    game().toggles.wireframe = true;
    render();
    const std::vector<float> wireShadow = shadowDepths();
    const std::vector<unsigned char> wireColour = colourImage();
    GLint mode[2] = {0, 0};
    glGetIntegerv(GL_POLYGON_MODE, mode);

    EXPECT_EQ(wireShadow, filledShadow) << "the shadow pass always fills";
    EXPECT_NE(wireColour, filledColour) << "the scene is drawn as lines";
    EXPECT_EQ(mode[0], GL_FILL) << "the frame ends filling again, for the composite and the next screen";
    int covered = 0;
    for (float depth : filledShadow)
        covered += depth < 1.0f ? 1 : 0;
    EXPECT_GT(covered, 1000) << "the headlight sees the ground: a shadow map that was drawn";
}

} // namespace
