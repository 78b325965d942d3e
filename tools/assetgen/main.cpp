// assetgen: makes the game's whole Assets/ tree from code, the same bytes on
// every run, draws preview sheets of a tree it made, or draws the application
// icons from its models.
//
//   assetgen <assets-dir> <font-file> <font-licence>
//   assetgen --preview <assets-dir> <output-dir>
//   assetgen --icons <assets-dir> <output-dir>
//   assetgen --test-fonts <output-dir>     small fonts of every kind (TestFonts.h)
#include <FreeImage.h>

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>

#include "Assets.h"
#include "Fonts.h"
#include "Icon.h"
#include "Sounds.h"
#include "TestFonts.h"

namespace {
int usage() {
    std::fprintf(stderr, "usage: assetgen <assets-dir> <font-file> <font-licence>\n"
                         "       assetgen --preview <assets-dir> <output-dir>\n"
                         "       assetgen --icons <assets-dir> <output-dir>\n"
                         "       assetgen --test-fonts <output-dir>\n");
    return 2;
}

void generateAll(const std::string& assets) {
    auto started = std::chrono::steady_clock::now();
    auto step = [&](const char* what, auto&& body) {
        auto t0 = std::chrono::steady_clock::now();
        body();
        double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
        std::printf("  %-10s %6.2f s\n", what, seconds);
    };
    std::filesystem::remove_all(assets);
    std::filesystem::create_directories(assets + "/world");
    Terrain heightmap;
    step("terrain", [&] { heightmap = generateTerrain(assets); });
    step("ground", [&] { generateGround(heightmap, assets); });
    step("routes", [&] { generateRoutes(heightmap, assets); });
    step("sky", [&] { generateSky(assets); });
    step("crawlers", [&] { generateCrawlers(assets); });
    step("duck", [&] { generateDuck(assets); });
    step("drone", [&] { generateDrone(assets); });
    step("objects", [&] { generateGameObjects(assets); });
    step("scenery", [&] { generateScenery(assets); });
    step("font", [&] { copyFont(assets); });
    step("screens", [&] { generateScreens(assets, heightmap); });
    step("sounds", [&] { generateSounds(assets); });
    double total = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    std::printf("assetgen: wrote %s in %.2f s\n", assets.c_str(), total);
}
}  // namespace

int main(int argc, char** argv) {
    FreeImage_Initialise(FALSE);
    int status = 0;
    try {
        if (argc == 4 && std::string(argv[1]) == "--preview") {
            writePreview(argv[2], argv[3]);
        } else if (argc == 4 && std::string(argv[1]) == "--icons") {
            writeIcons(argv[2], argv[3]);
        } else if (argc == 3 && std::string(argv[1]) == "--test-fonts") {
            writeTestFonts(argv[2]);
        } else if (argc == 4) {
            setFontSource(argv[2], argv[3]);
            generateAll(argv[1]);
        } else {
            status = usage();
        }
    } catch (const std::exception& error) {
        std::fprintf(stderr, "assetgen: %s\n", error.what());
        status = 1;
    }
    FreeImage_DeInitialise();
    return status;
}
