// The game's rules on a small world in memory: hits and kills, the ground,
// crawlers firing back, the finish, every control mode, the pad and the
// window's focus, frame by frame with a scripted keyboard, mouse, pad and clock.
#include "game/Gamepad.h"
#include "game/Gameplay.h"
#include "support/core/ScriptedInput.h"
#include "support/core/TestWorld.h"

#include <glm/geometric.hpp>
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>

namespace {

struct Gameplay : ::testing::Test {
    TestWorld test;
    World& world = test.world;
    GameState state;
    Settings settings;
    ScriptedInput input{1.0 / 60.0};

    Gameplay()
    {
        settings.screenwidth = 1280;
        settings.screenheight = 720;
    }

    // One frame as the loop runs it: events, the focus, collisions, then the update.
    void frame(double seconds = 1.0 / 60.0)
    {
        input.pollEvents();
        followWindowFocus(state, input.focused());
        collisionStep(world, state, input.time());
        updateGameplay(world, state, settings, input, static_cast<float>(seconds) * state.timeScale);
    }

    int countEvents(GameEventKind kind) const
    {
        int count = 0;
        for (const GameEvent& event : world.events)
            count += event.kind == kind ? 1 : 0;
        return count;
    }
};

// --- Shots against crawlers -------------------------------------------------

TEST_F(Gameplay, AHitDestroysTheCrawlerWithItsWholeSequence)
{
    // The box reaches from well below the base to half its height (3.5) above.
    Crawler& crawler = test.addCrawler({100, 0, 100});
    test.addShot({100, 2, 100});

    collisionStep(world, state, 10.0);

    EXPECT_TRUE(crawler.destroyed);
    EXPECT_EQ(crawler.speed, 0.0f);
    EXPECT_EQ(crawler.basePart.model, &test.meshes.destroyedCrawler);
    EXPECT_EQ(world.debrisEmitter->particles.objects.size(), 301u);
    EXPECT_EQ(world.fireballEmitter->particles.objects.size(), 101u);
    EXPECT_EQ(world.lights[explosionLight].position, glm::vec4(100, 0, 100, 1));
    EXPECT_EQ(world.lights[explosionLight].attenuation, 0.0001f);
    EXPECT_EQ(state.killCount, 1);
    const Camera& camera = *world.currentCamera;
    EXPECT_TRUE(camera.shaking);
    EXPECT_EQ(camera.shakeMagnitude, 5);
    EXPECT_FLOAT_EQ(camera.shakeTime, 0.3f);
    EXPECT_FALSE(state.levelCompleting);
    EXPECT_EQ(world.playerWeapon.objects.size(), 1u) << "a hit does not use the shot up";
    ASSERT_EQ(world.events.size(), 1u);
    EXPECT_EQ(world.events[0].kind, GameEventKind::Kill);
    EXPECT_EQ(world.events[0].position, glm::vec3(100, 0, 100));
    ASSERT_EQ(world.flashes.live.size(), 1u) << "the hit flashes over the hull";
    EXPECT_EQ(world.flashes.live[0].kind, FlashKind::Hit);
    EXPECT_EQ(world.flashes.live[0].position, glm::vec3(100, 2.5f, 100));
}

TEST_F(Gameplay, TheBoxReachesTheFullSizesOfBothOnEveryAxis)
{
    // Corners at position - size / 2; apart by less than both full sizes: on x
    // that is the base's 5 plus the shot's 0.25, from corner to corner; in y
    // the box ends at half the base's 7 (plus the shot's own reach).
    struct Case {
        float dx, dy;
        bool hit;
    };
    for (const Case& c : {Case{2.87f, 3, true}, Case{2.9f, 3, false}, Case{-7.6f, 3, true}, Case{-7.65f, 3, false},
                          Case{0, 3.85f, true}, Case{0, 3.9f, false}}) {
        TestWorld fresh;
        Crawler& crawler = fresh.addCrawler({0, 0, 0});
        fresh.addShot({c.dx, c.dy, 0});
        GameState counts;
        collisionStep(fresh.world, counts, 1.0);
        EXPECT_EQ(crawler.destroyed, c.hit) << c.dx << ", " << c.dy;
    }
}

TEST_F(Gameplay, AWreckCannotBeHitAgain)
{
    // Low enough to be inside the wreck's box too (half its 3 high, plus the
    // shot's reach), so only the rule spares it.
    Crawler& crawler = test.addCrawler({0, 0, 0});
    test.addShot({0, 1, 0});
    collisionStep(world, state, 1.0);
    collisionStep(world, state, 2.0);
    EXPECT_EQ(state.killCount, 1);
    EXPECT_EQ(world.debrisEmitter->particles.objects.size(), 301u) << "no second explosion";
    EXPECT_TRUE(crawler.destroyed);
}

TEST_F(Gameplay, OneShotThroughTwoOverlappingCrawlersKillsBoth)
{
    test.addCrawler({0, 0, 0});
    test.addCrawler({1, 0, 1});
    test.addShot({0.5f, 3, 0.5f});
    collisionStep(world, state, 1.0);
    EXPECT_TRUE(world.crawlers[0].destroyed);
    EXPECT_TRUE(world.crawlers[1].destroyed);
    EXPECT_EQ(state.killCount, 2);
}

TEST_F(Gameplay, TheLastNeededKillStartsTheFinishWithAShortJolt)
{
    world.neededKills = 2;
    test.addCrawler({0, 0, 0});
    test.addCrawler({300, 0, 0});
    state.timeScale = 0.3f; // zoomed in
    test.addShot({0, 3, 0});
    collisionStep(world, state, 1.0);
    EXPECT_FLOAT_EQ(world.currentCamera->shakeTime, 0.09f) << "a shake lasts 0.3 scaled seconds";
    EXPECT_FALSE(state.levelCompleting);

    test.addShot({300, 3, 0});
    collisionStep(world, state, 2.0);
    EXPECT_TRUE(state.levelCompleting);
    EXPECT_EQ(state.timeScale, 0.05f);
    EXPECT_EQ(world.currentCamera->shakeTime, 0.015f);
}

// --- The ground ---------------------------------------------------------------

TEST_F(Gameplay, ShotsUnderTheGroundRaiseDustAndGoWithoutSkippingTheNext)
{
    test.addCrawler({500, 0, 500});
    test.addShot({0, -3, 0});  // below the ground at -2
    test.addShot({10, -5, 0}); // moves up into the first one's place: must be tested too
    test.addShot({20, 4, 0});
    collisionStep(world, state, 1.0);
    ASSERT_EQ(world.playerWeapon.objects.size(), 1u);
    EXPECT_EQ(world.playerWeapon.objects[0].position.x, 20.0f);
    EXPECT_EQ(world.dustEmitter->particles.objects.size(), 2u * 101u);
    EXPECT_EQ(countEvents(GameEventKind::GroundHit), 2);
    // Each throws a spark on the sand where it went in.
    ASSERT_EQ(world.flashes.live.size(), 2u);
    EXPECT_EQ(world.flashes.live[1].kind, FlashKind::Impact);
    EXPECT_EQ(world.flashes.live[1].position, glm::vec3(10, -2, 0));
}

TEST_F(Gameplay, EnemyShotsUnderTheGroundVanishWithoutEffect)
{
    world.enemyWeapon.objects.emplace_back(&test.meshes.projectile).position = {0, -3, 0};
    world.enemyWeapon.objects.emplace_back(&test.meshes.projectile).position = {0, 3, 0};
    collisionStep(world, state, 1.0);
    ASSERT_EQ(world.enemyWeapon.objects.size(), 1u);
    EXPECT_EQ(world.enemyWeapon.objects[0].position.y, 3.0f);
    EXPECT_TRUE(world.dustEmitter->particles.objects.empty());
}

TEST_F(Gameplay, TheExplosionLightGoesDarkWithTheLastFlame)
{
    test.addCrawler({0, 0, 0});
    test.addShot({0, 3, 0});
    collisionStep(world, state, 1.0);
    world.playerWeapon.objects.clear();
    collisionStep(world, state, 1.1);
    EXPECT_EQ(world.lights[explosionLight].attenuation, 0.0001f) << "still burning";
    world.fireballEmitter->particles.objects.clear();
    collisionStep(world, state, 1.2);
    EXPECT_EQ(world.lights[explosionLight].attenuation, 10.0f);
}

// --- Crawlers firing back ---------------------------------------------------

TEST_F(Gameplay, CrawlersFireOnlyBetweenOneAndTwoRangesAndOnlyWhileDriving)
{
    struct Case {
        float distance;
        bool airmode, destroyed, fires;
    };
    for (const Case& c : {Case{100, false, false, false}, Case{150, false, false, true},
                          Case{200, false, false, false}, Case{150, true, false, false},
                          Case{300, true, false, true}, Case{150, false, true, false}}) {
        TestWorld fresh(10, {0, 5, 0}, 0.0f);
        Crawler& crawler = fresh.addCrawler({c.distance, 5, 0}, 0.0f);
        crawler.speed = c.destroyed ? 0.0f : 20.0f;
        crawler.position = {c.distance, 5, 0};
        Settings flight;
        flight.airmode = c.airmode;
        GameState playing;
        ScriptedInput still;
        still.jumpClock(0.0, 5.0); // long after the weapon's last shot
        still.pollEvents();
        updateGameplay(fresh.world, playing, flight, still, 0.0f);
        EXPECT_EQ(fresh.world.enemyWeapon.objects.size(), c.fires ? 1u : 0u)
            << c.distance << (c.airmode ? " flying" : "") << (c.destroyed ? " destroyed" : "");
        // The gun flashes, at the end of its barrel (the turret faces the way it drives, +x).
        ASSERT_EQ(fresh.world.flashes.live.size(), c.fires ? 1u : 0u);
        if (c.fires) {
            EXPECT_EQ(fresh.world.flashes.live[0].kind, FlashKind::EnemyMuzzle);
            EXPECT_LT(glm::distance(fresh.world.flashes.live[0].position, glm::vec3(c.distance + 5.4f, 8.65f, 0)), 1e-3f);
        }
    }
}

// --- Firing -----------------------------------------------------------------

TEST_F(Gameplay, HoldingTheButtonForASecondCountsEveryFrameButFiresFiveShots)
{
    // Frames at 1/60, 2/60 ... 60/60 s with the button down; the weapon is ready
    // at the first and then every 0.2 s: frames 1, 14, 27, 40 and 53.
    world.playerWeapon.lastSpawn = -1.0;
    input.holdButton(0.0, 1.001, MouseButton::Left);
    for (int i = 0; i < 60; ++i)
        frame();
    EXPECT_EQ(state.usedAmmo, 60);
    EXPECT_EQ(countEvents(GameEventKind::PlayerShot), 5);
    EXPECT_EQ(world.playerWeapon.objects.size(), 5u);
}

TEST_F(Gameplay, ShotsLeaveFromJustAheadOfThePlayerTowardItsView)
{
    input.holdButton(0.0, 10.0, MouseButton::Left);
    input.jumpClock(0.0, 1.0);
    frame(0.0);
    ASSERT_EQ(world.playerWeapon.objects.size(), 1u);
    const GameObject& shot = world.playerWeapon.objects[0];
    const Camera& player = world.playerCamera();
    EXPECT_LT(glm::distance(shot.path[0], player.position + 5.0f * player.forward()), 1e-3f);
    EXPECT_LT(glm::distance(shot.target, player.position + 1000.0f * player.forward()), 44.0f) << "jitter only";
    EXPECT_TRUE(world.playerWeapon.firing);
    // The muzzle flashes at the gun, pointing the way the shot flies.
    ASSERT_EQ(world.flashes.live.size(), 1u);
    EXPECT_EQ(world.flashes.live[0].kind, FlashKind::Muzzle);
    EXPECT_EQ(world.flashes.live[0].position, shot.path[0]);
    EXPECT_GT(glm::dot(world.flashes.live[0].direction, glm::vec3(shot.rotation[2])), 0.9999f);
}

TEST_F(Gameplay, WhileFinishingMouseLookNeitherTurnsNorFires)
{
    state.levelCompleting = true;
    input.holdButton(0.0, 10.0, MouseButton::Left);
    input.cursorX = 100;
    input.jumpClock(0.0, 1.0);
    const float yaw = world.playerCamera().yaw;
    frame();
    EXPECT_EQ(world.playerCamera().yaw, yaw);
    EXPECT_EQ(state.usedAmmo, 0);
    EXPECT_TRUE(world.playerWeapon.objects.empty());
    EXPECT_EQ(input.cursorX, 0.0) << "the cursor is still put back";
}

// --- Pause ------------------------------------------------------------------

TEST_F(Gameplay, PauseFreezesShotsAndCrawlersButTheyAreStillHit)
{
    Crawler& crawler = test.addCrawler({0, 0, 60});
    input.holdKey(0.0, 0.05, Key::P); // released on the fourth frame
    for (int i = 0; i < 4; ++i)
        frame();
    ASSERT_TRUE(state.paused) << "P acts once, when it comes up";
    const glm::vec3 parked = crawler.position;
    test.addShot({0, 2, 40});
    for (int i = 0; i < 30; ++i)
        frame();
    EXPECT_EQ(crawler.position, parked);
    ASSERT_EQ(world.playerWeapon.objects.size(), 1u);
    EXPECT_EQ(world.playerWeapon.objects[0].position, glm::vec3(0, 2, 40)) << "the shot waits where it was";

    world.playerWeapon.objects[0].position = {0, 2, 60};
    frame();
    EXPECT_TRUE(crawler.destroyed) << "the collision step runs while paused";
}

TEST_F(Gameplay, TheHeadlightNeverSinksIntoTheSand)
{
    // On the ground the eye is 7 above it, and 10 below the eye is under the sand.
    TestWorld riding(10, {0.0f, 0.0f, 0.0f}, 10.0f);
    input.pollEvents();
    updateGameplay(riding.world, state, settings, input, 0.0f);
    EXPECT_EQ(riding.world.lights[headlight].position, glm::vec4(0, -2 + headlightAboveGround, 0, 1));

    // High above the ground (the free camera) it hangs 10 below the eye.
    settings.debugmode = true;
    riding.world.currentCamera = &riding.world.freeCamera();
    updateGameplay(riding.world, state, settings, input, 0.0f);
    EXPECT_EQ(riding.world.lights[headlight].position, glm::vec4(0, 240, 200, 1));
}

TEST_F(Gameplay, TheHeadlightFollowsTheViewEvenWhilePaused)
{
    state.paused = true;
    input.cursorX = 200; // 10 degrees to the right
    frame();
    frame(); // the headlight follows the view as it was when the frame began
    const Camera& player = world.playerCamera();
    EXPECT_EQ(world.lights[headlight].position, glm::vec4(player.position + player.offset - glm::vec3(0, 10, 0), 1));
    EXPECT_EQ(world.lights[headlight].spotlightDirection, player.forward());
    EXPECT_FLOAT_EQ(player.yaw, 190.0f);
}

// --- A slow machine ---------------------------------------------------------

TEST_F(Gameplay, AtFourFramesASecondEveryFollowerArrivesAndShotsStillMeetCrawlers)
{
    // A quarter of a second moves a shot 200 units, a dust puff 10 and a
    // crawler 5: each more than the window around its target where it counts
    // as arrived (160, 8 and 4 units across), so in one step they would pass
    // it to and fro forever.
    test.addCrawler({300, 0, -300});
    test.addCrawler({50, 0, 160}, 0.0f);
    Crawler& patrol = world.crawlers[0];
    Crawler& inTheWay = world.crawlers[1];
    world.playerWeapon.accuracy = 100; // straight at the aim
    world.playerWeapon.launch({0, 5, 0}, {0, 5, 300}, 0.0);
    test.addShot({50, 2, 0});
    world.dustEmitter->burst({0, 0, 50}, 0.0);
    const glm::vec3 patrolEnd = patrol.path.back();

    for (int i = 0; i < 24; ++i)
        frame(0.25);

    EXPECT_TRUE(world.playerWeapon.objects.empty()) << "shots that never arrive never go";
    EXPECT_TRUE(world.dustEmitter->particles.objects.empty());
    EXPECT_TRUE(inTheWay.destroyed) << "a shot passed through a crawler between two tests";
    EXPECT_EQ(patrol.path.front(), patrolEnd) << "the patrol reached its end and turned";
    EXPECT_GT(glm::distance(patrol.position, patrolEnd), 10.0f);
    EXPECT_EQ(movementSteps(1.0f / 60.0f), 1) << "at normal frame rates, one step as ever";
    EXPECT_EQ(movementSteps(0.25f), 8);
}

// --- The finish -------------------------------------------------------------

TEST_F(Gameplay, TheFinishLastsHalfAScaledSecondAndNeverTurnsTheViewInsideOut)
{
    Camera& player = world.playerCamera();
    player.fieldOfView = 30.0f; // the last kill was made zoomed in
    state.levelCompleting = true;
    state.timeScale = 0.05f;
    int frames = 0;
    input.holdButton(0.0, 100.0, MouseButton::Right); // the zoom button changes nothing now
    while (!state.levelWon && frames < 2000) {
        frame();
        ++frames;
    }
    // 0.5 / (0.05 / 60) = 600 frames, about ten real seconds.
    EXPECT_NEAR(frames, 600, 2);
    EXPECT_GE(state.completingTimer, 0.5f);
    EXPECT_EQ(player.fieldOfView, narrowestFieldOfView);
    EXPECT_EQ(state.timeScale, 0.05f);
}

// --- Control modes ----------------------------------------------------------

TEST_F(Gameplay, MouseLookTurnsATwentiethOfADegreePerPixelAndZoomsInSlowMotion)
{
    input.cursorX = 100;
    input.cursorY = -40;
    input.holdButton(0.0, 0.05, MouseButton::Right);
    frame();
    const Camera& player = world.playerCamera();
    EXPECT_FLOAT_EQ(player.yaw, 185.0f);
    EXPECT_FLOAT_EQ(player.pitch, -2.0f);
    EXPECT_EQ(input.cursorX, 0.0);
    EXPECT_EQ(state.timeScale, 0.3f);
    EXPECT_EQ(player.fieldOfView, 30.0f);
    for (int i = 0; i < 3; ++i)
        frame();
    EXPECT_EQ(state.timeScale, 1.0f);
    EXPECT_EQ(player.fieldOfView, 60.0f);
}

TEST_F(Gameplay, PointerAimShootsAtThePointUnderThePointerSeenFromThePlayer)
{
    // Far from the world's origin, where aiming from the origin would miss by
    // hundreds of units.
    TestWorld far(10, {600, 30, -400}, 10.0f);
    state.mouseCaptured = false;
    input.cursorX = 1280 * 0.75; // a quarter of the width right of the centre
    input.cursorY = 360;
    input.holdButton(0.0, 10.0, MouseButton::Left);
    input.jumpClock(0.0, 1.0);
    input.pollEvents();
    updateGameplay(far.world, state, settings, input, 0.0f);
    ASSERT_EQ(far.world.playerWeapon.objects.size(), 1u);
    const Camera& player = far.world.playerCamera();
    const glm::vec3 expected = player.position + 10000.0f * player.forward() + (0.25f * 60.0f * 200.0f) * player.right();
    EXPECT_LT(glm::distance(far.world.playerWeapon.objects[0].target, expected), 44.0f);
    EXPECT_EQ(state.usedAmmo, 1);
}

TEST_F(Gameplay, PointerAimTurnsWithTheKeysAndKeepsThePointerInTheWindow)
{
    state.mouseCaptured = false;
    input.holdKey(0.0, 10.0, Key::D);
    input.holdKey(0.0, 10.0, Key::W);
    input.cursorX = 5000;
    input.cursorY = -30;
    frame(0.1);
    const Camera& player = world.playerCamera();
    EXPECT_FLOAT_EQ(player.yaw, 185.0f);
    EXPECT_FLOAT_EQ(player.pitch, -5.0f);
    EXPECT_EQ(input.cursorX, 1280.0);
    EXPECT_EQ(input.cursorY, 0.0);
}

TEST_F(Gameplay, TheFreeCameraFliesWithTheKeysAndZoomsWithTheWheel)
{
    settings.debugmode = true;
    world.currentCamera = &world.freeCamera();
    Camera& free = world.freeCamera();
    const glm::vec3 start = free.position;
    input.holdKey(0.0, 10.0, Key::W);
    input.holdKey(0.0, 10.0, Key::X);
    input.holdKey(0.0, 10.0, Key::Num1);
    input.holdKey(0.0, 10.0, Key::Num2);
    input.scroll = 300.0; // 60 degrees narrower: far past the narrowest view
    frame(0.5);
    EXPECT_LT(glm::distance(free.position, start + free.forward() * 50.0f + glm::vec3(0, 50, 0)), 1e-3f);
    EXPECT_EQ(free.fieldOfView, narrowestFieldOfView);
    EXPECT_EQ(input.scroll, 0.0) << "the wheel turns are used up";
    EXPECT_EQ(world.lights[spareLight].position, glm::vec4(free.position + free.offset, 1));
    EXPECT_EQ(world.lights[sunLight].position, glm::vec4(350, 70, 350, 0)) << "key 2 is not read while 1 is down";
}

TEST_F(Gameplay, KeysSwitchCamerasModesAndLatchPauseAndTheCameraJump)
{
    input.holdKey(0.0, 0.02, Key::Num7);
    frame();
    EXPECT_TRUE(settings.debugmode);
    EXPECT_EQ(world.currentCamera, &world.freeCamera());
    input.holdKey(0.03, 0.05, Key::Num8);
    frame();
    frame();
    EXPECT_FALSE(settings.debugmode);
    EXPECT_EQ(world.currentCamera, &world.playerCamera());

    input.holdKey(0.06, 0.08, Key::Num6);
    frame();
    frame();
    EXPECT_FALSE(state.mouseCaptured);
    EXPECT_EQ(input.cursorMode, CursorMode::Normal);
    input.holdKey(0.1, 0.12, Key::Num5);
    frame();
    frame();
    EXPECT_TRUE(state.mouseCaptured);
    EXPECT_EQ(input.cursorMode, CursorMode::Disabled);

    const glm::vec3 before = world.playerCamera().position;
    input.holdKey(0.15, 0.5, Key::Q); // held for many frames: one jump on release
    for (int i = 0; i < 40; ++i)
        frame(0.0);
    EXPECT_EQ(world.playerCamera().position, before + glm::vec3(10, 20, 0));
}

// --- Mouse settings, the pad, the focus ---------------------------------------

TEST_F(Gameplay, MouseSensitivityAndInversionTurnTheViewAndTheFreeCamera)
{
    settings.mousesensitivity = 250; // 0.125 degrees a pixel
    settings.invertmouse = true;
    input.cursorX = 100;
    input.cursorY = -40; // up: the view turns down
    frame();
    const Camera& player = world.playerCamera();
    EXPECT_FLOAT_EQ(player.yaw, 192.5f);
    EXPECT_FLOAT_EQ(player.pitch, 5.0f);

    settings.debugmode = true;
    world.currentCamera = &world.freeCamera();
    input.cursorX = -20;
    input.cursorY = 8;
    frame();
    EXPECT_FLOAT_EQ(world.freeCamera().yaw, 357.5f);
    EXPECT_FLOAT_EQ(world.freeCamera().pitch, -1.0f);
}

TEST(Gamepad, SticksHaveADeadZoneAndACurveAndBadReadingsDoNothing)
{
    EXPECT_EQ(stickResponse(0.1f, -0.1f), glm::vec2(0.0f)) << "inside the dead zone";
    EXPECT_NEAR(stickResponse(0.0f, -0.575f).y, -0.25f, 1e-5f) << "half the travel past the dead zone: a quarter";
    EXPECT_NEAR(glm::length(stickResponse(1.0f, 1.0f)), 1.0f, 1e-5f) << "a square gate's corner is full travel";
    EXPECT_EQ(stickResponse(0.8f, 1.5f), glm::vec2(0.0f));
    EXPECT_EQ(stickResponse(INFINITY, 0.0f), glm::vec2(0.0f));
}

TEST_F(Gameplay, ThePadLooksAndFiresBesideTheMouseFromTheFrameItIsPluggedIn)
{
    settings.mousesensitivity = 200; // 0.1 degrees a pixel; 360 degrees a second at full stick
    settings.invertmouse = true;
    world.playerWeapon.lastSpawn = -1.0;
    const Camera& player = world.playerCamera();
    // Frames at 1/60, 2/60 ... seconds; the pad is in from the second to the fifth.
    input.plugPad(0.025, 0.09);
    input.holdPadAxis(0.0, 0.04, PadAxis::RightX, 1.0f);
    input.holdPadAxis(0.0, 0.04, PadAxis::LeftY, -0.5f); // the stick pushed further looks
    input.holdPadAxis(0.04, 1.0, PadAxis::LeftY, -1.0f); // then the left stick alone, up
    input.holdPadAxis(0.0, 1.0, PadAxis::RightTrigger, 1.0f);

    frame();
    EXPECT_EQ(player.yaw, 180.0f) << "no pad yet";
    EXPECT_EQ(state.usedAmmo, 0);
    frame();
    EXPECT_NEAR(player.yaw, 186.0f, 1e-3f);
    EXPECT_EQ(player.pitch, 0.0f);
    EXPECT_TRUE(world.playerWeapon.firing);
    for (int i = 0; i < 3; ++i)
        frame();
    EXPECT_NEAR(player.pitch, 18.0f, 1e-3f) << "inverted: up on the stick looks down";
    EXPECT_EQ(state.usedAmmo, 4);

    // Pulled out: the shooting stops and the mouse still turns the view.
    input.cursorX = 30;
    frame();
    EXPECT_EQ(state.usedAmmo, 4);
    EXPECT_FALSE(world.playerWeapon.firing);
    EXPECT_NEAR(player.yaw, 189.0f, 1e-3f);
}

TEST_F(Gameplay, ThePadsZoomAndStartActAsTheRightButtonAndP)
{
    input.plugPad(0.0, 10.0);
    input.holdPadAxis(0.0, 0.03, PadAxis::LeftTrigger, 0.3f);   // 65%: pulled
    input.holdPadAxis(0.03, 0.06, PadAxis::LeftTrigger, -0.1f); // 45%: still held
    input.holdPadAxis(0.06, 10.0, PadAxis::LeftTrigger, -0.3f); // 35%: let go
    input.holdPadAxis(0.0, 10.0, PadAxis::RightX, NAN);
    input.holdPadAxis(0.0, 10.0, PadAxis::RightTrigger, 3.0f);
    input.holdPadButton(0.0, 0.02, PadButton::Start); // still down from the waiting screen
    frame();
    EXPECT_EQ(state.timeScale, 0.3f);
    EXPECT_EQ(world.playerCamera().fieldOfView, 30.0f);
    frame();
    frame();
    EXPECT_EQ(state.timeScale, 0.3f);
    frame();
    EXPECT_EQ(state.timeScale, 1.0f);
    EXPECT_EQ(world.playerCamera().fieldOfView, 60.0f);
    EXPECT_FALSE(state.paused) << "the Start that began the level does not pause it";
    EXPECT_EQ(world.playerCamera().yaw, 180.0f) << "a stick reading no number turns nothing";
    EXPECT_EQ(state.usedAmmo, 0);

    input.holdPadButton(0.1, 0.15, PadButton::Start);
    for (int i = 0; i < 6; ++i)
        frame();
    EXPECT_TRUE(state.paused);
}

TEST_F(Gameplay, FocusLossPausesAndItsReturnResumesOnlyAPauseItMadeItself)
{
    input.windowFocused = false;
    frame();
    EXPECT_TRUE(state.paused);
    input.windowFocused = true;
    frame();
    EXPECT_FALSE(state.paused);

    // P in between makes the pause the player's: P resumes, P pauses again,
    // and the focus coming back leaves it paused.
    input.windowFocused = false;
    input.holdKey(0.04, 0.06, Key::P);
    input.holdKey(0.09, 0.11, Key::P);
    frame(); // 0.05
    frame(); // 0.067: P up, the world runs with the focus still away
    EXPECT_FALSE(state.paused);
    frame(); // 0.083
    EXPECT_FALSE(state.paused) << "no second pause while the focus stays away";
    frame();
    frame(); // 0.117: P up again
    EXPECT_TRUE(state.paused);
    input.windowFocused = true;
    frame();
    EXPECT_TRUE(state.paused);

    // Paused with P before the focus went: still paused after it comes back.
    input.windowFocused = false;
    frame();
    input.windowFocused = true;
    frame();
    EXPECT_TRUE(state.paused);
}

TEST_F(Gameplay, ALevelThatNeedsNoKillsIsWonWithoutOne)
{
    world.neededKills = 0; // a crawler file with no crawler to count
    frame();
    EXPECT_TRUE(state.levelCompleting);
    EXPECT_EQ(state.timeScale, 0.05f);
    for (int i = 0; i < 1000 && !state.levelWon; ++i)
        frame();
    EXPECT_TRUE(state.levelWon);
    EXPECT_EQ(state.killCount, 0);
}

} // namespace
