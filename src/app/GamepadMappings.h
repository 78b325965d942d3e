#pragma once
// gamecontrollerdb.txt: the community's file of gamepad mappings, one
// controller a line, that a player may put in the game directory to teach the
// game controllers GLFW's own list does not know.
#include <string>

// The file's name in the game directory, as the game writes paths.
inline const char* const gamepadMappingsPath = "gamecontrollerdb.txt";

// Why `text` is not a mapping file, or "" when every line is a comment, blank,
// or a mapping: 32 hex digits of the controller's GUID, a comma, its name, a
// comma, then fields of the form key:value separated by commas.
std::string gamepadMappingsProblem(const std::string& text);
