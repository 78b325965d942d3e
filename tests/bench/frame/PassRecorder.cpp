#include "PassRecorder.h"

#include "DrawCounter.h"

#include <chrono>

namespace {

double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

size_t indexOf(FramePass pass)
{
    return static_cast<size_t>(pass);
}

} // namespace

PassRecorder::PassRecorder(bool gpuTimers, bool countSamples) : gpuTimers_(gpuTimers), countSamples_(countSamples)
{
    glGenQueries(framePassCount, queries_.data());
    glGenQueries(framePassCount, sampleQueries_.data());
}

PassRecorder::~PassRecorder()
{
    glDeleteQueries(framePassCount, queries_.data());
    glDeleteQueries(framePassCount, sampleQueries_.data());
}

void PassRecorder::passBegins(FramePass pass)
{
    const DrawTally tally = drawTally();
    startDraws_ = tally.draws;
    startTriangles_ = tally.triangles;
    if (gpuTimers_)
        glBeginQuery(GL_TIME_ELAPSED, queries_[indexOf(pass)]);
    if (countSamples_)
        glBeginQuery(GL_SAMPLES_PASSED, sampleQueries_[indexOf(pass)]);
    queried_[indexOf(pass)] = true;
    startedMs_ = nowMs();
}

void PassRecorder::passEnds(FramePass pass)
{
    PassFigures& figures = figures_[indexOf(pass)];
    figures.issueMs += nowMs() - startedMs_;
    if (gpuTimers_)
        glEndQuery(GL_TIME_ELAPSED);
    if (countSamples_)
        glEndQuery(GL_SAMPLES_PASSED);
    const DrawTally tally = drawTally();
    figures.draws += tally.draws - startDraws_;
    figures.triangles += tally.triangles - startTriangles_;
}

FramePassFigures PassRecorder::takeFrame()
{
    for (int i = 0; i < framePassCount; ++i) {
        if (!queried_[i])
            continue;
        if (gpuTimers_) {
            GLuint64 nanoseconds = 0;
            glGetQueryObjectui64v(queries_[i], GL_QUERY_RESULT, &nanoseconds);
            figures_[i].gpuMs = static_cast<double>(nanoseconds) * 1e-6;
        }
        if (countSamples_) {
            GLuint64 samples = 0;
            glGetQueryObjectui64v(sampleQueries_[i], GL_QUERY_RESULT, &samples);
            figures_[i].samples = static_cast<long long>(samples);
        }
        queried_[i] = false;
    }
    const FramePassFigures taken = figures_;
    figures_ = {};
    return taken;
}
