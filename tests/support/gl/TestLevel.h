#pragma once
// A game directory for playing the real game in-process on a level the test
// writes itself: the built shaders, every generated asset but
// the level files and the heightmap, which are the test's. The heightmap is
// black everywhere, so the ground lies at -2 all over the map.
#include <string>

struct TestLevel {
    std::string crawlerRoutes = "v 0 0 600\nv 0 0 5000\ng lone\n"; // level1c2.obj, ten times the world's scale
    std::string playerRoute = "v 0 0 0\nv 0 0 500\n";              // st01v002-pp.obj
    std::string configuration = "screenwidth 320\nscreenheight 180\nsoundvolume 0\n";

    // Writes the directory under the test output folder and returns its path.
    std::string write(const std::string& name) const;
};
