#include "support/gl/PlayDirectory.h"

#include "support/core/Process.h"
#include "support/gl/ImageFixtures.h"

#include <filesystem>

namespace fs = std::filesystem;

std::string makePlayDirectory(const std::string& name, const std::string& configuration)
{
    const fs::path dir = makeScratchDirectory(name);
    fs::copy(fs::path(SANDLARK_SOURCE_DIR) / "Shaders", dir / "Shaders", fs::copy_options::recursive);
    const fs::path generated = fs::path(SANDLARK_GAME_DIR) / "Assets";
    fs::create_directories(dir / "Assets");
    for (const auto& entry : fs::directory_iterator(generated))
        if (entry.path().filename() != "world")
            fs::create_symlink(entry.path(), dir / "Assets" / entry.path().filename());
        else
            fs::create_directories(dir / "Assets" / "world");
    for (const auto& entry : fs::directory_iterator(generated / "world")) {
        const std::string file = entry.path().filename().string();
        if (file != "level1c2.obj" && file != "st01v002-pp.obj" && file != "desertHeightmapCollision.jpg")
            fs::create_symlink(entry.path(), dir / "Assets" / "world" / file);
    }
    // Black everywhere: the ground lies at -2 all over the map.
    writeGreyImage((dir / "Assets/world/desertHeightmapCollision.jpg").string(), 1500, 1500, 0);
    // One crawler 60 units ahead of the start, driving away along +z (the file
    // is drawn at ten times the world's scale).
    writeFile((dir / "Assets/world/level1c2.obj").string(), "v 0 0 600\nv 0 0 5000\ng lone\n");
    writeFile((dir / "Assets/world/st01v002-pp.obj").string(), "v 0 0 0\nv 0 0 500\n");
    writeFile((dir / "configuration.txt").string(), configuration);
    return dir.string();
}
