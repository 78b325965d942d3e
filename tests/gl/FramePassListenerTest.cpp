// The passes of a real level-1 frame as a listener hears them: in order, each
// once, with the draws and triangles the world asks for (counted where OpenGL
// receives them and checked against OpenGL's own primitive count), and the
// loading-time warm-up frame drawing every mesh without touching the world.
#include "DrawCounter.h"
#include "PassRecorder.h"

#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Overlay.h"
#include "app/Startup.h"
#include "assets/Mesh.h"
#include "render/FramePasses.h"
#include "render/ShaderWarmUp.h"
#include "support/core/GameWindow.h"
#include "support/core/Process.h"

#include <GL/glew.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

// Hears the passes; counts them with a PassRecorder and, independently, with
// OpenGL's GL_PRIMITIVES_GENERATED query.
class Listener : public FramePassListener {
public:
    Listener() { glGenQueries(framePassCount, queries); }
    ~Listener() override { glDeleteQueries(framePassCount, queries); }

    void passBegins(FramePass pass) override
    {
        heard.push_back(std::string("+") + framePassNames[static_cast<int>(pass)]);
        recorder.passBegins(pass);
        glBeginQuery(GL_PRIMITIVES_GENERATED, queries[static_cast<int>(pass)]);
    }
    void passEnds(FramePass pass) override
    {
        glEndQuery(GL_PRIMITIVES_GENERATED);
        recorder.passEnds(pass);
        heard.push_back(std::string("-") + framePassNames[static_cast<int>(pass)]);
    }

    // OpenGL's count of the primitives each pass assembled.
    std::vector<GLuint64> primitives()
    {
        std::vector<GLuint64> counts(framePassCount, 0);
        for (int i = 0; i < framePassCount; ++i)
            glGetQueryObjectui64v(queries[i], GL_QUERY_RESULT, &counts[i]);
        return counts;
    }

    std::vector<std::string> heard;
    PassRecorder recorder{false, false};
    GLuint queries[framePassCount] = {};
};

const PassFigures& of(const FramePassFigures& figures, FramePass pass)
{
    return figures[static_cast<size_t>(pass)];
}

long long trianglesOfMesh(const GameObject& object)
{
    return static_cast<const Mesh&>(*object.model).data.drawCount / 3;
}

class FramePassListenerTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        fs::current_path(makeGameDirectory("frame-pass-listener"));
        writeFile("configuration.txt", "screenwidth 320\nscreenheight 180\n");
        testing::internal::CaptureStdout();
        initializeGame();
        countInstancedDraws();
        loadLevel();
        testing::internal::GetCapturedStdout();
    }

    FrameView view(FramePassListener* listener)
    {
        Game& g = game();
        return {g.world, g.assets, g.targets, g.postProcessing, g.toggles, g.textRenderer.get(), listener};
    }
};

} // namespace

TEST_F(FramePassListenerTest, HearsEveryPassOnceInFrameOrder)
{
    Listener listener;
    renderFrame(view(&listener), drawOverlay);
    EXPECT_EQ(listener.heard,
              (std::vector<std::string>{"+clear", "-clear", "+shadow", "-shadow", "+velocity", "-velocity", "+colour",
                                        "-colour", "+sky", "-sky", "+particles", "-particles", "+composite",
                                        "-composite", "+overlay", "-overlay"}));
}

TEST_F(FramePassListenerTest, CountsWhatTheWorldAsksForAndWhatOpenGlAssembles)
{
    World& world = game().world;
    // A kill's bursts and a shot, so the velocity and particle draws are there too.
    const glm::vec3 ahead = world.currentCamera->position + 40.0f * world.currentCamera->forward();
    world.debrisEmitter->burst(ahead, 0.0);
    world.fireballEmitter->burst(ahead, 0.0);
    world.playerWeapon.launch(world.currentCamera->position, ahead, 0.0);
    // Everything the world holds, in view or not.
    game().toggles.frustumCulling = false;

    Listener listener;
    const int drawn = renderFrame(view(&listener), drawOverlay);
    game().toggles.frustumCulling = true;
    glFinish();
    const FramePassFigures figures = listener.recorder.takeFrame();
    const std::vector<GLuint64> primitives = listener.primitives();

    long long casterDraws = 0, casterTriangles = 0;
    auto caster = [&](const GameObject& object) {
        ++casterDraws;
        casterTriangles += trianglesOfMesh(object);
    };
    for (const Crawler& crawler : world.crawlers) {
        caster(crawler.basePart);
        if (!crawler.destroyed) {
            caster(crawler.bodyPart);
            caster(crawler.marker);
        }
    }
    for (const GameObject& object : world.scenery)
        caster(object);
    EXPECT_EQ(of(figures, FramePass::Shadow).draws, casterDraws);
    EXPECT_EQ(of(figures, FramePass::Shadow).triangles, casterTriangles);

    const auto& debris = world.debrisEmitter->particles.objects;
    const auto& fire = world.fireballEmitter->particles.objects;
    ASSERT_EQ(debris.size() + fire.size(), 402u);
    const long long velocityTriangles = trianglesOfMesh(world.scenery.front()) +
                                        trianglesOfMesh(world.playerWeapon.objects.front()) +
                                        static_cast<long long>(debris.size()) * trianglesOfMesh(debris.front()) +
                                        static_cast<long long>(fire.size()) * trianglesOfMesh(fire.front());
    EXPECT_EQ(of(figures, FramePass::Velocity).draws, 1 + 1 + 402) << "the ground, the shot and the particles";
    EXPECT_EQ(of(figures, FramePass::Velocity).triangles, velocityTriangles);

    EXPECT_EQ(of(figures, FramePass::Colour).draws + of(figures, FramePass::Particles).draws, drawn + 1)
        << "what the frame counted, and the ground";
    EXPECT_EQ(of(figures, FramePass::Particles).draws, static_cast<long long>(fire.size())) << "the fire, blended";
    EXPECT_EQ(of(figures, FramePass::Sky).draws, 1);
    EXPECT_EQ(of(figures, FramePass::Sky).triangles, 12) << "the sky box";
    EXPECT_EQ(of(figures, FramePass::Composite).draws, 1);
    EXPECT_EQ(of(figures, FramePass::Composite).triangles, 2) << "the full-screen quad";
    EXPECT_EQ(of(figures, FramePass::Clear).draws, 0);
    EXPECT_GT(of(figures, FramePass::Overlay).draws, 0) << "the HUD's glyphs";

    for (int pass = 0; pass < framePassCount; ++pass)
        EXPECT_EQ(static_cast<GLuint64>(figures[pass].triangles), primitives[pass]) << framePassNames[pass];

    world.debrisEmitter->particles.objects.clear();
    world.fireballEmitter->particles.objects.clear();
    world.playerWeapon.objects.clear();
}

TEST_F(FramePassListenerTest, WarmUpDrawsEveryMeshInEveryPassAndLeavesTheWorldAlone)
{
    const World& world = game().world;
    const glm::vec3 cameraAt = world.currentCamera->position;
    const float yaw = world.currentCamera->yaw;
    const glm::mat4 previous = world.previousViewProjection;
    const size_t scenery = world.scenery.size();

    Listener listener;
    drawWarmUpFrame(view(&listener), drawOverlay);
    const FramePassFigures figures = listener.recorder.takeFrame();

    // The seventeen meshes of the catalogue cast shadows and are lit; one of
    // them is the ground. Two shots and three particles come on top.
    EXPECT_EQ(of(figures, FramePass::Shadow).draws, 17);
    EXPECT_EQ(of(figures, FramePass::Colour).draws + of(figures, FramePass::Particles).draws, 17 + 2 + 3);
    EXPECT_EQ(of(figures, FramePass::Velocity).draws, 1 + 2 + 3) << "the ground, both weapons' tracers, the particles";
    EXPECT_EQ(of(figures, FramePass::Sky).draws, 1);
    EXPECT_EQ(of(figures, FramePass::Composite).draws, 1);

    EXPECT_EQ(world.currentCamera->position, cameraAt);
    EXPECT_EQ(world.currentCamera->yaw, yaw);
    EXPECT_EQ(world.previousViewProjection, previous);
    EXPECT_EQ(world.scenery.size(), scenery);
    EXPECT_TRUE(world.playerWeapon.objects.empty());
    EXPECT_TRUE(world.debrisEmitter->particles.objects.empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}
