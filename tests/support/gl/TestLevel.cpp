#include "support/gl/TestLevel.h"

#include "support/core/GameWindow.h"
#include "support/gl/ImageFixtures.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string TestLevel::write(const std::string& name) const
{
    const fs::path dir = makeLevelDirectory(name, configuration, crawlerRoutes, playerRoute);
    // The generated heightmap is linked in; this level's own is flat.
    const fs::path heightmap = dir / "Assets/world/desertHeightmapCollision.jpg";
    fs::remove(heightmap);
    writeGreyImage(heightmap.string(), 1500, 1500, 0);
    return dir.string();
}
