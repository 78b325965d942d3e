#pragma once
// The settings file, configuration.txt: one setting a line, its key, a blank and
// its value. Read once at start-up; nothing writes it.
#include "game/Settings.h"

#include <iosfwd>

// Reads configuration.txt from the working directory into `settings`. A missing
// file leaves every value as it is and prints nothing.
void loadConfiguration(Settings& settings);

// Applies the lines of a configuration stream, with formatted stream extraction
// rules: unreadable values leave the setting unchanged, the last readable
// duplicate wins, unknown lines are ignored.
void parseConfiguration(std::istream& in, Settings& settings);
