#pragma once
// The still images between levels: loading, waiting, winning and losing.

// Draws the loading image once and shows it.
void showLoadingScreen();

// Draws the image at `imagePath` with the level's information lines
// (`showLevelInfo`) or the end-of-level lines, and shows it.
void showInfoScreen(const char* imagePath, bool showLevelInfo);
