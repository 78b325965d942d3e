#include "app/Shutdown.h"

#include "app/Game.h"
#include "platform/HeapRelease.h"

#include <iostream>

void cleanup()
{
    std::cout << "Cleaning up..." << std::endl;
    Game& g = game();
    g.assets = Assets{};
    g.screens = Screens{};
    g.world.release();
    g.textRenderer.reset();
    releaseFreeHeapPages();
}
