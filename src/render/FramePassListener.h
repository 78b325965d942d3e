#pragma once
// Hooks around the passes of a frame, so that something outside the renderer
// can time and count each pass (the frame benchmark does). The game draws
// without a listener and pays nothing for them.

// The steps of a frame, in the order they run.
enum class FramePass {
    Clear,     // the colour, velocity and window targets
    Shadow,    // the headlight's depth map
    Sky,       // into the colour image
    Overlay,   // HUD and debug text, into the colour image
    Velocity,  // per-pixel motion
    Colour,    // the lit scene
    Composite, // motion-blurred onto the window
};
inline constexpr int framePassCount = 7;

// Names for reports, in FramePass order.
inline constexpr const char* framePassNames[framePassCount] = {"clear",    "shadow", "sky",      "overlay",
                                                               "velocity", "colour", "composite"};

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
