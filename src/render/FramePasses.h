#pragma once
// One frame of play: the shadow pass from the headlight, the sky, the overlay
// text, the velocity pass, the lit colour pass with view-frustum culling, and
// the motion-blurred composite onto the window. Drawing never changes the
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
};

// Draws the frame; `drawOverlay` draws the HUD into the colour image between
// the sky and the scene. Returns how many objects the colour pass drew (the
// ground is never counted).
int renderFrame(const FrameView& frame, const std::function<void()>& drawOverlay);

// The per-object draws of the passes. Each makes its program current, sets the
// object's matrices and draws the object's mesh.
void drawShadowCaster(const GameObject& object, const ShaderProgram& program);
void drawVelocity(const GameObject& object, const ShaderProgram& program);
void drawObject(const GameObject& object);
// drawObject unless culling is on and the object lies outside `camera`'s view;
// returns whether it was drawn.
bool drawObjectCulled(const GameObject& object, bool cullingEnabled, const Camera& camera);

// The same draws for a mesh placed by a matrix of the caller's (`previous`:
// last frame's), for what the renderer shapes itself: tracers, flashes, smoke.
void drawMesh(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous);
void drawVelocity(const Mesh& mesh, const glm::mat4& model, const glm::mat4& previous, const ShaderProgram& program);

// Whether the object's bounding sphere (its mesh's bounds, placed by its model
// matrix) lies outside one of `camera`'s six planes.
bool outsideView(const GameObject& object, const Camera& camera);
bool outsideView(const MeshBounds& bounds, const glm::mat4& model, const Camera& camera);
