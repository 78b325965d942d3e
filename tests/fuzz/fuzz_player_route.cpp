// The player's route file as the level reads it: the input is
// "Assets\World\st01v002-pp.obj", ridden for a second on the ground and in
// the air. A route without a point is the one error the game reports (as
// "invalid vector<T> subscript"); anything else must play.
#include "FuzzLevel.h"

#include <stdexcept>

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareLevelFolder("Assets/World/level1c2.obj", "v 0 0 0\nv 100 0 0\ng crawler\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeLevelFile("Assets/World/st01v002-pp.obj", data, size);
    Settings settings = levelSettings();
    for (const bool airmode : {false, true}) {
        settings.airmode = airmode;
        try {
            buildAndRideLevel(settings, 60);
        } catch (const std::out_of_range&) {
            // The empty route: main() reports it and ends with status 1.
        }
    }
    return 0;
}
