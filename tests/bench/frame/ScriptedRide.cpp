#include "ScriptedRide.h"

#include <glm/geometric.hpp>

#include <cmath>

bool ScriptedRide::killsAt(int frame) const
{
    return frame >= firstKillFrame && (frame - firstKillFrame) % killInterval == 0;
}

glm::vec3 ScriptedRide::killPoint(const World& world) const
{
    const Camera& camera = world.playerCamera();
    glm::vec3 ahead = camera.forward();
    ahead.y = 0.0f;
    ahead = glm::length(ahead) > 0.0f ? glm::normalize(ahead) : glm::vec3(0.0f, 0.0f, -1.0f);
    glm::vec3 point = camera.position + killDistance * ahead;
    if (world.terrain)
        point.y = world.terrain->heightAt(point.x, point.z);
    return point;
}

void ScriptedRide::step(World& world, int frame) const
{
    const float dt = frameSeconds;
    const double now = frame * static_cast<double>(dt);
    Camera& camera = world.playerCamera();

    camera.move(camera.position, dt);
    // 30 degrees a second to the right; the pitch follows a slow wave between 0 and 12 degrees down.
    const float pitch = 6.0f - 6.0f * std::cos(static_cast<float>(now) * 0.8f);
    camera.offsetOrientation(pitch - camera.pitch, 30.0f * dt);

    world.flashes.update(dt);
    for (Crawler& crawler : world.crawlers) {
        crawler.prevModelMatrix = crawler.modelMatrix();
        crawler.update(dt);
    }
    world.trackDust.update(world.crawlers, camera.position, dt);
    if (world.drone)
        world.drone->update(dt);

    // A second of fire before each kill, from the muzzle 5 ahead of the eye.
    const int sinceFirstKill = frame - firstKillFrame;
    const int nextKill = sinceFirstKill < 0 ? firstKillFrame : frame + killInterval - sinceFirstKill % killInterval;
    if (nextKill - frame <= framesPerSecond) {
        const glm::vec3 muzzle = camera.position + 5.0f * camera.forward();
        const std::size_t before = world.playerWeapon.objects.size();
        world.playerWeapon.spawn(muzzle, camera.position + 1000.0f * camera.forward(), now);
        if (world.playerWeapon.objects.size() > before)
            world.flashes.add(FlashKind::Muzzle, muzzle, camera.forward());
    }
    world.playerWeapon.update(dt);
    world.enemyWeapon.update(dt);
    for (ParticleEmitter* emitter : {world.debrisEmitter.get(), world.dustEmitter.get(), world.fireballEmitter.get()})
        if (emitter)
            emitter->particles.update(dt);

    if (killsAt(frame)) {
        const glm::vec3 at = killPoint(world);
        if (world.debrisEmitter)
            world.debrisEmitter->burst(at, now);
        if (world.fireballEmitter)
            world.fireballEmitter->burst(at, now);
        world.flashes.add(FlashKind::Hit, at + glm::vec3(0.0f, 2.5f, 0.0f));
        if (world.lights.size() > explosionLight) {
            world.lights[explosionLight].position = glm::vec4(at, 1.0f);
            world.lights[explosionLight].attenuation = 0.0001f;
        }
    }

    if (world.lights.size() > headlight) {
        const glm::vec3 eye = camera.position + camera.offset;
        world.lights[muzzleLight].position = glm::vec4(eye, 1.0f);
        world.lights[headlight].position = glm::vec4(eye - glm::vec3(0.0f, 10.0f, 0.0f), 1.0f);
        world.lights[headlight].spotlightDirection = camera.forward();
    }
}
