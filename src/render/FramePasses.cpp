#include "render/FramePasses.h"

#include "assets/Mesh.h"
#include "render/CameraUniforms.h"
#include "render/EffectDraws.h"
#include "render/LightUniforms.h"
#include "render/RenderScale.h"
#include "render/ShadowMap.h"

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

// A sphere around the box `low`..`high` of a model placed by `model`.
bool boxOutside(const ViewPlanes& planes, const glm::mat4& model, const glm::vec3& low, const glm::vec3& high)
{
    const glm::vec3 centre(model * glm::vec4((low + high) * 0.5f, 1.0f));
    const float scale = std::max({glm::length(glm::vec3(model[0])), glm::length(glm::vec3(model[1])),
                                  glm::length(glm::vec3(model[2]))});
    return sphereOutside(planes, centre, scale * glm::length(high - low) * 0.5f);
}

// Which pieces of `object`'s mesh `planes` can see; all of them without planes.
std::function<bool(const MeshPiece&)> piecesSeen(const GameObject& object, const ViewPlanes* planes)
{
    if (!planes)
        return {};
    return [planes, model = object.modelMatrix()](const MeshPiece& piece) {
        return !boxOutside(*planes, model, piece.boundsMin, piece.boundsMax);
    };
}

void setMatrix(const ShaderProgram& program, const char* name, const glm::mat4& matrix)
{
    glUniformMatrix4fv(glGetUniformLocation(program.program, name), 1, GL_FALSE, glm::value_ptr(matrix));
}

// Clears `buffers` of the bound target where the scene goes: glClear ignores
// the viewport, so a scissor keeps it to the scene's part. A scissor already
// set (the shader warm-up's single pixel) is narrower still and stays.
void clearScene(const RenderTargets& targets, const SceneSize& scene, GLbitfield buffers)
{
    const bool part =
        (scene.width < targets.width || scene.height < targets.height) && !glIsEnabled(GL_SCISSOR_TEST);
    if (part) {
        glEnable(GL_SCISSOR_TEST);
        glScissor(0, 0, scene.width, scene.height);
    }
    glClear(buffers);
    if (part)
        glDisable(GL_SCISSOR_TEST);
}

// The colour image's depth. Its colours need no clear: the sky fills every
// pixel the scene leaves empty. The velocity image is cleared by its own pass,
// and the window needs none: the composite covers every pixel of it.
void clearTargets(const RenderTargets& targets, const SceneSize& scene)
{
    targets.colorFramebuffer.bind(RenderTarget::Color);
    clearScene(targets, scene, GL_DEPTH_BUFFER_BIT);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
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

void shadowPass(const FrameView& frame, const std::vector<Light>& lights, const SceneSize& scene)
{
    const ShaderProgram& program = *frame.assets.shadowMappingProgram;
    glUseProgram(program.program);
    setLightViewProjection(program, lights[headlight]);
    glUseProgram(0);

    glViewport(0, 0, shadowMapSize, shadowMapSize);
    glBindFramebuffer(GL_FRAMEBUFFER, frame.targets.shadowMap.shadowFramebuffer);
    glClear(GL_DEPTH_BUFFER_BIT);
    // What lies outside the headlight's view casts nothing into its map: with
    // culling on it is left out, and of the ground only what the light sees.
    const ViewPlanes light = frustumPlanesOf(lightViewProjection(lights[headlight]));
    const ViewPlanes* culling = frame.toggles.frustumCulling ? &light : nullptr;
    const auto cast = [&](const GameObject& object) {
        if (!culling || !boxOutside(light, object.modelMatrix(), object.model->boundsMin, object.model->boundsMax))
            drawShadowCaster(object, program, culling);
    };
    // Shots, particles and the drone cast no shadow.
    forEachCrawlerPart(frame.world, cast);
    for (const GameObject& object : frame.world.scenery)
        cast(object);
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    glViewport(0, 0, scene.width, scene.height);
}

// The sky lies behind everything: drawn after the solid scene, it shades only
// the pixels the scene left empty, and before the blended particles, which
// show it through them. Always filled, even in wire-frame mode.
void skyPass(const FrameView& frame, const Camera& camera)
{
    frame.targets.colorFramebuffer.bind(RenderTarget::Color);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    const Skybox& sky = *frame.assets.skybox;
    glUseProgram(sky.program->program);
    sky.setUniforms(camera.view(), camera.fieldOfView, camera.aspectRatio);
    glUseProgram(0);
    sky.draw();
    glPolygonMode(GL_FRONT_AND_BACK, frame.toggles.wireframe ? GL_LINE : GL_FILL);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// The effects' view of this frame: a pixel of the scene's image spans the
// view's height over the scene's rows.
EffectView effectView(const FrameView& frame, const Camera& camera, const SceneSize& scene)
{
    const float pixelAngle =
        2.0f * std::tan(glm::radians(camera.fieldOfView) * 0.5f) / static_cast<float>(std::max(scene.height, 1));
    return {frame.world, frame.assets, camera, frame.toggles.frustumCulling, pixelAngle};
}

void velocityPass(const FrameView& frame, const Camera& camera, const SceneSize& scene)
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
    clearScene(frame.targets, scene, GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Only what the player sees streak: the tracers, the ground and the
    // particles. Crawlers, rocks and the drone keep the clear value: no motion.
    const EffectView effects = effectView(frame, camera, scene);
    drawTracerVelocities(effects, program);
    const ViewPlanes view = camera.computeFrustumPlanes();
    if (!world.scenery.empty())
        drawVelocity(world.scenery.front(), program, frame.toggles.frustumCulling ? &view : nullptr);
    drawDebrisVelocities(effects, program);
    for (const ParticleEmitter* emitter : {world.dustEmitter.get(), world.fireballEmitter.get()})
        if (emitter)
            for (const GameObject& particle : emitter->particles.objects)
                drawVelocity(particle, program);
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
}

// The solid scene: crawlers, scenery, shots, debris and the drone. Returns how
// many objects it drew, the ground not counted.
int colourPass(const FrameView& frame, const Camera& camera, const std::vector<Light>& lights, const SceneSize& scene)
{
    const World& world = frame.world;
    const Assets& assets = frame.assets;
    int drawn = 0;
    auto drawCounted = [&](const GameObject& object) {
        if (drawObjectCulled(object, frame.toggles.frustumCulling, camera))
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
    // The ground is drawn whatever the view, and not counted; with culling on,
    // only its pieces in view.
    const ViewPlanes view = camera.computeFrustumPlanes();
    bool ground = true;
    for (const GameObject& object : world.scenery) {
        if (ground)
            drawObject(object, frame.toggles.frustumCulling ? &view : nullptr);
        else
            drawCounted(object);
        ground = false;
    }
    // Shots and debris are light: they glow.
    const EffectView effects = effectView(frame, camera, scene);
    drawn += drawTracers(effects);
    drawn += drawDebris(effects);
    if (world.drone)
        drawCounted(*world.drone);
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return drawn;
}

// Dust and fire blended over the scene and the sky, then the flashes. Returns
// how many it drew.
int particlePass(const FrameView& frame, const Camera& camera, const std::vector<Light>& lights,
                 const SceneSize& scene)
{
    int drawn = 0;
    frame.targets.colorFramebuffer.bind(RenderTarget::Color);
    const ShaderProgram& dust = *frame.assets.dustProgram;
    glUseProgram(dust.program);
    setLightUniforms(dust, lights);
    setCameraUniforms(dust, camera);
    glUseProgram(0);
    const EffectView effects = effectView(frame, camera, scene);
    drawn += drawDust(effects);
    drawn += drawFire(effects);
    drawn += drawTrackDust(effects);
    // Flashes last: a spark shows through the dust it raises.
    drawn += drawFlashes(effects);
    glPolygonMode(GL_FRONT_AND_BACK, GL_FILL);
    glUseProgram(0);
    glBindFramebuffer(GL_FRAMEBUFFER, 0);
    return drawn;
}

// The HUD, the debug overlay and the statistics line, onto the window at its
// own size after the blur: they stay sharp while the view turns and whatever
// the scene's scale. Text goes over everything, so the depth test is off.
void overlayPass(const FrameView& frame, const std::function<void()>& drawOverlay, int drawn)
{
    bindWindowFramebuffer();
    glDisable(GL_DEPTH_TEST);
    drawOverlay();
    if (frame.toggles.showStatistics && frame.text)
        frame.text->draw("Number of rendered objects:" + std::to_string(drawn), 25.0f, 90.0f, 1.0f, statisticsGreen);
    glEnable(GL_DEPTH_TEST);
}

} // namespace

void drawShadowCaster(const GameObject& object, const ShaderProgram& program, const ViewPlanes* planes)
{
    glUseProgram(program.program);
    setMatrix(program, "modelMatrix", object.modelMatrix());
    meshOf(object).draw(&program, piecesSeen(object, planes));
}

void drawVelocity(const GameObject& object, const ShaderProgram& program, const ViewPlanes* planes)
{
    drawVelocity(meshOf(object), object.modelMatrix(), object.prevModelMatrix, program,
                 piecesSeen(object, planes));
}

void drawObject(const GameObject& object, const ViewPlanes* planes)
{
    drawMesh(meshOf(object), object.modelMatrix(), object.prevModelMatrix, piecesSeen(object, planes));
}

void drawMesh(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous,
              const std::function<bool(const MeshPiece&)>& shows)
{
    glUseProgram(mesh.program->program);
    setMatrix(*mesh.program, "modelMatrix", model);
    setMatrix(*mesh.program, "prevModelMatrix", previous);
    mesh.draw(mesh.program, shows);
}

void drawVelocity(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous, const ShaderProgram& program,
                  const std::function<bool(const MeshPiece&)>& shows)
{
    glUseProgram(program.program);
    setMatrix(program, "modelMatrix", model);
    setMatrix(program, "prevModelMatrix", previous);
    mesh.draw(&program, shows);
}

bool outsideView(const GameObject& object, const Camera& camera)
{
    return outsideView(*object.model, object.modelMatrix(), camera);
}

bool outsideView(const MeshBounds& bounds, const glm::mat4& model, const Camera& camera)
{
    // A sphere around the mesh's whole box, wherever its origin lies, against
    // planes measured in world units: an object that reaches into the view
    // is never left out (a sphere about the origin through one corner, and
    // planes of the projection's own lengths, dropped crawlers close to the
    // eye and at the edges of the view).
    return boxOutside(camera.computeFrustumPlanes(), model, bounds.boundsMin, bounds.boundsMax);
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
    const SceneSize scene = sceneSize(frame.targets.width, frame.targets.height, frame.renderScale);
    // The muzzle light is bright while the player's weapon fires, dark otherwise.
    std::vector<Light> lights = world.lights;
    if (lights.size() > muzzleLight)
        lights[muzzleLight].attenuation = world.playerWeapon.firing ? 0.001f : 10.0f;

    {
        FramePassScope pass(frame.listener, FramePass::Clear);
        clearTargets(frame.targets, scene);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Shadow);
        shadowPass(frame, lights, scene);
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
        velocityPass(frame, camera, scene);
    }
    int drawn = 0;
    {
        FramePassScope pass(frame.listener, FramePass::Colour);
        drawn = colourPass(frame, camera, lights, scene);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Sky);
        skyPass(frame, camera);
    }
    {
        FramePassScope pass(frame.listener, FramePass::Particles);
        drawn += particlePass(frame, camera, lights, scene);
    }
    glViewport(0, 0, frame.targets.width, frame.targets.height);
    {
        FramePassScope pass(frame.listener, FramePass::Composite);
        frame.postProcessing.drawComposite(frame.targets.colorFramebuffer, frame.targets.velocityFramebuffer, scene);
    }
    FramePassScope pass(frame.listener, FramePass::Overlay);
    overlayPass(frame, drawOverlay, drawn);
    return drawn;
}
