// The crawlers' route file as the level reads it: the input is
// "Assets\World\level1c2.obj", the level is built and ridden for a second
// with the player's route intact.
#include "FuzzLevel.h"

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    prepareLevelFolder("Assets/World/st01v002-pp.obj", "v 0 5 0\nv 0 5 100\nv 50 5 200\n");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    writeLevelFile("Assets/World/level1c2.obj", data, size);
    buildAndRideLevel(levelSettings(), 60);
    return 0;
}
