#include "render/ShaderWarmUp.h"

#include "render/RenderScale.h"

#include <GL/glew.h>
#include <glm/vec3.hpp>

#include <memory>

namespace {

// The objects stand in front of the eye, as the level's objects will.
GameObject standIn(Mesh* mesh, const glm::vec3& at)
{
    GameObject object(mesh);
    object.position = at;
    object.prevModelMatrix = object.modelMatrix();
    return object;
}

} // namespace

void drawWarmUpFrame(const FrameView& frame, const std::function<void()>& drawOverlay)
{
    const Assets& assets = frame.assets;
    const Camera& camera = *frame.world.currentCamera;
    const glm::vec3 ahead = camera.position + camera.offset + 30.0f * camera.forward();

    World stage;
    stage.cameras.push_back(std::make_unique<Camera>(camera));
    stage.currentCamera = stage.cameras.back().get();
    stage.previousViewProjection = frame.world.previousViewProjection;
    stage.lights = frame.world.lights;

    // The ground first: the velocity pass draws the first scenery object.
    if (assets.groundMesh)
        stage.scenery.push_back(standIn(assets.groundMesh.get(), glm::vec3(0.0f)));
    for (Mesh* mesh : {assets.crawlerModelMesh.get(), assets.crawlerBaseMesh.get(), assets.crawlerBase1Mesh.get(),
                       assets.crawlerBase3Mesh.get(), assets.crawlerBodyMesh.get(), assets.duckMesh.get(),
                       assets.droneMesh.get(), assets.destroyedCrawlerMesh.get(), assets.cannonMesh.get(),
                       assets.projectileMesh.get(), assets.projectileParticleMesh.get(), assets.explosionMesh.get(),
                       assets.rockMesh.get(), assets.dustCloudMesh.get(), assets.fireballMesh.get(),
                       assets.radarDomeMesh.get()})
        if (mesh)
            stage.scenery.push_back(standIn(mesh, ahead));

    // Shots and particles go through the velocity pass and the particle
    // programs' per-frame set-up as well.
    if (Mesh* shot = assets.projectileMesh.get()) {
        stage.playerWeapon.objects.push_back(standIn(shot, ahead));
        stage.enemyWeapon.objects.push_back(standIn(shot, ahead));
    }
    auto emitter = [&](Mesh* mesh) {
        auto made = std::make_unique<ParticleEmitter>(mesh);
        if (mesh)
            made->particles.objects.push_back(standIn(mesh, ahead));
        return made;
    };
    stage.debrisEmitter = emitter(assets.projectileParticleMesh.get());
    stage.dustEmitter = emitter(assets.dustCloudMesh.get());
    stage.fireballEmitter = emitter(assets.fireballMesh.get());

    RenderToggles everything = frame.toggles;
    everything.frustumCulling = false;
    everything.wireframe = false;
    const FrameView view{stage, assets, frame.targets, frame.postProcessing, everything, frame.text, frame.listener};
    // The variants are chosen and compiled when a draw is issued, whatever it
    // covers: a one-pixel scissor keeps the frame from shading whole screens.
    glEnable(GL_SCISSOR_TEST);
    glScissor(0, 0, 1, 1);
    renderFrame(view, drawOverlay);
    // A scene drawn smaller than the window is blurred into a target of its
    // own and stretched over the window: that path is made ready as well.
    frame.postProcessing.drawComposite(
        frame.targets.colorFramebuffer, frame.targets.velocityFramebuffer,
        sceneSize(frame.targets.width, frame.targets.height, smallestRenderScale));
    glDisable(GL_SCISSOR_TEST);
    // The compiling happens as the draws are issued; finishing here keeps the
    // frame's own rendering out of the first frame of play as well.
    glFinish();
}
