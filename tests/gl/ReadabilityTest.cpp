// Whether a player can read the fight, measured on frames of the real game at
// 1280x720 without motion blur or HUD: the player parked on flat sand, a
// crawler put straight ahead at the distances the fight happens at, and the
// player's fire at open ground. Each frame is compared with the same frame
// without the thing measured.
#include "app/Game.h"
#include "render/FramePasses.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/InProcessGame.h"
#include "support/gl/TestLevel.h"

#include <GL/glew.h>
#include <glm/gtc/matrix_transform.hpp>
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <numeric>
#include <utility>
#include <vector>

namespace {

constexpr int width = 1280, height = 720;

// A whole frame, bottom row first, three bytes a pixel.
struct Frame {
    std::vector<unsigned char> pixels;

    const unsigned char* at(int x, int y) const { return &pixels[(static_cast<std::size_t>(y) * width + x) * 3]; }
};

// The frame the game would show now, without the HUD.
Frame drawScene()
{
    Game& g = game();
    g.postProcessing.setVelocityScale(0.0f);
    renderFrame({g.world, g.assets, g.targets, g.postProcessing, g.toggles, nullptr}, [] {});
    Frame frame;
    frame.pixels.resize(static_cast<std::size_t>(width) * height * 3);
    glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, width, height, GL_RGB, GL_UNSIGNED_BYTE, frame.pixels.data());
    return frame;
}

// Pixels of the 240x120 box around `centre` (window pixels from the bottom
// left) whose largest channel differs between the frames by more than 30% of
// the full scale.
int differingAround(const Frame& a, const Frame& b, glm::ivec2 centre)
{
    int count = 0;
    for (int y = std::max(centre.y - 60, 0); y < std::min(centre.y + 60, height); ++y)
        for (int x = std::max(centre.x - 120, 0); x < std::min(centre.x + 120, width); ++x) {
            int largest = 0;
            for (int c = 0; c < 3; ++c)
                largest = std::max(largest, std::abs(a.at(x, y)[c] - b.at(x, y)[c]));
            count += largest > 0.3 * 255.0 ? 1 : 0;
        }
    return count;
}

// Pixels of the frame brighter than 85% grey.
int brightPixels(const Frame& frame)
{
    int count = 0;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const unsigned char* p = frame.at(x, y);
            count += 0.2126 * p[0] + 0.7152 * p[1] + 0.0722 * p[2] > 0.85 * 255.0 ? 1 : 0;
        }
    return count;
}

glm::ivec2 pixelOf(const glm::mat4& cameraMatrix, glm::vec3 point)
{
    const glm::vec4 clip = cameraMatrix * glm::vec4(point, 1.0f);
    const glm::vec2 ndc = glm::vec2(clip) / clip.w;
    return {static_cast<int>((ndc.x * 0.5f + 0.5f) * width), static_cast<int>((ndc.y * 0.5f + 0.5f) * height)};
}

// Flat sand at -2, where the test's heightmap puts it: the generated ground
// squashed flat, and the rocks taken away.
void flattenDesert(World& world)
{
    GameObject& ground = world.scenery.front();
    ground.scale.y = 1e-4f;
    ground.position.y = -2.0f;
    world.scenery.resize(1, GameObject(nullptr));
}

// Puts the crawler, standing still, at `position` turned by `yawDegrees`.
void place(Crawler& crawler, glm::vec3 position, float yawDegrees)
{
    crawler.position = position;
    crawler.rotation = glm::rotate(glm::mat4(1.0f), glm::radians(yawDegrees), glm::vec3(0, 1, 0));
    for (GameObject* part : {&crawler.basePart, &crawler.bodyPart}) {
        part->position = position;
        part->rotation = crawler.rotation;
    }
    crawler.marker.position = position + glm::vec3(0.0f, 20.0f, 0.0f);
}

class ReadabilityTest : public InProcessGame {
protected:
    static void SetUpTestSuite()
    {
        // The player parked at the origin, 2 above the sand; both of the
        // level's crawlers parked far behind, out of range and out of view.
        // The last crawler carries the duck: the first is a plain crawler.
        TestLevel level;
        level.playerRoute = "v 0 0 0\nv 0 0 0\n";
        level.crawlerRoutes = "v 0 0 -6000\nv 0 0 -6000\ng parked\nv 100 0 -6000\nv 100 0 -6000\ng duck\n";
        level.configuration = "screenwidth 1280\nscreenheight 720\nsoundvolume 0\nfMotionblurFactor 0\n";
        startGameIn(level.write("readability"));
    }

    void SetUp() override
    {
        InProcessGame::SetUp();
        game().settings.debugmode = false;
        // Sixteen frames a second, about the game's rate on a slow machine:
        // the tracers' trails are made for it, and the loop draws fewer frames.
        auto input = std::make_unique<ScriptedInput>(1.0 / 16.0, 5000.0);
        script = input.get();
        game().input = std::move(input);
        script->holdKey(2.1, 2.2, Key::Enter);
    }
};

TEST_F(ReadabilityTest, ACrawlerStandsOutFromTheSandOutToThreeHundredUnits)
{
    struct Goal {
        float distance;
        int pixels; // that differ by more than 30%
    };
    const Goal goals[] = {{60.0f, 1000}, {150.0f, 200}, {300.0f, 40}};
    // Into the low sun (the crawler backlit), away from it, and across it.
    const float headings[] = {180.0f, 0.0f, 90.0f};
    std::vector<int> found;
    script->at(2.5, [&] {
        World& world = game().world;
        flattenDesert(world);
        Camera& player = world.playerCamera();
        Crawler& crawler = world.crawlers.front();
        for (float yaw : headings) {
            player.yaw = yaw;
            for (const Goal& goal : goals) {
                const glm::vec3 ahead = player.position + player.forward() * goal.distance;
                const glm::vec3 ground(ahead.x, -2.0f, ahead.z);
                place(crawler, ground, 30.0f);
                const Frame with = drawScene();
                place(crawler, glm::vec3(0.0f, -2.0f, -6000.0f), 30.0f);
                const Frame without = drawScene();
                const glm::ivec2 centre = pixelOf(player.matrix(), ground + glm::vec3(0.0f, 2.5f, 0.0f));
                found.push_back(differingAround(with, without, centre));
            }
        }
    });
    script->closeWindow(2.6);
    play();

    ASSERT_EQ(found.size(), std::size(headings) * std::size(goals));
    for (std::size_t i = 0; i < found.size(); ++i) {
        const Goal& goal = goals[i % std::size(goals)];
        EXPECT_GE(found[i], goal.pixels) << "a crawler " << goal.distance << " away, heading "
                                         << headings[i / std::size(goals)];
    }
}

// The frame as it is, and as it would be had the player never fired: no shots,
// no flashes, no dust of their hits, the muzzle light dark.
std::pair<Frame, Frame> drawWithAndWithoutFire()
{
    World& world = game().world;
    const Frame with = drawScene();
    const ProjectileSystem weapon = world.playerWeapon;
    const Flashes flashes = world.flashes;
    const std::vector<GameObject> dust = world.dustEmitter->particles.objects;
    world.playerWeapon.objects.clear();
    world.playerWeapon.firing = false;
    world.flashes.live.clear();
    world.dustEmitter->particles.objects.clear();
    const Frame without = drawScene();
    world.playerWeapon = weapon;
    world.flashes = flashes;
    world.dustEmitter->particles.objects = dust;
    return {with, without};
}

TEST_F(ReadabilityTest, FireAtOpenGroundShowsAsBrightTracersFlashesAndSparks)
{
    std::vector<int> extra;
    script->at(2.3, [&] {
        World& world = game().world;
        flattenDesert(world);
        // Level, then down just enough that the shots meet the sand about 100 ahead.
        Camera& player = world.playerCamera();
        player.yaw = 180.0f;
        player.pitch = 1.2f;
    });
    // Every frame of one second's fire.
    script->holdButton(2.5, 3.6, MouseButton::Left);
    for (int frame = 0; frame < 16; ++frame)
        script->at(2.6 + frame / 16.0, [&] {
            const auto [with, without] = drawWithAndWithoutFire();
            extra.push_back(brightPixels(with) - brightPixels(without));
        });
    script->closeWindow(3.7);
    play();

    ASSERT_EQ(extra.size(), 16u);
    const double mean = std::accumulate(extra.begin(), extra.end(), 0.0) / static_cast<double>(extra.size());
    EXPECT_GE(mean, 300.0) << "pixels brighter than 85% grey that the fire adds to a frame, on average";
}

} // namespace
