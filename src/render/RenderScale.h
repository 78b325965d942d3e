#pragma once
// How much of the window the 3D image is drawn at. On a machine without a
// graphics card most of a frame's cost is per pixel, so drawing the scene into
// a smaller part of the render targets and stretching it over the window buys
// frame rate; the text is drawn afterwards at the window's own size. No OpenGL
// here: the renderer draws at the scale, the game loop chooses it.
#include <deque>

inline constexpr float smallestRenderScale = 0.5f;

// Pixels of the scene image at `scale` of a `width` x `height` window: at
// least one each way.
struct SceneSize {
    int width = 0;
    int height = 0;
};
SceneSize sceneSize(int width, int height, float scale);

// Chooses the render scale from the frames as they come, so that frames stay
// under `targetSeconds`. It lowers the scale by small steps while the recent
// frames are slower than that, and raises it only after a couple of seconds
// of frames so fast that even at the higher scale (its cost growing with the
// pixels) they would stay well under it; between changes it lets half a second
// of frames at the new scale pass. A machine that holds the target at full
// scale never leaves it.
class RenderScaleController {
public:
    static constexpr double targetSeconds = 0.031;

    // `setting`: 0 automatic, 50 to 100 a fixed percentage.
    explicit RenderScaleController(int setting = 0);

    bool automatic() const { return automatic_; }
    float scale() const { return scale_; }

    // One frame that took `frameSeconds` has ended at clock time `now`.
    // Returns the scale for the next frame.
    float frameEnded(double now, double frameSeconds);

private:
    struct Frame {
        double end;
        double seconds;
    };
    // The frame time below which `fraction` of the frames that ended after
    // `since` lie (at least the last three frames).
    double percentileSince(double since, double fraction) const;

    bool automatic_;
    float scale_;
    double lastChange_ = -1.0; // clock time of the last change; < 0: none yet
    float previousScale_ = 0.0f;  // the scale before the last change (0: none)
    double previousMedian_ = 0.0; // the middle frame time seen at it
    std::deque<Frame> frames_; // at the current scale, the last few seconds
};
