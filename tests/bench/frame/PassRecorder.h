#pragma once
// Listens to the passes of the frames drawn with it and measures each: the
// draws and triangles OpenGL received (see DrawCounter.h), the main thread's
// time issuing the pass, and, with GPU timers, the renderer's own time for it
// (GL_TIME_ELAPSED; on llvmpipe that is the rasteriser threads' work) and,
// on request, the fragments that passed the depth test (GL_SAMPLES_PASSED: the
// pixels shaded, overdraw included; the query itself makes llvmpipe draw with
// other shader variants, so times taken with it are not the game's).
#include "render/FramePassListener.h"

#include <GL/glew.h>

#include <array>

struct PassFigures {
    long long draws = 0;
    long long triangles = 0;
    double issueMs = 0.0; // on the main thread, from the pass's first call to its last
    double gpuMs = 0.0;   // GL_TIME_ELAPSED; 0 without GPU timers
    long long samples = 0; // GL_SAMPLES_PASSED; 0 unless counted
};

using FramePassFigures = std::array<PassFigures, framePassCount>;

class PassRecorder : public FramePassListener {
public:
    PassRecorder(bool gpuTimers, bool countSamples);
    ~PassRecorder() override;
    PassRecorder(const PassRecorder&) = delete;
    PassRecorder& operator=(const PassRecorder&) = delete;

    void passBegins(FramePass pass) override;
    void passEnds(FramePass pass) override;

    // The figures of the passes since the last call, once the renderer has
    // finished them (call it after the frame's swap); starts afresh.
    FramePassFigures takeFrame();

private:
    bool gpuTimers_;
    bool countSamples_;
    std::array<GLuint, framePassCount> queries_{};
    std::array<GLuint, framePassCount> sampleQueries_{};
    std::array<bool, framePassCount> queried_{};
    FramePassFigures figures_{};
    double startedMs_ = 0.0;
    long long startDraws_ = 0, startTriangles_ = 0;
};
