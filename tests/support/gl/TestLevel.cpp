#include "support/gl/TestLevel.h"

#include "support/core/Process.h"
#include "support/gl/ImageFixtures.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string TestLevel::write(const std::string& name) const
{
    const fs::path dir = makeScratchDirectory(name);
    fs::copy(fs::path(SANDLARK_SOURCE_DIR) / "Shaders", dir / "Shaders", fs::copy_options::recursive);
    const fs::path generated = fs::path(SANDLARK_GAME_DIR) / "Assets";
    fs::create_directories(dir / "Assets" / "world");
    for (const auto& entry : fs::directory_iterator(generated))
        if (entry.path().filename() != "world")
            fs::create_symlink(entry.path(), dir / "Assets" / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(generated / "world")) {
        const std::string file = entry.path().filename().string();
        if (file != "level1c2.obj" && file != "st01v002-pp.obj" && file != "desertHeightmapCollision.jpg")
            fs::create_symlink(entry.path(), dir / "Assets" / "world" / file);
    }
    writeGreyImage((dir / "Assets/world/desertHeightmapCollision.jpg").string(), 1500, 1500, 0);
    writeFile((dir / "Assets/world/level1c2.obj").string(), crawlerRoutes);
    writeFile((dir / "Assets/world/st01v002-pp.obj").string(), playerRoute);
    writeFile((dir / "configuration.txt").string(), configuration);
    return dir.string();
}
