#pragma once
// A game directory for levels played in-process: the shaders and every
// generated asset, but the test's own level files and heightmap: flat black
// ground (height -2 everywhere), the player riding straight along +z, one
// crawler 60 units ahead driving away along +z.
#include <string>

// Makes the directory (a fresh scratch folder named after `name`) with
// `configuration` as its configuration.txt, and returns its path.
std::string makePlayDirectory(const std::string& name, const std::string& configuration);
