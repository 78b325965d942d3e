#pragma once
// Everything a level loads: shader programs, meshes, the sky and the text
// renderer, rebuilt from disk for every play and released by cleanup().
#include "assets/ShaderProgram.h"

#include <memory>

extern std::unique_ptr<ShaderProgram> defaultProgram;
extern std::unique_ptr<ShaderProgram> normalProgram;
extern std::unique_ptr<ShaderProgram> skyboxProgram;
extern std::unique_ptr<ShaderProgram> environmentProgram;
extern std::unique_ptr<ShaderProgram> shadowMappingProgram;
extern std::unique_ptr<ShaderProgram> textProgram;
extern std::unique_ptr<ShaderProgram> dustProgram;
extern std::unique_ptr<ShaderProgram> cockpitGlassProgram;
extern std::unique_ptr<ShaderProgram> velocityProgram;

// Loads every asset of a level in the fixed order.
void loadAssets();

// Releases the catalogue's slots (with their GL objects) in the clean-up order.
void releaseAssets();
