#pragma once
// One frame of play: the shadow pass from the headlight, the sky, the velocity
// pass, the lit colour pass with view-frustum culling, the motion-blurred
// composite onto the window, and the overlay text over it. The sky, velocity
// and colour passes draw into the lower-left `renderScale` of the render
// targets; the composite stretches that over the window and the text is drawn
// at the window's own size, untouched by the blur. Drawing never changes the
// world; the caller presents the frame.
#include "assets/AssetCatalogue.h"
#include "game/Camera.h"
#include "game/GameObject.h"
#include "game/World.h"
#include "render/FramePassListener.h"
#include "render/RenderTargets.h"
#include "render/RenderToggles.h"
#include "render/TextRenderer.h"
#include "render/helpers/PostProcessing.h"

#include <functional>

// Everything a frame is drawn from.
struct FrameView {
    const World& world;
    const Assets& assets;
    const RenderTargets& targets;
    const PostProcessing& postProcessing;
    const RenderToggles& toggles;
    const TextRenderer* text; // for the statistics line; may be null
    FramePassListener* listener = nullptr; // told where each pass begins and ends; may be null
    float renderScale = 1.0f;              // share of the window's width and height the scene is drawn at
};

// Draws the frame; `drawOverlay` draws the HUD onto the window after the
// composite. Returns how many objects the colour pass drew (the ground is
// never counted).
int renderFrame(const FrameView& frame, const std::function<void()>& drawOverlay);

// The per-object draws of the passes. Each makes its program current, sets the
// object's matrices and draws the object's mesh; of a mesh made of pieces
// (the ground), only the pieces inside `planes` when they are given.
void drawShadowCaster(const GameObject& object, const ShaderProgram& program, const ViewPlanes* planes = nullptr);
void drawVelocity(const GameObject& object, const ShaderProgram& program, const ViewPlanes* planes = nullptr);
void drawObject(const GameObject& object, const ViewPlanes* planes = nullptr);
// drawObject unless culling is on and the object lies outside `camera`'s view;
// returns whether it was drawn.
bool drawObjectCulled(const GameObject& object, bool cullingEnabled, const Camera& camera);

// The same draws for a mesh placed by a matrix of the caller's (`previous`:
// last frame's), for what the renderer shapes itself: tracers, flashes, smoke.
// Of a mesh made of pieces, only those `shows` accepts (all without it).
void drawMesh(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous,
              const std::function<bool(const MeshPiece&)>& shows = {});
void drawVelocity(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous, const ShaderProgram& program,
                  const std::function<bool(const MeshPiece&)>& shows = {});

// Whether a sphere around the object's mesh box, placed by its model matrix,
// lies wholly outside one of `camera`'s six planes.
bool outsideView(const GameObject& object, const Camera& camera);
bool outsideView(const MeshBounds& bounds, const glm::mat4& model, const Camera& camera);
