#pragma once
// How the fight's light and dust are drawn: shots as glowing tracers that
// trail back toward the gun, flashes at muzzles and hits, explosion debris as
// sparks and dark fragments, fire that cools into smoke, dust behind the
// crawlers. The colour pass and the velocity pass call these; each colour
// draw returns how many objects it drew.
#include "assets/AssetCatalogue.h"
#include "game/Camera.h"
#include "game/World.h"

// What every draw here needs: the world, its meshes and programs, the camera,
// whether culling is on, and the angle one pixel of the image spans (radians),
// so that thin streaks keep a width the eye can follow.
struct EffectView {
    const World& world;
    const Assets& assets;
    const Camera& camera;
    bool culling;
    float pixelAngle;
};

// Colour pass, lit program: both weapons' shots, the debris.
int drawTracers(const EffectView& view);
int drawDebris(const EffectView& view);
// Colour pass, dust program: the dust of ground hits, the fire, the track dust.
int drawDust(const EffectView& view);
int drawFire(const EffectView& view);
int drawTrackDust(const EffectView& view);
// Colour pass, lit program again, after the dust: the flashes.
int drawFlashes(const EffectView& view);

// Velocity pass: the tracers of both weapons and the debris as drawn, so that
// the blur stretches them along their flight.
void drawTracerVelocities(const EffectView& view, const ShaderProgram& velocityProgram);
void drawDebrisVelocities(const EffectView& view, const ShaderProgram& velocityProgram);

// How long a shot's streak is: a short trail, or all the way back to where
// the shot was last frame when it flew further (at a slow frame rate), so that
// frame after frame its tracer reads as one line; never behind the gun.
float tracerLength(const GameObject& shot);

// A shot's streak: the projectile model stretched over `length` back from
// `head` (where the shot is now, or was last frame for the velocity), and
// thickened to span a few pixels of `pixelAngle` radians seen from `eye`.
glm::mat4 tracerMatrix(const GameObject& shot, const glm::vec3& head, float length, const glm::vec3& eye,
                       float pixelAngle);
