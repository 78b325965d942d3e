#include "render/EffectDraws.h"

#include "assets/Mesh.h"
#include "render/FramePasses.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>
#include <glm/gtc/constants.hpp>
#include <glm/gtc/matrix_transform.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>

namespace {

// A shot's streak reaches at least this far back toward the gun.
constexpr float tracerTrail = 60.0f;
// The narrowest a streak is drawn, in pixels, however far away.
constexpr float tracerWidthPixels = 3.0f;

// Colours of light, brighter than 1 so that they stay bright through the haze.
const glm::vec4 playerTracerGlow{1.8f, 1.45f, 0.75f, 1.0f}; // warm white-gold
const glm::vec4 enemyTracerGlow{2.4f, 0.75f, 0.3f, 1.0f}; // red-orange
const glm::vec4 sparkGlow{2.4f, 1.4f, 0.5f, 1.0f};        // hot debris
const glm::vec4 fragmentGlow{0.05f, 0.045f, 0.04f, 1.0f}; // charred debris: dark, unlit
const glm::vec4 noGlow{0.0f};                             // lit as usual

// Seconds from a fire's first flames to dark smoke.
constexpr float burnTime = 1.6f;

const Mesh& meshOf(const GameObject& object)
{
    return static_cast<const Mesh&>(*object.model);
}

void setGlow(const ShaderProgram& program, const glm::vec4& glow)
{
    glUseProgram(program.program);
    glUniform4fv(glGetUniformLocation(program.program, "glow"), 1, glm::value_ptr(glow));
    glUseProgram(0);
}

void setDustLook(const ShaderProgram& program, float fade, float burnt)
{
    glUseProgram(program.program);
    glUniform1f(glGetUniformLocation(program.program, "fade"), fade);
    glUniform1f(glGetUniformLocation(program.program, "burnt"), burnt);
    glUseProgram(0);
}

// Draws unless culling is on and the mesh, so placed, lies outside the view.
int drawPlaced(const EffectView& view, const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous)
{
    if (view.culling && outsideView(mesh, model, view.camera))
        return 0;
    drawMesh(mesh, model, previous);
    return 1;
}

// The rotation that turns +z toward `direction` (unit length), +x level.
glm::mat4 facingAlong(const glm::vec3& direction)
{
    const glm::vec3 across = std::abs(direction.y) > 0.999f ? glm::vec3(1.0f, 0.0f, 0.0f)
                                                            : glm::normalize(glm::cross(glm::vec3(0.0f, 1.0f, 0.0f), direction));
    glm::mat4 rotation(1.0f);
    rotation[0] = glm::vec4(across, 0.0f);
    rotation[1] = glm::vec4(glm::cross(direction, across), 0.0f);
    rotation[2] = glm::vec4(direction, 0.0f);
    return rotation;
}

// A turn that differs from one place to the next but never from frame to frame.
float turnOf(const glm::vec3& position)
{
    const float hash = std::sin(glm::dot(position, glm::vec3(12.9898f, 78.233f, 37.719f))) * 43758.547f;
    return (hash - std::floor(hash)) * glm::two_pi<float>();
}

// Where the shot was last frame, on its line of flight: its previous matrix's
// place, kept between the gun and where it is now (a shot fired this frame has
// not moved).
glm::vec3 previousHead(const GameObject& shot)
{
    const glm::vec3 start = shot.path.empty() ? shot.position : shot.path.front();
    const glm::vec3 along(shot.rotation[2]);
    const float now = std::max(glm::dot(shot.position - start, along), 0.0f);
    const float before = std::clamp(glm::dot(glm::vec3(shot.prevModelMatrix[3]) - start, along), 0.0f, now);
    return start + along * before;
}

// Half the debris are sparks, half dark fragments, told apart by where each
// flies, which never changes.
bool isSpark(const GameObject& particle)
{
    const glm::vec3& aim = particle.target;
    return (static_cast<int>(std::floor(aim.x + 3.0f * aim.y + 7.0f * aim.z)) & 1) == 0;
}

// Sparks are thin and long, fragments short, flat shards.
glm::mat4 debrisShape(const GameObject& particle)
{
    return glm::scale(glm::mat4(1.0f), isSpark(particle) ? glm::vec3(0.5f, 0.5f, 1.3f) : glm::vec3(1.6f, 1.1f, 0.25f));
}

// How a flash is placed and what light it gives, from its kind and age.
struct FlashLook {
    glm::mat4 model;
    glm::vec4 glow;
};

FlashLook flashLook(const Flash& flash)
{
    const float p = flashProgress(flash);
    const glm::mat4 spin = glm::rotate(glm::mat4(1.0f), turnOf(flash.position), glm::vec3(0.0f, 0.0f, 1.0f));
    glm::vec3 centre = flash.position, stretch(1.0f);
    glm::mat4 orientation = spin;
    float size = 0.0f;
    glm::vec3 hot{3.0f, 2.6f, 1.6f}, cooled{2.4f, 1.0f, 0.2f};
    switch (flash.kind) {
    case FlashKind::Muzzle: // a white-hot plume out of the barrel, gone in a frame or two
        size = 0.28f * (1.0f - 0.5f * p);
        centre += flash.direction * 2.0f;
        orientation = facingAlong(flash.direction) * spin;
        stretch = glm::vec3(1.0f, 1.0f, 2.2f);
        hot = glm::vec3(3.6f, 3.0f, 1.9f);
        cooled = glm::vec3(2.8f, 1.4f, 0.4f);
        break;
    case FlashKind::EnemyMuzzle:
        size = 0.3f * (1.0f - 0.5f * p);
        centre += flash.direction * 1.0f;
        orientation = facingAlong(flash.direction) * spin;
        stretch = glm::vec3(1.0f, 1.0f, 1.8f);
        hot = glm::vec3(2.6f, 1.0f, 0.35f);
        break;
    case FlashKind::Impact: // a spark that flares up and dies
        size = 0.05f + 0.45f * std::min(1.0f, p * 5.0f) * (1.0f - p);
        centre.y += 0.5f;
        break;
    case FlashKind::Hit: // a white flash swelling over the crawler, cooling to orange
        size = 0.2f + 1.0f * std::min(1.0f, p * 6.0f) * (1.0f - 0.5f * p);
        hot = glm::vec3(3.0f, 3.0f, 2.6f);
        cooled = glm::vec3(2.6f, 1.0f, 0.2f);
        break;
    }
    const glm::mat4 model =
        glm::translate(glm::mat4(1.0f), centre) * orientation * glm::scale(glm::mat4(1.0f), stretch * size);
    return {model, glm::vec4(glm::mix(hot, cooled, p), 1.0f)};
}

// A model along z (the projectile) stretched into a streak `length` long that
// ends at `head`, turned by `rotation` (whose +z is the streak's direction),
// at least `minimumWidth` thick and at least `widthPixels` pixels wide seen
// from `eye`.
glm::mat4 streakMatrix(const MeshBounds& bounds, const glm::vec3& head, const glm::mat4& rotation, float length,
                       float minimumWidth, float widthPixels, const glm::vec3& eye, float pixelAngle)
{
    const glm::vec3 centre = head - glm::vec3(rotation[2]) * (0.5f * length);
    const float width = std::max(minimumWidth, widthPixels * pixelAngle * glm::distance(centre, eye));
    const glm::vec3 scale(width / bounds.size.x, width / bounds.size.y, length / bounds.size.z);
    return glm::translate(glm::mat4(1.0f), centre) * rotation * glm::scale(glm::mat4(1.0f), scale) *
           glm::translate(glm::mat4(1.0f), -0.5f * (bounds.boundsMin + bounds.boundsMax));
}

// The sparks a shot throws out of the sand: a few glowing streaks that fly up
// and out of the dust and fall back, each `step` of the spark's life.
constexpr int sparksPerImpact = 4;
constexpr float sparkSpeed = 70.0f, sparkFall = 60.0f, sparkLength = 2.5f;

glm::mat4 sparkMatrix(const MeshBounds& bounds, const Flash& flash, int index, const glm::vec3& eye, float pixelAngle)
{
    const float turn = turnOf(flash.position) + glm::two_pi<float>() * static_cast<float>(index) / sparksPerImpact;
    const float rise = 0.6f + 0.25f * static_cast<float>(index % 3);
    const glm::vec3 launch = glm::normalize(glm::vec3(std::cos(turn), rise, std::sin(turn)));
    const float t = flash.age;
    const glm::vec3 head = flash.position + launch * (sparkSpeed * t) - glm::vec3(0.0f, 0.5f * sparkFall * t * t, 0.0f);
    const glm::vec3 velocity = launch * sparkSpeed - glm::vec3(0.0f, sparkFall * t, 0.0f);
    return streakMatrix(bounds, head, facingAlong(glm::normalize(velocity)), sparkLength, 0.1f, 2.0f, eye, pixelAngle);
}

// How far a particle has flown from its burst (and for how long, at its
// pool's steady speed), and how far it still has to go before its pool lets
// it go.
struct Flight {
    float travelled, seconds, remaining;
};

// What a puff of dust or fire shows: how far it has thinned out, how far it
// has burnt, and how much larger than its particle it is drawn.
struct PuffLook {
    float fade, burnt, scale;
};

// Draws every particle of `emitter`'s pool with the dust program, each with
// the look `look` gives its flight.
template <typename Look>
int drawPuffs(const EffectView& view, const ParticleEmitter* emitter, Look look)
{
    if (!emitter || emitter->particles.objects.empty())
        return 0;
    const ProjectileSystem& pool = emitter->particles;
    const ShaderProgram& program = *meshOf(pool.objects.front()).program;
    int drawn = 0;
    for (const GameObject& particle : pool.objects) {
        const float travelled = particle.path.empty() ? 0.0f : glm::distance(particle.position, particle.path.front());
        const float remaining = glm::distance(particle.position, particle.target) - pool.speed / 10.0f;
        const float seconds = pool.speed > 0.0f ? travelled / pool.speed : 0.0f;
        const PuffLook puff = look(Flight{travelled, seconds, remaining});
        setDustLook(program, puff.fade, puff.burnt);
        const glm::mat4 scale = glm::scale(glm::mat4(1.0f), glm::vec3(puff.scale));
        drawn += drawPlaced(view, meshOf(particle), particle.modelMatrix() * scale, particle.prevModelMatrix * scale);
    }
    setDustLook(program, 0.0f, 0.0f);
    return drawn;
}

} // namespace

float tracerLength(const GameObject& shot)
{
    const glm::vec3 start = shot.path.empty() ? shot.position : shot.path.front();
    const glm::vec3 along(shot.rotation[2]);
    const float travelled = std::max(glm::dot(shot.position - start, along), 0.0f);
    const float sinceLastFrame = travelled - glm::dot(previousHead(shot) - start, along);
    const float ownLength = shot.model->size.z * shot.scale.z;
    return std::max(std::min(std::max(tracerTrail, sinceLastFrame), travelled), ownLength);
}

glm::mat4 tracerMatrix(const GameObject& shot, const glm::vec3& head, float length, const glm::vec3& eye,
                       float pixelAngle)
{
    const MeshBounds& bounds = *shot.model;
    return streakMatrix(bounds, head, shot.rotation, length, bounds.size.x * shot.scale.x, tracerWidthPixels, eye,
                        pixelAngle);
}

int drawTracers(const EffectView& view)
{
    const glm::vec3 eye = view.camera.position + view.camera.offset;
    int drawn = 0;
    const std::pair<const ProjectileSystem*, glm::vec4> weapons[] = {{&view.world.playerWeapon, playerTracerGlow},
                                                                     {&view.world.enemyWeapon, enemyTracerGlow}};
    for (const auto& [weapon, glow] : weapons) {
        if (weapon->objects.empty())
            continue;
        const ShaderProgram& program = *meshOf(weapon->objects.front()).program;
        setGlow(program, glow);
        for (const GameObject& shot : weapon->objects) {
            const float length = tracerLength(shot);
            drawn += drawPlaced(view, meshOf(shot), tracerMatrix(shot, shot.position, length, eye, view.pixelAngle),
                                tracerMatrix(shot, previousHead(shot), length, eye, view.pixelAngle));
        }
        setGlow(program, noGlow);
    }
    return drawn;
}

void drawTracerVelocities(const EffectView& view, const ShaderProgram& velocityProgram)
{
    const glm::vec3 eye = view.camera.position + view.camera.offset;
    for (const ProjectileSystem* weapon : {&view.world.playerWeapon, &view.world.enemyWeapon})
        for (const GameObject& shot : weapon->objects) {
            const float length = tracerLength(shot);
            drawVelocity(meshOf(shot), tracerMatrix(shot, shot.position, length, eye, view.pixelAngle),
                         tracerMatrix(shot, previousHead(shot), length, eye, view.pixelAngle), velocityProgram);
        }
}

int drawDebris(const EffectView& view)
{
    if (!view.world.debrisEmitter || view.world.debrisEmitter->particles.objects.empty())
        return 0;
    const std::vector<GameObject>& particles = view.world.debrisEmitter->particles.objects;
    const ShaderProgram& program = *meshOf(particles.front()).program;
    int drawn = 0;
    for (bool sparks : {true, false}) {
        setGlow(program, sparks ? sparkGlow : fragmentGlow);
        for (const GameObject& particle : particles)
            if (isSpark(particle) == sparks) {
                const glm::mat4 shape = debrisShape(particle);
                drawn += drawPlaced(view, meshOf(particle), particle.modelMatrix() * shape,
                                    particle.prevModelMatrix * shape);
            }
    }
    setGlow(program, noGlow);
    return drawn;
}

void drawDebrisVelocities(const EffectView& view, const ShaderProgram& velocityProgram)
{
    if (!view.world.debrisEmitter)
        return;
    for (const GameObject& particle : view.world.debrisEmitter->particles.objects) {
        const glm::mat4 shape = debrisShape(particle);
        drawVelocity(meshOf(particle), particle.modelMatrix() * shape, particle.prevModelMatrix * shape,
                     velocityProgram);
    }
}

int drawFlashes(const EffectView& view)
{
    const Mesh* burst = view.assets.explosionMesh.get();
    const Mesh* streak = view.assets.projectileMesh.get();
    if (!burst || !streak || view.world.flashes.live.empty())
        return 0;
    const glm::vec3 eye = view.camera.position + view.camera.offset;
    int drawn = 0;
    for (const Flash& flash : view.world.flashes.live) {
        const FlashLook look = flashLook(flash);
        setGlow(*burst->program, look.glow);
        drawn += drawPlaced(view, *burst, look.model, look.model);
        if (flash.kind != FlashKind::Impact)
            continue;
        setGlow(*streak->program, glm::vec4(glm::vec3(sparkGlow) * (1.0f - 0.6f * flashProgress(flash)), 1.0f));
        for (int i = 0; i < sparksPerImpact; ++i) {
            const glm::mat4 model = sparkMatrix(*streak, flash, i, eye, view.pixelAngle);
            drawn += drawPlaced(view, *streak, model, model);
        }
    }
    setGlow(*burst->program, noGlow);
    setGlow(*streak->program, noGlow);
    return drawn;
}

int drawDust(const EffectView& view)
{
    // A puff swells out of the hit over its first units, so that the spark
    // shows before the dust hides it, and thins out over its last ones instead
    // of vanishing whole where the pool lets it go.
    return drawPuffs(view, view.world.dustEmitter.get(), [](const Flight& flight) {
        return PuffLook{1.0f - std::clamp(flight.remaining / 6.0f, 0.0f, 1.0f), 0.0f,
                        std::clamp(flight.travelled / 4.0f, 0.05f, 1.0f)};
    });
}

int drawFire(const EffectView& view)
{
    // Fire drifts outward at a steady speed: how far a puff has come says how
    // long it has burnt. Smoke billows as it cools.
    return drawPuffs(view, view.world.fireballEmitter.get(), [](const Flight& flight) {
        const float burnt = std::clamp(flight.seconds / burnTime, 0.0f, 1.0f);
        return PuffLook{1.0f - std::clamp(flight.remaining / 3.0f, 0.0f, 1.0f), burnt, 1.0f + 0.5f * burnt};
    });
}

int drawTrackDust(const EffectView& view)
{
    const Mesh* cloud = view.assets.dustCloudMesh.get();
    if (!cloud || view.world.trackDust.puffs.empty())
        return 0;
    int drawn = 0;
    for (const DustPuff& puff : view.world.trackDust.puffs) {
        const glm::mat4 model = glm::translate(glm::mat4(1.0f), puff.position) *
                                glm::rotate(glm::mat4(1.0f), puff.spin, glm::vec3(0.0f, 1.0f, 0.0f)) *
                                glm::scale(glm::mat4(1.0f), glm::vec3(dustPuffScale(puff)));
        setDustLook(*cloud->program, std::clamp(puff.age / dustPuffLife, 0.0f, 1.0f), 0.0f);
        drawn += drawPlaced(view, *cloud, model, model);
    }
    setDustLook(*cloud->program, 0.0f, 0.0f);
    return drawn;
}
