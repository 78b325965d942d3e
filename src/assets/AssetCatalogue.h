#pragma once
// Everything a level loads: shader programs, meshes, the sky and the text
// renderer, rebuilt from disk for every play and released by cleanup().
#include "assets/Mesh.h"
#include "assets/ShaderProgram.h"

#include <memory>

class TextRenderer;

extern std::unique_ptr<ShaderProgram> defaultProgram;
extern std::unique_ptr<ShaderProgram> normalProgram;
extern std::unique_ptr<ShaderProgram> skyboxProgram;
extern std::unique_ptr<ShaderProgram> environmentProgram;
extern std::unique_ptr<ShaderProgram> shadowMappingProgram;
extern std::unique_ptr<ShaderProgram> textProgram;
extern std::unique_ptr<ShaderProgram> dustProgram;
extern std::unique_ptr<ShaderProgram> cockpitGlassProgram;
extern std::unique_ptr<ShaderProgram> velocityProgram;

extern std::unique_ptr<Mesh> crawlerModelMesh;       // the whole crawler; only the texture toggles use it
extern std::unique_ptr<Mesh> crawlerBaseMesh;        // crawler running gear, first of three frames
extern std::unique_ptr<Mesh> crawlerBase1Mesh;
extern std::unique_ptr<Mesh> crawlerBase3Mesh;
extern std::unique_ptr<Mesh> crawlerBodyMesh;
extern std::unique_ptr<Mesh> duckMesh;
extern std::unique_ptr<Mesh> droneMesh;              // normal-mapped
extern std::unique_ptr<Mesh> destroyedCrawlerMesh;
extern std::unique_ptr<Mesh> cannonMesh;
extern std::unique_ptr<Mesh> projectileMesh;         // the weapons' shots
extern std::unique_ptr<Mesh> projectileParticleMesh; // the same model, for explosion debris
extern std::unique_ptr<Mesh> explosionMesh;
extern std::unique_ptr<Mesh> groundMesh;
extern std::unique_ptr<Mesh> rockMesh;               // normal-mapped
extern std::unique_ptr<Mesh> dustCloudMesh;
extern std::unique_ptr<Mesh> fireballMesh;
extern std::unique_ptr<Mesh> radarDomeMesh;          // reflection-mapped

extern std::unique_ptr<TextRenderer> textRenderer;

// Loads every asset of a level in the fixed order. A missing or broken model or
// shader file ends the process with its message.
void loadAssets();

// Releases the catalogue's slots (with their GL objects) in the clean-up order.
void releaseAssets();

// The six meshes whose textures follow the filter toggles, in toggle order.
void applyTextureFilters(int textureSamplingMode, int mipmapMode);
