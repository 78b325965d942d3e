#include "FuzzLevel.h"

#include "FuzzScratch.h"

#include "game/Gameplay.h"
#include "game/LevelConstruction.h"
#include "game/Terrain.h"

#include <cstdlib>
#include <memory>
#include <vector>

namespace {

// The player holds the trigger and nothing else; the clock runs at 60 frames a second.
class TriggerHeldInput : public Input {
public:
    double clock = 0.0;

    double time() override { return clock; }
    int key(int) override { return Release; }
    int mouseButton(int button) override { return button == MouseButton::Left ? Press : Release; }
    void cursorPosition(double& x, double& y) override { x = y = 0.0; }
    bool gamepad(GamepadState&) override { return false; }
    void setCursorPosition(double, double) override {}
    void setCursorMode(CursorMode) override {}
    void pollEvents() override {}
    double scrollOffset() override { return 0.0; }
    void resetScrollOffset() override {}
    bool shouldClose() override { return false; }
    bool focused() override { return true; }
    void setShouldClose(bool) override {}
    void setTitle(const std::string&) override {}
    void swapBuffers() override {}
    void sleepMilliseconds(int) override {}
    void terminate() override {}
};

// The game's 1500 x 1500 heightmap size, rising from west to east, so that
// every route point gets a real height and the ground can be hit.
const std::vector<std::uint8_t>& slopePixels()
{
    static const std::vector<std::uint8_t> pixels = [] {
        std::vector<std::uint8_t> blue(1500u * 1500u);
        for (std::size_t row = 0; row < 1500; ++row)
            for (std::size_t column = 0; column < 1500; ++column)
                blue[row * 1500 + column] = static_cast<std::uint8_t>(column / 6);
        return blue;
    }();
    return pixels;
}

struct BoundsMeshes {
    std::vector<MeshBounds> all = std::vector<MeshBounds>(14);

    BoundsMeshes()
    {
        for (MeshBounds& mesh : all)
            mesh.setBounds({-2.5f, 0.0f, -3.5f}, {2.5f, 7.0f, 3.5f});
    }

    LevelMeshes level()
    {
        LevelMeshes meshes;
        MeshBounds** slots[] = {&meshes.crawlerBase, &meshes.crawlerBase1, &meshes.crawlerBase3, &meshes.crawlerBody,
                                &meshes.duck, &meshes.drone, &meshes.destroyedCrawler, &meshes.projectile,
                                &meshes.projectileParticle, &meshes.ground, &meshes.rock, &meshes.dustCloud,
                                &meshes.fireball, &meshes.radarDome};
        for (std::size_t i = 0; i < all.size(); ++i)
            *slots[i] = &all[i];
        return meshes;
    }
};

} // namespace

void prepareLevelFolder(const std::string& file, const std::string& content)
{
    silenceStandardOutput();
    writeFuzzFile(fuzzScratchFolder() + "/" + file, content);
}

void writeLevelFile(const std::string& file, const std::uint8_t* data, std::size_t size)
{
    writeFuzzFile(fuzzScratchFolder() + "/" + file, data, size);
}

Settings levelSettings()
{
    Settings settings;
    settings.screenwidth = 1280;
    settings.screenheight = 720;
    return settings;
}

void buildAndRideLevel(const Settings& settings, int frames)
{
    const InFuzzScratchFolder inScratch;
    std::srand(1);
    BoundsMeshes bounds;
    const LevelMeshes meshes = bounds.level();
    World world;
    GameState state;
    Settings playing = settings;
    armLevel(world, meshes, playing.fParticleDensity);
    buildWorld(world, meshes, std::make_unique<Terrain>(1500, 1500, slopePixels()), state.currentLevel, playing);
    buildCameras(world, playing);
    buildLightsAndDrone(world, meshes);

    TriggerHeldInput input;
    const float dt = 1.0f / 60.0f;
    for (int frame = 0; frame < frames; ++frame) {
        input.clock += dt;
        collisionStep(world, state, input.clock);
        updateGameplay(world, state, playing, input, dt);
        world.currentCamera->updateFrustumPlanes();
        world.events.clear();
    }
    world.release();
}
