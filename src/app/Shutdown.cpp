#include "app/Shutdown.h"

#include "assets/AssetCatalogue.h"

#include <iostream>

void cleanup()
{
    std::cout << "Cleaning up..." << std::endl;
    releaseAssets();
}
