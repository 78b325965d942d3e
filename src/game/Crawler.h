#pragma once
// An enemy vehicle: three parts that move together (running gear, hull and a
// small spinning drone above it), a three-frame track animation and a
// destroyed state.
#include "assets/MeshBounds.h"
#include "game/GameObject.h"
#include "game/PathFollower.h"

#include <array>

// The meshes a crawler is built from. The game library has no catalogue slots
// of its own (they hold GL meshes), so whoever builds crawlers passes them in:
// the level construction hands over the catalogue's meshes, tests hand over
// bounds made by hand.
struct CrawlerMeshes {
    MeshBounds* base = nullptr;       // track frame 1, also the part that is hit
    MeshBounds* base1 = nullptr;      // track frame 2
    MeshBounds* base3 = nullptr;      // track frame 3
    MeshBounds* body = nullptr;       // the hull
    MeshBounds* destroyed = nullptr;  // the wreck put on the base part by a hit
    MeshBounds* marker = nullptr;     // the drone that hovers above
};

struct Crawler : PathFollower {
    glm::vec3 pivot{0.0f};               // as in GameObject
    GameObject basePart;                 // running gear: shows the track frame; the part that is hit
    GameObject bodyPart;                 // hull, drawn only while not destroyed
    MeshBounds* destroyedModel;          // put on `basePart` when destroyed
    GameObject marker;                   // spinning drone 20 units above, drawn only while not destroyed
    bool destroyed = false;              // set by a hit
    glm::mat4 prevModelMatrix{1.0f};     // previous frame's matrix of the crawler as a whole
    glm::vec3 position{0.0f};            // world position
    glm::mat4 rotation{1.0f};            // orientation
    glm::vec3 scale{1.0f};               // used in the crawler's own model matrix
    std::array<MeshBounds*, 3> trackModels;  // animation frames 1, 2 and 3
    float trackTimer = 0.0f;             // seconds into the animation cycle

    explicit Crawler(const CrawlerMeshes& meshes);

    // As GameObject::placeOnPath, on the crawler's own position and rotation.
    void placeOnPath(PathFollower follower);

    // translate(position - pivot) x rotation x scale(scale).
    glm::mat4 modelMatrix() const;

    // Animates the tracks (unless destroyed), steps along the path and carries
    // the parts along; the marker spins at 2.25 radians per second.
    void update(float dt);
};
