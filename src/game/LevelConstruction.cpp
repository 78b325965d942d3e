#include "game/LevelConstruction.h"

#include "game/LevelFiles.h"
#include "game/LevelRules.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

namespace {

// A random walk of `steps` points from a random start inside [-400, 400], each
// step up to `stride` in x and z, kept inside [-700, 700]. The start itself is
// not on the route. `height` gives each point's y and may draw numbers of its own.
template <typename Height>
std::vector<glm::vec3> randomWalk(int steps, int stride, Height height)
{
    int x = std::rand() % 800 - 400;
    int z = std::rand() % 800 - 400;
    std::vector<glm::vec3> points;
    points.reserve(static_cast<std::size_t>(steps));
    for (int i = 0; i < steps; ++i) {
        x += std::rand() % (2 * stride) - stride;
        z += std::rand() % (2 * stride) - stride;
        x = std::clamp(x, -700, 700);
        z = std::clamp(z, -700, 700);
        const float fx = static_cast<float>(x), fz = static_cast<float>(z);
        points.emplace_back(fx, height(fx, fz), fz);
    }
    return points;
}

// A follower that rides `points` back and forth at `speed`, heading for the second.
PathFollower loopingRoute(std::vector<glm::vec3> points, float speed)
{
    PathFollower route(PathFollower::loopingMode);
    route.followPath(std::move(points));
    route.speed = speed;
    return route;
}

GameObject placed(MeshBounds* model, const glm::vec3& position, const glm::vec3& scale)
{
    GameObject object(model);
    object.position = position;
    object.scale = scale;
    // Scenery never moves: its previous matrix is its matrix from the start.
    object.prevModelMatrix = object.modelMatrix();
    return object;
}

void addCrawler(World& world, const LevelMeshes& meshes, std::vector<glm::vec3> points, float speed)
{
    const CrawlerMeshes parts{meshes.crawlerBase, meshes.crawlerBase1, meshes.crawlerBase3,
                              meshes.crawlerBody, meshes.destroyedCrawler, meshes.drone};
    Crawler& crawler = world.crawlers.emplace_back(parts);
    crawler.placeOnPath(loopingRoute(std::move(points), speed));
}

void addScenery(World& world, const LevelMeshes& meshes)
{
    const Terrain& terrain = *world.terrain;
    world.scenery.push_back(placed(meshes.ground, {0.0f, 0.0f, 0.0f}, glm::vec3(1.0f)));
    world.scenery.push_back(
        placed(meshes.radarDome, {-500.0f, terrain.heightAt(-500.0f, -500.0f), -500.0f}, {0.5f, 0.6f, 0.5f}));
    world.scenery.push_back(placed(meshes.dustCloud, {0.0f, 0.0f, -50.0f}, glm::vec3(0.2f)));
    for (int i = 0; i < 100; ++i) {
        // x, then z, then the size: rocks sink 5 units into the sand.
        const float x = static_cast<float>(std::rand() % 1500 - 750);
        const float z = static_cast<float>(std::rand() % 1500 - 750);
        const float size = static_cast<float>(std::rand() % 20 + 5) / 100.0f;
        world.scenery.push_back(placed(meshes.rock, {x, terrain.heightAt(x, z) - 5.0f, z}, glm::vec3(size)));
    }
    world.scenery.push_back(
        placed(meshes.rock, {700.0f, terrain.heightAt(700.0f, -700.0f) - 5.0f, -700.0f}, glm::vec3(1.8f)));
}

// The crawlers of step 1; returns how many were made.
int addCrawlers(World& world, const LevelMeshes& meshes, int currentLevel, const Settings& settings)
{
    const Terrain& terrain = *world.terrain;
    const std::size_t before = world.crawlers.size();
    if (settings.randomchallenge) {
        const int count = std::rand() % 30 + 20 * currentLevel;
        for (int i = 0; i < count; ++i) {
            const int steps = std::rand() % 200 + 100;
            std::vector<glm::vec3> points =
                randomWalk(steps, 10, [&terrain](float x, float z) { return terrain.heightAt(x, z); });
            const float speed = static_cast<float>(std::rand() % 20 + 20);
            addCrawler(world, meshes, std::move(points), speed);
        }
    } else {
        for (std::vector<glm::vec3>& route : crawlerRoutes(readLevelFile(crawlerRoutesPath), terrain)) {
            // A route needs somewhere to go: a group of one point (or none)
            // cannot be followed.
            if (route.size() < 2)
                continue;
            addCrawler(world, meshes, std::move(route), 20.0f);
        }
    }
    return static_cast<int>(world.crawlers.size() - before);
}

} // namespace

void armLevel(World& world, const LevelMeshes& meshes, int particleDensity)
{
    armWeapon(world.playerWeapon, meshes.projectile);
    armWeapon(world.enemyWeapon, meshes.projectile);
    world.debrisEmitter = createEmitter(Effect::Debris, meshes.projectileParticle, particleDensity);
    world.dustEmitter = createEmitter(Effect::Dust, meshes.dustCloud, particleDensity);
    world.fireballEmitter = createEmitter(Effect::Fireball, meshes.fireball, particleDensity);
}

void buildWorld(World& world, const LevelMeshes& meshes, std::unique_ptr<Terrain> terrain, int currentLevel,
                const Settings& settings)
{
    world.terrain = std::move(terrain);
    addScenery(world, meshes);
    const int crawlerCount = addCrawlers(world, meshes, currentLevel, settings);

    // The odd one out: the last crawler carries a duck and no marker.
    if (crawlerCount > 0) {
        Crawler& odd = world.crawlers.back();
        odd.bodyPart.model = meshes.duck;
        odd.marker.scale = glm::vec3(0.0f);
    }

    world.neededKills = settings.randomchallenge ? randomChallengeKills(currentLevel) : crawlerCount;
    world.timeLimit = levelTimeLimit(currentLevel);
    world.speedLevel = levelSpeed(currentLevel);

    // The edge crawler patrols the far side of the map, always; it is not
    // needed to win, but destroying it counts.
    std::vector<glm::vec3> edge;
    for (int x = -690; x <= 700; x += 10)
        edge.emplace_back(static_cast<float>(x), world.terrain->heightAt(static_cast<float>(x), 700.0f), 700.0f);
    addCrawler(world, meshes, std::move(edge), 10.0f);
}

void buildCameras(World& world, const Settings& settings)
{
    const float aspectRatio = static_cast<float>(settings.screenwidth) / static_cast<float>(settings.screenheight);

    auto free = std::make_unique<Camera>(settings.screenwidth, settings.screenheight);
    free->position = glm::vec3(0.0f, 250.0f, 200.0f);
    free->offsetOrientation(10.0f, 0.0f);
    free->aspectRatio = aspectRatio;
    free->nearPlane = 0.5f;
    free->farPlane = 1000.0f;

    std::vector<glm::vec3> route;
    const Terrain& terrain = *world.terrain;
    if (!settings.randomchallenge) {
        route = readLevelFile(playerRoutePath).vertices;
    } else if (!settings.airmode) {
        const int steps = std::rand() % 500 + 200;
        route = randomWalk(steps, 10, [&terrain](float x, float z) { return terrain.heightAt(x, z) + 5.0f; });
    } else {
        // Flying: long strides, and every point's height drawn after its step.
        const int steps = std::rand() % 500 + 200;
        route = randomWalk(steps, 100, [](float, float) { return static_cast<float>(std::rand() % 50 + 96); });
    }

    auto player = std::make_unique<Camera>(10 * settings.screenwidth, 10 * settings.screenheight);
    player->aspectRatio = aspectRatio;
    player->fieldOfView = 60.0f;
    player->nearPlane = 0.5f;
    player->farPlane = 1000.0f;
    player->placeOnPath(loopingRoute(std::move(route), world.speedLevel * (settings.airmode ? 3.0f : 1.0f)));
    player->offset = glm::vec3(0.0f, 5.0f, 0.0f);
    player->offsetOrientation(0.0f, 180.0f);

    world.cameras.clear();
    world.cameras.push_back(std::move(free));
    world.cameras.push_back(std::move(player));
    world.currentCamera = settings.debugmode ? &world.freeCamera() : &world.playerCamera();
    world.previousViewProjection = world.currentCamera->matrix();
}

void buildLightsAndDrone(World& world, const LevelMeshes& meshes)
{
    world.lights = levelLights(world.playerCamera());

    // A square loop round the landmark butte, 120 units up.
    std::vector<glm::vec3> loop{{600.0f, 120.0f, -600.0f},
                                {800.0f, 125.0f, -600.0f},
                                {800.0f, 120.0f, -800.0f},
                                {600.0f, 125.0f, -800.0f},
                                {600.0f, 120.0f, -600.0f}};
    world.drone = std::make_unique<GameObject>(meshes.drone);
    world.drone->scale = glm::vec3(1.5f);
    world.drone->placeOnPath(loopingRoute(std::move(loop), 80.0f));
    world.drone->prevModelMatrix = world.drone->modelMatrix();
}
