#pragma once
// Fills the world for one play of a level, always in this order.

// Terrain, scenery, crawlers and the level's targets.
void buildWorld();
// The free camera, the player's route and the player camera.
void buildCameras();
// The six lights and the patrolling drone.
void buildLightsAndDrone();
