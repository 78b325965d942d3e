#pragma once
// The few things the game needs from the operating system.
#include <string>

// Turns one of the game's own paths (written with backslashes, and not always in
// the case the files have on disk: "Assets\World" and "Assets\world" name the
// same folder) into a path that opens here. Separators become '/', and each
// component that does not exist with its exact case is matched case-insensitively
// against its folder. Components that match nothing are kept as written.
std::string resolvePath(const std::string& path);

// The console pause of the fatal error paths: prints the familiar prompt and
// waits for one key only when standard input is a terminal, so that a test or a
// CI run never hangs on it.
void consolePause();

// Blocks the calling thread for the given number of milliseconds.
void sleepMilliseconds(int milliseconds);
