#pragma once
// The still images between levels: loading, waiting, winning and losing. Each
// is one image drawn once over the whole window, with text lines in front on
// the waiting and end screens, then shown with one buffer swap and left alone.
#include "assets/GlObject.h"
#include "assets/ShaderProgram.h"

#include <memory>

// One shown screen: its image on a full-window quad.
struct ImageScreen {
    const char* imagePath = nullptr; // the caller's string literal
    ShaderProgram* shader = nullptr; // the screen program; owned by screenProgram
    GlObject vao;                    // the quad's four corners, triangle-strip order
    GlObject vbo;                    // exactly 8 floats, 32 bytes
    GlObject texture;                // the decoded image
};

extern std::unique_ptr<ShaderProgram> screenProgram; // the program of the last screen shown
extern std::unique_ptr<ImageScreen> currentScreen;   // the last screen shown

// Draws the loading image once and shows it.
void showLoadingScreen();

// Draws the image at `imagePath` with the level's information lines
// (`showLevelInfo`) or the end-of-level lines, and shows it.
void showInfoScreen(const char* imagePath, bool showLevelInfo);

// showInfoScreen without the swap: builds the screen and draws its lines and image.
void drawInfoScreen(const char* imagePath, bool showLevelInfo);

// The two construction steps of a screen whose imagePath and shader are set.
void createScreenQuad(ImageScreen& screen);
void loadScreenImage(ImageScreen& screen);

// Builds a new screen (program and record) for `imagePath` and clears the window.
void buildScreen(const char* imagePath);
// Draws the current screen's image behind whatever text is already drawn.
void drawScreenImage();

// Releases the current screen and its program (part of the level's clean-up).
void releaseScreen();
