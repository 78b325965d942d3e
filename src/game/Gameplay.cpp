#include "game/Gameplay.h"

#include <glm/geometric.hpp>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Where a crawler's gun ends, in the crawler's own frame: its turret faces +z.
const glm::vec3 crawlerGunMuzzle{0.0f, 3.65f, 5.4f};
// How high over a crawler's ground origin a hit flashes: the middle of its hull.
const float hitFlashHeight = 2.5f;

// The box test of a shot against a crawler's base: on every axis the distance
// between the two boxes' low corners must be below the sum of their full sizes.
bool boxesOverlap(const GameObject& base, const GameObject& shot)
{
    for (int axis = 0; axis < 3; ++axis) {
        const float baseSize = base.model->size[axis] * base.scale[axis];
        const float shotSize = shot.model->size[axis] * shot.scale[axis];
        const float baseCorner = (base.position[axis] - base.pivot[axis]) - baseSize * 0.5f;
        const float shotCorner = (shot.position[axis] - shot.pivot[axis]) - shotSize * 0.5f;
        const double apart = std::abs(static_cast<double>(baseCorner) - static_cast<double>(shotCorner));
        if (!(apart < static_cast<double>(shotSize + baseSize)))
            return false;
    }
    return true;
}

// The level's kills are made: slow motion, and half a scaled second later the win.
void startFinish(GameState& state)
{
    state.levelCompleting = true;
    state.timeScale = 0.05f;
}

void destroy(World& world, GameState& state, Crawler& crawler, double now)
{
    crawler.speed = 0.0f;
    crawler.destroyed = true;
    crawler.basePart.model = crawler.destroyedModel;
    world.debrisEmitter->burst(crawler.position, now);
    world.fireballEmitter->burst(crawler.position, now);
    world.flashes.add(FlashKind::Hit, crawler.position + glm::vec3(0.0f, hitFlashHeight, 0.0f));
    if (world.lights.size() > explosionLight) {
        Light& flash = world.lights[explosionLight];
        flash.position = glm::vec4(crawler.position, 1.0f);
        flash.attenuation = 0.0001f;
    }
    state.killCount += 1;
    world.events.push_back({GameEventKind::Kill, crawler.position});

    Camera& camera = *world.currentCamera;
    camera.shaking = true;
    camera.shakeMagnitude = 5;
    // The last needed kill jolts only briefly: the finish's slow motion would
    // stretch a full shake over seconds.
    camera.shakeTime = state.killCount < world.neededKills ? state.timeScale * 0.3f : 0.015f;
    if (state.killCount == world.neededKills)
        startFinish(state);
}

// Spawns a shot and says whether one left the weapon (the interval may refuse it).
bool fire(ProjectileSystem& weapon, const glm::vec3& start, const glm::vec3& aim, double now)
{
    const std::size_t before = weapon.objects.size();
    weapon.spawn(start, aim, now);
    return weapon.objects.size() > before;
}

void firePlayerShot(World& world, GameState& state, const glm::vec3& start, const glm::vec3& aim, double now)
{
    if (fire(world.playerWeapon, start, aim, now)) {
        world.events.push_back({GameEventKind::PlayerShot, start});
        const GameObject& shot = world.playerWeapon.objects.back();
        world.flashes.add(FlashKind::Muzzle, start, glm::normalize(shot.target - start));
    }
    // Every frame that asks for a shot counts, whether the weapon was ready or not.
    state.usedAmmo += 1;
}

void stepWorld(World& world, const Settings& settings, float dt, double now)
{
    Camera& player = world.playerCamera();
    // Flashes born from here on are drawn before they age.
    world.flashes.update(dt);
    const float range = settings.airmode ? 200.0f : 100.0f;
    for (Crawler& crawler : world.crawlers) {
        // Crawlers fire at the player between one and two ranges away, and only
        // while they are still driving. They share one weapon: the first in
        // range takes its turn.
        const float distance = glm::distance(player.position, crawler.position);
        if (distance < 2.0f * range && distance > range && crawler.speed != 0.0f)
            if (fire(world.enemyWeapon, crawler.position, player.position, now)) {
                world.events.push_back({GameEventKind::EnemyShot, crawler.position});
                const glm::vec3 gun = crawler.position + glm::vec3(crawler.rotation * glm::vec4(crawlerGunMuzzle, 0.0f));
                world.flashes.add(FlashKind::EnemyMuzzle, gun, glm::vec3(crawler.rotation[2]));
            }
        crawler.prevModelMatrix = crawler.modelMatrix();
        crawler.update(dt);
    }

    world.playerWeapon.update(dt);
    world.enemyWeapon.update(dt);
    world.debrisEmitter->particles.update(dt);
    world.dustEmitter->particles.update(dt);
    world.fireballEmitter->particles.update(dt);
    world.trackDust.update(world.crawlers, player.position, dt);

    player.move(player.position, dt);
    if (player.shaking) {
        // The view trembles by up to two degrees a frame: pitch, then yaw.
        const float pitch = static_cast<float>(std::rand() % 40 - 20) / 10.0f;
        const float yaw = static_cast<float>(std::rand() % 40 - 20) / 10.0f;
        player.offsetOrientation(pitch, yaw);
    }
    world.lights[muzzleLight].position = glm::vec4(player.position + player.offset, 1.0f);

    if (world.drone) {
        world.drone->update(dt);
        world.lights[droneLight].position = glm::vec4(world.drone->position - glm::vec3(0.0f, 10.0f, 0.0f), 1.0f);
    }
}

// The mouse's turn for a cursor moved by (x, y) pixels, as (pitch, yaw) in
// degrees: 0.05 degrees a pixel at a sensitivity of 100.
glm::vec2 mouseTurn(double x, double y, const Settings& settings)
{
    const double degreesPerPixel = 0.05 * (settings.mousesensitivity / 100.0);
    const float pitch = static_cast<float>(y * degreesPerPixel);
    return {settings.invertmouse ? -pitch : pitch, static_cast<float>(x * degreesPerPixel)};
}

// The mouse's turn since the last frame plus the pad's; the cursor goes back to
// the window's corner, where the next frame measures from.
glm::vec2 lookTurn(Input& input, const Settings& settings, const PadCommands& pad)
{
    double x = 0.0, y = 0.0;
    input.cursorPosition(x, y);
    input.setCursorPosition(0.0, 0.0);
    return mouseTurn(x, y, settings) + glm::vec2(pad.pitchDelta, pad.yawDelta);
}

void freeCameraControls(World& world, GameState& state, const Settings& settings, Input& input,
                        const PadCommands& pad, float dt, const glm::vec3& muzzle, double now)
{
    Camera& camera = *world.currentCamera;
    const float step = 100.0f * dt;
    if (input.key(Key::W) == Press)
        camera.position += camera.forward() * step;
    if (input.key(Key::A) == Press)
        camera.position -= camera.right() * step;
    if (input.key(Key::S) == Press)
        camera.position -= camera.forward() * step;
    if (input.key(Key::D) == Press)
        camera.position += camera.right() * step;
    if (input.key(Key::Z) == Press)
        camera.position.y -= step;
    else if (input.key(Key::X) == Press)
        camera.position.y += step;

    const glm::vec2 turn = lookTurn(input, settings, pad);
    camera.offsetOrientation(turn.x, turn.y);

    camera.fieldOfView -= static_cast<float>(input.scrollOffset() * 0.2);
    camera.fieldOfView = std::clamp(camera.fieldOfView, narrowestFieldOfView, 130.0f);
    input.resetScrollOffset();

    // Keys 1 and 2 place the spare light and the sun where the camera looks from.
    const glm::vec3 eye = camera.position + camera.offset;
    if (input.key(Key::Num1) == Press) {
        world.lights[spareLight].position = glm::vec4(eye, 1.0f);
        world.lights[spareLight].spotlightDirection = camera.forward();
    } else if (input.key(Key::Num2) == Press) {
        world.lights[sunLight].position = glm::vec4(eye, 0.0f);
        world.lights[sunLight].spotlightDirection = camera.forward();
    }

    if (input.mouseButton(MouseButton::Left) == Press || pad.fire) {
        const Camera& player = world.playerCamera();
        firePlayerShot(world, state, muzzle, player.position + 1000.0f * player.forward(), now);
    }
}

void mouseLookControls(World& world, GameState& state, const Settings& settings, Input& input,
                       const PadCommands& pad, const glm::vec3& muzzle, double now)
{
    Camera& player = world.playerCamera();
    // The finish takes the view out of the player's hands.
    const glm::vec2 turn = lookTurn(input, settings, pad);
    if (!state.levelCompleting)
        world.currentCamera->offsetOrientation(turn.x, turn.y);

    if (!state.levelCompleting) {
        if (input.mouseButton(MouseButton::Left) == Press || pad.fire)
            firePlayerShot(world, state, muzzle, player.position + 1000.0f * player.forward(), now);
        else
            world.playerWeapon.firing = false;
        // The zoom: a narrow view in slow motion for as long as the button is held.
        const bool zoomed = input.mouseButton(MouseButton::Right) == Press || pad.zoom;
        state.timeScale = zoomed ? 0.3f : 1.0f;
        player.fieldOfView = zoomed ? 30.0f : 60.0f;
    }
}

void pointerAimControls(World& world, GameState& state, const Settings& settings, Input& input,
                        const PadCommands& pad, float dt, const glm::vec3& muzzle, double now)
{
    Camera& camera = *world.currentCamera;
    if (!state.levelCompleting) {
        // The pad's stick turns the view as the keys do; the pointer stays where it is.
        camera.offsetOrientation(pad.pitchDelta, pad.yawDelta);
        // The keyboard turns the view at 50 degrees a second.
        const float turn = 50.0f * dt;
        if (input.key(Key::W) == Press)
            camera.offsetOrientation(-turn, 0.0f);
        if (input.key(Key::A) == Press)
            camera.offsetOrientation(0.0f, -turn);
        if (input.key(Key::S) == Press)
            camera.offsetOrientation(turn, 0.0f);
        if (input.key(Key::D) == Press)
            camera.offsetOrientation(0.0f, turn);
    }

    double x = 0.0, y = 0.0;
    input.cursorPosition(x, y);
    x = std::clamp(x, 0.0, static_cast<double>(settings.screenwidth));
    y = std::clamp(y, 0.0, static_cast<double>(settings.screenheight));
    if (!state.levelCompleting)
        input.setCursorPosition(x, y);

    if (input.mouseButton(MouseButton::Left) == Press || pad.fire) {
        // The point under the pointer, far ahead of the player camera.
        const Camera& player = world.playerCamera();
        const float nx = static_cast<float>(x / settings.screenwidth - 0.5);
        const float ny = static_cast<float>(y / settings.screenheight - 0.5);
        const float spread = player.fieldOfView * 10000.0f / 50.0f;
        const glm::vec3 aim = player.position + 10000.0f * player.forward() + (nx * spread) * player.right() -
                              (ny * spread) * player.up();
        firePlayerShot(world, state, muzzle, aim, now);
    }
}

} // namespace

void collisionStep(World& world, GameState& state, double now)
{
    const Terrain& terrain = *world.terrain;
    std::vector<GameObject>& shots = world.playerWeapon.objects;
    for (Crawler& crawler : world.crawlers) {
        for (std::size_t i = 0; i < shots.size();) {
            GameObject& shot = shots[i];
            // A wreck cannot be hit again. A hit does not use the shot up: it
            // flies on and may destroy the crawler behind.
            if (crawler.basePart.model != crawler.destroyedModel && boxesOverlap(crawler.basePart, shot))
                destroy(world, state, crawler, now);
            const float ground = terrain.heightAt(shot.position.x, shot.position.z);
            if (ground > shot.position.y) {
                world.dustEmitter->burst(shot.position, now);
                world.flashes.add(FlashKind::Impact, glm::vec3(shot.position.x, ground, shot.position.z));
                world.events.push_back({GameEventKind::GroundHit, shot.position});
                shots.erase(shots.begin() + static_cast<std::ptrdiff_t>(i));
                continue; // the next shot has moved into this place
            }
            ++i;
        }
    }

    std::vector<GameObject>& enemyShots = world.enemyWeapon.objects;
    enemyShots.erase(std::remove_if(enemyShots.begin(), enemyShots.end(),
                                    [&terrain](const GameObject& shot) {
                                        return terrain.heightAt(shot.position.x, shot.position.z) > shot.position.y;
                                    }),
                     enemyShots.end());

    // The explosion's flash lasts as long as its fire.
    if (world.fireballEmitter->particles.objects.empty() && world.lights.size() > explosionLight)
        world.lights[explosionLight].attenuation = 10.0f;
}

void updateGameplay(World& world, GameState& state, Settings& settings, Input& input, float dt)
{
    const double now = input.time();
    Camera& player = world.playerCamera();

    // A level that needs no kills (its crawler file had none to count) has
    // reached its target from the start: the finish runs without a kill.
    if (!state.levelCompleting && state.killCount >= world.neededKills)
        startFinish(state);
    // A long frame moves the world in several short steps, with the shots
    // tested against the crawlers and the ground after each (the game loop
    // tested them before the first): every follower still comes within its
    // arrival radius, a tenth of its speed, instead of stepping past its
    // target forever. At thirty frames a second and more there is one step.
    const int steps = movementSteps(dt);
    const float step = dt / static_cast<float>(steps);
    for (int i = 0; i < steps; ++i) {
        if (i > 0)
            collisionStep(world, state, now);
        if (state.levelCompleting) {
            state.completingTimer += step;
            // The finish narrows the view, but never through zero: a zoomed
            // view (30 degrees) would otherwise turn the picture upside down.
            player.fieldOfView = std::max(player.fieldOfView - 70.0f * step, narrowestFieldOfView);
            if (state.completingTimer >= 0.5f)
                state.levelWon = true;
        }
        if (!state.paused)
            stepWorld(world, settings, step, now);
    }

    // The headlight follows whatever camera is in use, paused or not, hanging
    // 10 below the eye. Riding on the ground that is under the sand, where it
    // would light nothing and see the ground from below: it never goes lower
    // than a lamp on the vehicle, 2 above the ground.
    const Camera& current = *world.currentCamera;
    glm::vec3 lamp = current.position + current.offset - glm::vec3(0.0f, 10.0f, 0.0f);
    lamp.y = std::max(lamp.y, world.terrain->heightAt(lamp.x, lamp.z) + headlightAboveGround);
    world.lights[headlight].position = glm::vec4(lamp, 1.0f);
    world.lights[headlight].spotlightDirection = current.forward();

    // Start on the pad pauses as P does. Either makes the pause the player's,
    // which the focus coming back leaves alone.
    const PadCommands pad = readPad(input, settings, dt, state.padLatches);
    const bool pauseDown = input.key(Key::P) == Press || pad.start;
    if (pauseDown)
        state.pauseKeyLatch = true;
    else if (state.pauseKeyLatch) {
        state.paused = !state.paused;
        state.pausedByFocus = false;
        state.pauseKeyLatch = false;
    }

    // Shots leave from just ahead of the player (behind, when flying).
    const float muzzleOffset = settings.airmode ? -5.0f : 5.0f;
    const glm::vec3 muzzle = player.position + muzzleOffset * player.forward();
    if (settings.debugmode)
        freeCameraControls(world, state, settings, input, pad, dt, muzzle, now);
    else if (state.mouseCaptured)
        mouseLookControls(world, state, settings, input, pad, muzzle, now);
    else
        pointerAimControls(world, state, settings, input, pad, dt, muzzle, now);

    if (input.key(Key::Num7) == Press) {
        settings.debugmode = true;
        world.currentCamera = &world.freeCamera();
        input.setCursorMode(CursorMode::Disabled);
        input.setCursorPosition(0.0, 0.0);
    }
    if (input.key(Key::Num8) == Press) {
        settings.debugmode = false;
        world.currentCamera = &world.playerCamera();
    }
    if (input.key(Key::Num5) == Press) {
        state.mouseCaptured = true;
        input.setCursorMode(CursorMode::Disabled);
        input.setCursorPosition(0.0, 0.0);
    }
    if (input.key(Key::Num6) == Press) {
        state.mouseCaptured = false;
        input.setCursorMode(CursorMode::Normal);
    }

    if (input.key(Key::Q) == Press)
        state.cameraKeyLatch = true;
    else if (state.cameraKeyLatch) {
        world.currentCamera->position += glm::vec3(10.0f, 20.0f, 0.0f);
        state.cameraKeyLatch = false;
    }
}

int movementSteps(float dt)
{
    if (!(dt > longestMovementStep))
        return 1;
    // Ten minutes of a standing clock (a machine woken from sleep) are not
    // worth a long catch-up: past that, the steps grow instead.
    return static_cast<int>(std::min(std::ceil(dt / longestMovementStep), 18000.0f));
}

void followWindowFocus(GameState& state, bool focused)
{
    if (focused == state.windowFocused)
        return;
    state.windowFocused = focused;
    if (!focused && !state.paused) {
        state.paused = true;
        state.pausedByFocus = true;
    } else if (focused && state.pausedByFocus) {
        state.paused = false;
        state.pausedByFocus = false;
    }
}
