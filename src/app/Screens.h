#pragma once
// The still images between levels: loading, waiting, winning and losing. Each
// is one image drawn once over the whole window, with text lines in front on
// the waiting and end screens, then shown with one buffer swap and left alone.
#include "assets/ShaderProgram.h"
#include "render/ImageScreen.h"

#include <memory>

// The screen last shown and its program, released with the level.
struct Screens {
    std::unique_ptr<ShaderProgram> screenProgram;
    std::unique_ptr<ImageScreen> currentScreen;
};

// Draws the loading image once and shows it.
void showLoadingScreen();

// Draws the image at `imagePath` with the level's information lines
// (`showLevelInfo`) or the end-of-level lines, and shows it.
void showInfoScreen(const char* imagePath, bool showLevelInfo);

// showInfoScreen without the swap: builds the screen and draws its lines and image.
void drawInfoScreen(const char* imagePath, bool showLevelInfo);
