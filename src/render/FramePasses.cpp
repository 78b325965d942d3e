#include "render/FramePasses.h"

#include "assets/Mesh.h"
#include "render/CameraUniforms.h"
#include "render/EffectDraws.h"
#include "render/LightUniforms.h"

#include <GL/glew.h>
#include <glm/geometric.hpp>
#include <glm/gtc/type_ptr.hpp>

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

// The velocity image's clear colour: (32/255, 32/255). The velocity and
// composite shaders agree that this value means "no motion".
constexpr float velocityClear = 32.0f / 255.0f;

// The statistics line and the notices share this colour.
constexpr glm::vec3 statisticsGreen{0.427f, 0.603f, 0.0f};

const Mesh& meshOf(const GameObject& object)
{
    // The world sees meshes through their bounds; everything it holds is a Mesh.
    return static_cast<const Mesh&>(*object.model);
}

void setMatrix(const ShaderProgram& program, const char* name, const glm::mat4& matrix)
{
    glUniformMatrix4fv(glGetUniformLocation(program.program, name), 1, GL_FALSE, glm::value_ptr(matrix));
}

void clearTargets(const RenderTargets& targets)
{
    targets.colorFramebuffer.bind(RenderTarget::Color);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    targets.velocityFramebuffer.bind(RenderTarget::Velocity);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// The parts of a crawler a pass draws: a wreck is its base alone.
template <typename Draw>
void forEachCrawlerPart(const World& world, Draw draw)
{
    for (const Crawler& crawler : world.crawlers) {
        draw(crawler.basePart);
        if (!crawler.destroyed) {
            draw(crawler.bodyPart);
            draw(crawler.marker);
        }
    }
}

void shadowPass(const FrameView& frame, const std::vector<Light>& lights)
{
    const ShaderProgram& program = *frame.assets.shadowMappingProgram;
    glUseProgram(program.program);
    setLightViewProjection(program, lights[headlight]);
    glUseProgram(0);

    glViewport(0, 0, shadowMapSize, shadowMapSize);
    glBindFramebuffer(GL_FRAMEBUFFER, frame.targets.shadowMap.shadowFramebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    // Shots, particles and the drone cast no shadow.
    forEachCrawlerPart(frame.world, [&](const GameObject& part) { drawShadowCaster(part, program); });
    for (const GameObject& object : frame.world.scenery)
        drawShadowCaster(object, program);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, frame.targets.width, frame.targets.height);
}

void skyPass(const FrameView& frame, const Camera& camera)
{
    frame.targets.colorFramebuffer.bind(RenderTarget::Color);
    const Skybox& sky = *frame.assets.skybox;
    glUseProgram(sky.program->program);
    sky.setUniforms(camera.view(), camera.fieldOfView, camera.aspectRatio);
    glUseProgram(0);
    sky.draw();
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// The effects' view of this frame.
EffectView effectView(const FrameView& frame, const Camera& camera)
{
    const float pixelAngle =
        2.0f * std::tan(glm::radians(camera.fieldOfView) * 0.5f) / static_cast<float>(std::max(frame.targets.height, 1));
    return {frame.world, frame.assets, camera, frame.toggles.frustumCulling, pixelAngle};
}

void velocityPass(const FrameView& frame, const Camera& camera)
{
    const World& world = frame.world;
    const ShaderProgram& program = *frame.assets.velocityProgram;
    glUseProgram(program.program);
    setCameraUniforms(program, camera);
    setMatrix(program, "prevCameraMatrix", world.previousViewProjection);
    glUseProgram(0);

    frame.targets.velocityFramebuffer.bind(RenderTarget::Velocity);
    // This clear colour stays for every later clear, the next frame's too.
    glClearColor(velocityClear, velocityClear, 0.0f, 1.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Only what the player sees streak: the tracers, the ground and the
    // particles. Crawlers, rocks and the drone keep the clear value: no motion.
    const EffectView effects = effectView(frame, camera);
    drawTracerVelocities(effects, program);
    if (!world.scenery.empty())
        drawVelocity(world.scenery.front(), program);
    drawDebrisVelocities(effects, program);
    for (const ParticleEmitter* emitter : {world.dustEmitter.get(), world.fireballEmitter.get()})
        if (emitter)
            for (const GameObject& particle : emitter->particles.objects)
                drawVelocity(particle, program);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

int colourPass(const FrameView& frame, const Camera& camera, const std::vector<Light>& lights)
{
    const World& world = frame.world;
    const Assets& assets = frame.assets;
    const bool culling = frame.toggles.frustumCulling;
    int drawn = 0;
    auto drawCounted = [&](const GameObject& object) {
        if (drawObjectCulled(object, culling, camera))
            ++drawn;
    };

    frame.targets.colorFramebuffer.bind(RenderTarget::Color);
    const ShaderProgram& lit = *assets.defaultProgram;
    glUseProgram(lit.program);
    setCameraUniforms(lit, camera);
    setLightUniforms(lit, lights);
    setLightViewProjection(lit, lights[headlight]);
    glActiveTexture(GL_TEXTURE4);
    glBindTexture(GL_TEXTURE_2D, frame.targets.shadowMap.shadowMapTexture);
    glUseProgram(0);

    forEachCrawlerPart(world, drawCounted);
    // The ground is drawn whatever the view, and not counted.
    bool ground = true;
    for (const GameObject& object : world.scenery) {
        if (ground)
            drawObject(object);
        else
            drawCounted(object);
        ground = false;
    }
    // Shots and debris are light: they glow.
    const EffectView effects = effectView(frame, camera);
    drawn += drawTracers(effects);
    drawn += drawDebris(effects);
    if (world.drone)
        drawCounted(*world.drone);

    const ShaderProgram& dust = *assets.dustProgram;
    glUseProgram(dust.program);
    setLightUniforms(dust, lights);
    setCameraUniforms(dust, camera);
    glUseProgram(0);
    drawn += drawDust(effects);
    drawn += drawFire(effects);
    drawn += drawTrackDust(effects);
    // Flashes last: a spark shows through the dust it raises.
    drawn += drawFlashes(effects);

    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    if (frame.toggles.showStatistics && frame.text)
        frame.text->draw("Number of rendered objects:" + std::to_string(drawn), 25.0f, 90.0f, 1.0f, statisticsGreen);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return drawn;
}

} // namespace

void drawShadowCaster(const GameObject& object, const ShaderProgram& program)
{
    glUseProgram(program.program);
    setMatrix(program, "modelMatrix", object.modelMatrix());
    glUseProgram(0);
    meshOf(object).draw(&program);
}

void drawVelocity(const GameObject& object, const ShaderProgram& program)
{
    drawVelocity(meshOf(object), object.modelMatrix(), object.prevModelMatrix, program);
}

void drawObject(const GameObject& object)
{
    drawMesh(meshOf(object), object.modelMatrix(), object.prevModelMatrix);
}

void drawMesh(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous)
{
    glUseProgram(mesh.program->program);
    setMatrix(*mesh.program, "modelMatrix", model);
    setMatrix(*mesh.program, "prevModelMatrix", previous);
    glUseProgram(0);
    mesh.draw();
}

void drawVelocity(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous, const ShaderProgram& program)
{
    glUseProgram(program.program);
    setMatrix(program, "modelMatrix", model);
    setMatrix(program, "prevModelMatrix", previous);
    glUseProgram(0);
    mesh.draw(&program);
}

bool outsideView(const GameObject& object, const Camera& camera)
{
    return outsideView(*object.model, object.modelMatrix(), camera);
}

bool outsideView(const MeshBounds& bounds, const glm::mat4& model, const Camera& camera)
{
    // The centre is where the matrix puts the model's origin: the object's
    // position less its pivot.
    const glm::vec3 centre(model[3]);
    const glm::vec3 corner(model * glm::vec4(bounds.boundsMax, 1.0f));
    const float radius = glm::length(corner - centre);
    // Refreshed for every object: the planes always follow the camera as it is now.
    for (const FrustumPlane& plane : camera.computeFrustumPlanes())
        if (glm::dot(plane.normal, centre) + plane.distance < -radius)
            return true;
    return false;
}

bool drawObjectCulled(const GameObject& object, bool cullingEnabled, const Camera& camera)
{
    if (cullingEnabled && outsideView(object, camera))
        return false;
    drawObject(object);
    return true;
}

int renderFrame(const FrameView& frame, const std::function<void()>& drawOverlay)
{
    const World& world = frame.world;
    const Camera& camera = *world.currentCamera;
    // The muzzle light is bright while the player's weapon fires, dark otherwise.
    std::vector<Light> lights = world.lights;
    if (lights.size() > muzzleLight)
        lights[muzzleLight].attenuation = world.playerWeapon.firing ? 0.001f : 10.0f;

    {
        FramePassScope pass(frame.listener, FramePass::Clear);
        clearTargets(frame.targets);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Shadow);
        shadowPass(frame, lights);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Sky);
        skyPass(frame, camera);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Overlay);
        drawOverlay();
    }
    glPolygonMode(GL_FRONT_AND_BACK, frame.toggles.wireframe ? GL_LINE : GL_FILL);

    const ShaderProgram& environment = *frame.assets.environmentProgram;
    glUseProgram(environment.program);
    setCameraUniforms(environment, camera);
    glUseProgram(0);
    const ShaderProgram& normal = *frame.assets.normalProgram;
    glUseProgram(normal.program);
    setCameraUniforms(normal, camera);
    setLightUniforms(normal, lights);
    glUseProgram(0);

    {
        FramePassScope pass(frame.listener, FramePass::Velocity);
        velocityPass(frame, camera);
    }
    int drawn = 0;
    {
        FramePassScope pass(frame.listener, FramePass::Colour);
        drawn = colourPass(frame, camera, lights);
    }
    FramePassScope pass(frame.listener, FramePass::Composite);
    frame.postProcessing.drawComposite(frame.targets.colorFramebuffer, frame.targets.velocityFramebuffer);
    return drawn;
}
