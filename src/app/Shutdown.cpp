#include "app/Shutdown.h"

#include "app/Screens.h"
#include "assets/AssetCatalogue.h"

#include <iostream>

void cleanup()
{
    std::cout << "Cleaning up..." << std::endl;
    releaseAssets();
    releaseScreen();
}
