#include "app/Shutdown.h"

#include "app/Screens.h"
#include "assets/AssetCatalogue.h"
#include "game/ParticleEmitter.h"
#include "game/ProjectileSystem.h"
#include "render/Camera.h"
#include "render/Light.h"

#include <iostream>

void cleanup()
{
    std::cout << "Cleaning up..." << std::endl;
    releaseAssets();
    releaseScreen();

    currentCamera = nullptr;
    cameras.clear();
    lights.clear();

    // The weapons stay, with their settings, for the next level; their shots do not.
    playerWeapon.objects.clear();
    enemyWeapon.objects.clear();
    releaseEmitters();
}
