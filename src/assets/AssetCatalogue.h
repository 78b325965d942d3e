#pragma once
// Everything a level loads from disk: the shader programs of the world and its
// meshes, rebuilt for every play and released by the level's clean-up.
#include "assets/Mesh.h"
#include "assets/ShaderProgram.h"
#include "assets/Skybox.h"

#include <memory>

struct Assets {
    // Programs first: members go in reverse order, so the meshes are released
    // before the programs they are drawn with.
    std::unique_ptr<ShaderProgram> defaultProgram;
    std::unique_ptr<ShaderProgram> normalProgram;
    std::unique_ptr<ShaderProgram> skyboxProgram;
    std::unique_ptr<ShaderProgram> environmentProgram;
    std::unique_ptr<ShaderProgram> shadowMappingProgram;
    std::unique_ptr<ShaderProgram> textProgram;
    std::unique_ptr<ShaderProgram> dustProgram;
    std::unique_ptr<ShaderProgram> cockpitGlassProgram;
    std::unique_ptr<ShaderProgram> velocityProgram;

    std::unique_ptr<Mesh> crawlerModelMesh;       // the whole crawler; only the texture toggles use it
    std::unique_ptr<Mesh> crawlerBaseMesh;        // crawler running gear, first of three frames
    std::unique_ptr<Mesh> crawlerBase1Mesh;
    std::unique_ptr<Mesh> crawlerBase3Mesh;
    std::unique_ptr<Mesh> crawlerBodyMesh;
    std::unique_ptr<Mesh> duckMesh;
    std::unique_ptr<Mesh> droneMesh;              // normal-mapped
    std::unique_ptr<Mesh> destroyedCrawlerMesh;
    std::unique_ptr<Mesh> cannonMesh;
    std::unique_ptr<Mesh> projectileMesh;         // the weapons' shots
    std::unique_ptr<Mesh> projectileParticleMesh; // the same model, for explosion debris
    std::unique_ptr<Mesh> explosionMesh;
    std::unique_ptr<Mesh> groundMesh;
    std::unique_ptr<Mesh> rockMesh;               // normal-mapped
    std::unique_ptr<Mesh> dustCloudMesh;
    std::unique_ptr<Mesh> fireballMesh;
    std::unique_ptr<Mesh> radarDomeMesh;          // reflection-mapped

    std::unique_ptr<Skybox> skybox;

    // The six meshes whose textures follow the filter toggles, in toggle order.
    void applyTextureFilters(int textureSamplingMode, int mipmapMode);
};

// Loads every asset of a level in the fixed order: all models, then all
// programs, then the meshes, then the sky. A missing or broken model or shader
// file ends the process with its message.
Assets loadAssets();
