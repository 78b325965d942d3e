#include "support/core/TestWorld.h"

TestMeshes::TestMeshes()
{
    crawlerBase.setBounds({-2.5f, 0.0f, -3.5f}, {2.5f, 7.0f, 3.5f});
    crawlerBase1 = crawlerBase;
    crawlerBase3 = crawlerBase;
    crawlerBody.setBounds({-2.0f, 2.5f, -3.0f}, {2.0f, 4.5f, 3.0f});
    duck.setBounds({-1.5f, 2.5f, -1.75f}, {1.5f, 5.0f, 1.75f});
    drone.setBounds({-10.0f, -2.0f, -10.0f}, {10.0f, 2.0f, 10.0f});
    destroyedCrawler.setBounds({-3.0f, 0.0f, -4.0f}, {3.0f, 3.0f, 4.0f});
    projectile.setBounds({-0.25f, -0.25f, -3.0f}, {0.25f, 0.25f, 3.0f});
    projectileParticle = projectile;
    ground.setBounds({-750.0f, -2.0f, -750.0f}, {750.0f, 60.0f, 750.0f});
    rock.setBounds({-40.0f, 0.0f, -40.0f}, {40.0f, 120.0f, 40.0f});
    dustCloud.setBounds({-7.5f, -7.5f, -7.5f}, {7.5f, 7.5f, 7.5f});
    fireball.setBounds({-6.0f, -6.0f, -6.0f}, {6.0f, 6.0f, 6.0f});
    radarDome.setBounds({-50.0f, 0.0f, -50.0f}, {50.0f, 75.0f, 50.0f});
}

LevelMeshes TestMeshes::level()
{
    return {&crawlerBase, &crawlerBase1, &crawlerBase3, &crawlerBody, &duck,      &drone, &destroyedCrawler,
            &projectile,  &projectileParticle, &ground, &rock, &dustCloud, &fireball, &radarDome};
}

std::unique_ptr<Terrain> flatTerrain(std::uint8_t grey)
{
    return std::make_unique<Terrain>(1500, 1500, std::vector<std::uint8_t>(1500u * 1500u, grey));
}

TestWorld::TestWorld(int particleDensity, glm::vec3 playerPosition, float speed)
{
    armLevel(world, meshes.level(), particleDensity);
    world.terrain = flatTerrain();

    auto free = std::make_unique<Camera>(1280, 720);
    free->position = {0.0f, 250.0f, 200.0f};
    auto player = std::make_unique<Camera>(12800, 7200);
    player->fieldOfView = 60.0f;
    player->nearPlane = 0.5f;
    player->farPlane = 1000.0f;
    PathFollower route(PathFollower::loopingMode);
    route.followPath({playerPosition, playerPosition + glm::vec3(0.0f, 0.0f, 1000.0f)});
    route.speed = speed;
    player->placeOnPath(route);
    player->offset = {0.0f, 5.0f, 0.0f};
    player->offsetOrientation(0.0f, 180.0f);
    world.cameras.push_back(std::move(free));
    world.cameras.push_back(std::move(player));
    world.currentCamera = &world.playerCamera();
    world.lights = levelLights(world.playerCamera());
    world.neededKills = 5;
    world.timeLimit = 600;
    world.speedLevel = speed;

    world.drone = std::make_unique<GameObject>(&meshes.drone);
    PathFollower loop(PathFollower::loopingMode);
    loop.followPath({{600, 120, -600}, {800, 125, -600}});
    loop.speed = 80.0f;
    world.drone->placeOnPath(loop);
}

Crawler& TestWorld::addCrawler(glm::vec3 position, float speed)
{
    Crawler& crawler = world.crawlers.emplace_back(CrawlerMeshes{&meshes.crawlerBase, &meshes.crawlerBase1,
                                                                 &meshes.crawlerBase3, &meshes.crawlerBody,
                                                                 &meshes.destroyedCrawler, &meshes.drone});
    PathFollower patrol(PathFollower::loopingMode);
    patrol.followPath({position, position + glm::vec3(100.0f, 0.0f, 0.0f)});
    patrol.speed = speed;
    crawler.placeOnPath(patrol);
    crawler.basePart.position = position;
    return crawler;
}

GameObject& TestWorld::addShot(glm::vec3 position)
{
    ProjectileSystem& weapon = world.playerWeapon;
    GameObject& shot = weapon.objects.emplace_back(weapon.model);
    shot.scale = glm::vec3(weapon.spawnScale);
    PathFollower flight(PathFollower::oneWayMode);
    flight.followPath({position, position + glm::vec3(0.0f, 0.0f, 1000.0f)});
    flight.speed = weapon.speed;
    shot.placeOnPath(flight);
    return shot;
}
