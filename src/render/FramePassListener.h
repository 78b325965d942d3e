#pragma once
// Hooks around the passes of a frame, so that something outside the renderer
// can time and count each pass (the frame benchmark does). The game draws
// without a listener and pays nothing for them.

// The steps of a frame, in the order they run.
enum class FramePass {
    Clear,     // the depth of the colour image
    Shadow,    // the headlight's depth map
    Velocity,  // per-pixel motion
    Colour,    // the lit, solid scene
    Sky,       // behind it, only where it left the image empty
    Particles, // dust and fire, blended over both, and the flashes
    Composite, // motion-blurred onto the window
    Overlay,   // HUD and debug text, onto the window at its full size
};
inline constexpr int framePassCount = 8;

// Names for reports, in FramePass order.
inline constexpr const char* framePassNames[framePassCount] = {
    "clear", "shadow", "velocity", "colour", "sky", "particles", "composite", "overlay"};

class FramePassListener {
public:
    virtual ~FramePassListener() = default;
    virtual void passBegins(FramePass pass) = 0;
    virtual void passEnds(FramePass pass) = 0;
};

// Tells the listener, when there is one, that `pass` begins now and that it
// ends when the scope does.
class FramePassScope {
public:
    FramePassScope(FramePassListener* listener, FramePass pass) : listener_(listener), pass_(pass)
    {
        if (listener_)
            listener_->passBegins(pass_);
    }
    ~FramePassScope()
    {
        if (listener_)
            listener_->passEnds(pass_);
    }
    FramePassScope(const FramePassScope&) = delete;
    FramePassScope& operator=(const FramePassScope&) = delete;

private:
    FramePassListener* listener_;
    FramePass pass_;
};
