// The frame benchmark: level 1 with the shipped configuration, loaded in-process
// in a 1280x720 window on an Xvfb of its own, then a fixed scripted ride drawn
// through the real renderFrame twice: with the scene at the window's full size,
// and with the render scale chosen automatically as the game does. It reports
// the loading time; for each ride the frame times (median, 95th percentile,
// longest, and in the second after each kill's bursts), for the automatic one
// the render scale it chose and how long it took to settle; per pass the
// draws, triangles and times; and, when the floor program was built beside it,
// every figure as a share of the full-resolution floor measured in the same run.
//
//   sandlark_frame_benchmark [--frames N] [--quick] [--no-warm-up] [--no-gpu-timers] [--shaded-pixels]
//                            [--floor-reps N] [--only-full | --only-automatic] [--scale PERCENT]
//                            [--save-frame N FILE]
//
// --quick is the short run CTest makes (a few dozen frames); the figures come
// from a full run (600 frames by default) on a quiet machine. --save-frame
// writes the window as frame N of each ride shows it to FILE (a binary PPM),
// to compare pictures between builds. --shaded-pixels
// counts the pixels each pass shades, overdraw included (it slows llvmpipe
// down: its times are not the game's).
#include "DrawCounter.h"
#include "FrameFloor.h"
#include "FrameTimes.h"
#include "PassRecorder.h"
#include "ScriptedRide.h"

#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Overlay.h"
#include "app/Shutdown.h"
#include "app/Startup.h"
#include "render/FramePasses.h"
#include "render/RenderScale.h"
#include "support/core/GameWindow.h"
#include "support/core/PrivateDisplay.h"
#include "support/core/Process.h"

#include <GL/glew.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <optional>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

struct Options {
    int frames = 600;
    bool quick = false;
    bool warmUp = true;
    bool gpuTimers = true;
    bool shadedPixels = false;
    int floorReps = 21;
    int saveFrame = -1;        // the frame written to saveFile as a binary PPM
    std::string saveFile;
    bool full = true;      // ride with the scene at a fixed scale, the window's full size unless told
    int fixedScale = 100;  // percent, 50 to 100
    bool automatic = true; // ride with the render scale chosen as the game does
};

Options parseOptions(int argc, char** argv)
{
    Options options;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        const bool hasValue = i + 1 < argc;
        if (arg == "--frames" && hasValue)
            options.frames = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--floor-reps" && hasValue)
            options.floorReps = std::max(1, std::atoi(argv[++i]));
        else if (arg == "--quick") {
            options.quick = true;
            options.frames = 45;
            options.floorReps = 3;
        } else if (arg == "--no-warm-up")
            options.warmUp = false;
        else if (arg == "--no-gpu-timers")
            options.gpuTimers = false;
        else if (arg == "--save-frame" && i + 2 < argc) {
            options.saveFrame = std::atoi(argv[++i]);
            options.saveFile = argv[++i];
        } else if (arg == "--shaded-pixels")
            options.shadedPixels = true;
        else if (arg == "--scale" && hasValue)
            options.fixedScale = std::clamp(std::atoi(argv[++i]), 50, 100);
        else if (arg == "--only-full")
            options.automatic = false;
        else if (arg == "--only-automatic")
            options.full = false;
        else {
            std::cerr << "usage: " << argv[0]
                      << " [--frames N] [--quick] [--no-warm-up] [--no-gpu-timers] [--shaded-pixels] [--floor-reps N]"
                         " [--only-full | --only-automatic] [--scale PERCENT] [--save-frame N FILE]\n";
            std::exit(2);
        }
    }
    return options;
}

double nowMs()
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now().time_since_epoch()).count();
}

// Seconds of CPU this process (all its threads, llvmpipe's included) has used so far.
double ownCpuSeconds()
{
    rusage self{};
    getrusage(RUSAGE_SELF, &self);
    return static_cast<double>(self.ru_utime.tv_sec + self.ru_stime.tv_sec) +
           static_cast<double>(self.ru_utime.tv_usec + self.ru_stime.tv_usec) * 1e-6;
}

// Seconds of CPU other processes have used so far: the machine's busy time
// (/proc/stat) minus this process's own. The machine is shared, so a run says
// how busy the rest of it was.
double othersBusySeconds()
{
    unsigned long long v[8] = {0};
    if (FILE* stat = std::fopen("/proc/stat", "r")) {
        if (std::fscanf(stat, "cpu %llu %llu %llu %llu %llu %llu %llu %llu", v, v + 1, v + 2, v + 3, v + 4, v + 5,
                        v + 6, v + 7) != 8)
            v[0] = v[1] = v[2] = v[5] = v[6] = v[7] = 0;
        std::fclose(stat);
    }
    const double busyTicks = static_cast<double>(v[0] + v[1] + v[2] + v[5] + v[6] + v[7]);
    return busyTicks / static_cast<double>(sysconf(_SC_CLK_TCK)) - ownCpuSeconds();
}

// What the game prints on standard output goes to /dev/null while this
// lives: standard output carries the report.
class QuietGame {
public:
    QuietGame()
    {
        std::cout.flush();
        std::fflush(stdout);
        saved_ = dup(STDOUT_FILENO);
        const int null = open("/dev/null", O_WRONLY);
        dup2(null, STDOUT_FILENO);
        close(null);
    }
    ~QuietGame()
    {
        std::cout.flush();
        std::fflush(stdout);
        dup2(saved_, STDOUT_FILENO);
        close(saved_);
    }
    QuietGame(const QuietGame&) = delete;
    QuietGame& operator=(const QuietGame&) = delete;

private:
    int saved_ = -1;
};

// Mesa keeps its compiled shaders here unless told otherwise; the loading
// time is meant with this cache warm. Returns the folder.
std::string useShaderCache()
{
    if (const char* chosen = std::getenv("MESA_SHADER_CACHE_DIR"))
        return chosen;
    setenv("MESA_SHADER_CACHE_DIR", SANDLARK_SHADER_CACHE_DIR, 1);
    return SANDLARK_SHADER_CACHE_DIR;
}

// MESA_SHADER_CACHE_DISABLE=true: every load compiles every shader afresh, as
// on a machine that has never run the game.
bool shaderCacheDisabled()
{
    const char* disabled = std::getenv("MESA_SHADER_CACHE_DISABLE");
    return disabled && (std::string(disabled) == "true" || std::string(disabled) == "1");
}

int filesUnder(const std::string& folder)
{
    std::error_code error;
    int files = 0;
    for (auto it = fs::recursive_directory_iterator(folder, error); !error && it != fs::recursive_directory_iterator();
         it.increment(error))
        if (it->is_regular_file())
            ++files;
    return files;
}

// Runs the floor program on this display and reads its JSON line.
std::optional<FloorFigures> measureFloor(int reps)
{
    const std::string program = SANDLARK_FLOOR_PROGRAM;
    if (program.empty()) {
        std::cout << "floor: floor.cpp was not found when the build was configured (SANDLARK_FLOOR_SOURCE), "
                     "so there is no floor to compare with\n";
        return std::nullopt;
    }
    const ProcessResult run = runProcess({program, std::to_string(reps)}, ".", 900.0);
    std::cerr << run.err;
    const std::vector<std::string> lines = linesOf(run.out);
    std::optional<FloorFigures> figures;
    if (run.exitStatus == 0 && !lines.empty())
        figures = parseFloorFigures(lines.back());
    if (!figures)
        std::cout << "floor: " << program << " failed (status " << run.exitStatus << "): no floor\n";
    return figures;
}

struct LoadTimes {
    double loadMs = 0.0;      // loadLevel(): assets, text renderer, world
    double warmUpMs = 0.0;    // the off-screen warm-up frame
    double cpuMs = 0.0;       // this process's CPU time for both, all threads
};

LoadTimes loadLevelOne(bool warmUp)
{
    QuietGame quiet;
    LoadTimes times;
    const double cpuStart = ownCpuSeconds();
    double start = nowMs();
    loadLevel();
    times.loadMs = nowMs() - start;
    if (warmUp) {
        start = nowMs();
        warmUpShaders();
        times.warmUpMs = nowMs() - start;
    }
    times.cpuMs = (ownCpuSeconds() - cpuStart) * 1e3;
    return times;
}

struct Ride {
    std::vector<double> frameMs;  // from the start of a frame's update to the end of its swap
    std::vector<float> scales;    // the render scale each frame was drawn at
    std::vector<double> endSeconds; // when each frame ended, seconds into the ride
    double lastChange = 0.0;        // seconds into the ride of the last change of scale
    int scaleChanges = 0;
    std::vector<double> swapMs;
    std::vector<double> cpuMs;    // this process's CPU time in the frame, all threads
    std::vector<FramePassFigures> passes;
    std::vector<int> kills;       // frames whose update burst a kill
    double otherLoad = 0.0;       // cores other processes kept busy meanwhile
};

Ride ride(const Options& options, RenderScaleController scale)
{
    Game& g = game();
    ScriptedRide script;
    if (options.quick) {
        script.firstKillFrame = 10;
        script.killInterval = 30;
    }
    PassRecorder recorder(options.gpuTimers, options.shadedPixels);
    Ride run;
    // The blur strength the game sets at the script's rate.
    g.state.displayFps = ScriptedRide::framesPerSecond;
    g.postProcessing.setVelocityScale(static_cast<float>(g.state.displayFps) / 60.0f * g.settings.fMotionblurFactor);

    const double othersBefore = othersBusySeconds();
    const double rideStart = nowMs();
    for (int frame = 0; frame < options.frames; ++frame) {
        const double start = nowMs();
        const double cpuStart = ownCpuSeconds();
        g.input->pollEvents();
        script.step(g.world, frame);
        if (script.killsAt(frame))
            run.kills.push_back(frame);
        const FrameView view{g.world,   g.assets,      g.targets,    g.postProcessing, g.toggles, g.textRenderer.get(),
                             &recorder, scale.scale()};
        run.scales.push_back(scale.scale());
        g.state.renderedObjectCount = renderFrame(view, drawOverlay);
        if (frame == options.saveFrame) {
            const int w = g.settings.screenwidth, h = g.settings.screenheight;
            std::vector<unsigned char> rgb(static_cast<std::size_t>(w) * h * 3);
            glBindFramebuffer(GL_READ_FRAMEBUFFER, 0);
            glReadBuffer(GL_BACK);
            glPixelStorei(GL_PACK_ALIGNMENT, 1);
            glReadPixels(0, 0, w, h, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
            if (FILE* out = std::fopen(options.saveFile.c_str(), "wb")) {
                std::fprintf(out, "P6 %d %d 255\n", w, h);
                for (int y = h - 1; y >= 0; --y)
                    std::fwrite(&rgb[static_cast<std::size_t>(y) * w * 3], 1, static_cast<std::size_t>(w) * 3, out);
                std::fclose(out);
            }
        }
        g.world.previousViewProjection = g.world.currentCamera->matrix();
        const double swapStart = nowMs();
        g.input->swapBuffers();
        const double end = nowMs();
        run.frameMs.push_back(end - start);
        const float before = scale.scale();
        run.endSeconds.push_back((end - rideStart) * 1e-3);
        if (scale.frameEnded(run.endSeconds.back(), (end - start) * 1e-3) != before) {
            run.lastChange = run.endSeconds.back();
            ++run.scaleChanges;
        }
        run.swapMs.push_back(end - swapStart);
        run.cpuMs.push_back((ownCpuSeconds() - cpuStart) * 1e3);
        run.passes.push_back(recorder.takeFrame());
    }
    const double seconds = (nowMs() - rideStart) * 1e-3;
    run.otherLoad = std::max(0.0, othersBusySeconds() - othersBefore) / seconds;
    return run;
}

// The formula's counts for one frame: the passes into the screen-sized
// targets are lit, the shadow pass is depth-only; the sky and the composite
// are the formula's two full-screen passes.
FrameCounts floorCounts(const FramePassFigures& passes)
{
    FrameCounts counts;
    for (FramePass pass : {FramePass::Velocity, FramePass::Colour, FramePass::Particles, FramePass::Overlay}) {
        counts.litTriangles += static_cast<double>(passes[static_cast<size_t>(pass)].triangles);
        counts.litDraws += static_cast<double>(passes[static_cast<size_t>(pass)].draws);
    }
    const PassFigures& shadow = passes[static_cast<size_t>(FramePass::Shadow)];
    counts.depthTriangles = static_cast<double>(shadow.triangles);
    counts.depthDraws = static_cast<double>(shadow.draws);
    return counts;
}

// The median over the run of one figure of one pass.
double passMedian(const Ride& run, size_t pass, double (*figure)(const PassFigures&))
{
    std::vector<double> values;
    for (const FramePassFigures& frame : run.passes)
        values.push_back(figure(frame[pass]));
    return percentile(values, 0.5);
}

void printPasses(const Ride& run, bool shadedPixels)
{
    std::printf("\nper pass, median over the frames:\n%-10s %6s %10s %9s %12s %s\n", "pass", "draws", "triangles",
                "issue ms", "renderer ms", shadedPixels ? " shaded Mpx" : "");
    for (size_t pass = 0; pass < framePassCount; ++pass) {
        std::printf("%-10s %6.0f %10.0f %9.2f %12.2f", framePassNames[pass],
                    passMedian(run, pass, [](const PassFigures& p) { return static_cast<double>(p.draws); }),
                    passMedian(run, pass, [](const PassFigures& p) { return static_cast<double>(p.triangles); }),
                    passMedian(run, pass, [](const PassFigures& p) { return p.issueMs; }),
                    passMedian(run, pass, [](const PassFigures& p) { return p.gpuMs; }));
        if (shadedPixels)
            std::printf(" %11.2f",
                        passMedian(run, pass, [](const PassFigures& p) { return static_cast<double>(p.samples); }) *
                            1e-6);
        std::printf("\n");
    }
    std::printf("%-10s %6s %10s %9.2f\n", "swap", "", "", percentile(run.swapMs, 0.5));
    std::printf("CPU time of the whole frame, all threads: median %.1f ms (the least a frame can take on %ld cores is\n"
                "this divided by the cores; other processes' load does not change it much)\n",
                percentile(run.cpuMs, 0.5), sysconf(_SC_NPROCESSORS_ONLN));
    if (shadedPixels)
        std::printf("shaded Mpx: fragments that passed the depth test (a 1280x720 screen is 0.92 Mpx, the shadow\n"
                    "map 1.05 Mpx); counting them changes llvmpipe's shaders, so these times are not the game's.\n");
}

// The median over the ride of each frame's floor at full resolution.
double medianFloorMs(const Ride& run, const FloorFigures& floor)
{
    std::vector<double> floors;
    for (const FramePassFigures& frame : run.passes)
        floors.push_back(floorMilliseconds(floor, floorCounts(frame)));
    return percentile(floors, 0.5);
}

void printFloor(const Ride& run, const FloorFigures& floor)
{
    const FrameCounts typical = floorCounts(run.passes[run.passes.size() / 2]);
    std::printf("\nfloor (floor.cpp, this run; other_load %.2f, %g rasteriser threads):\n"
                "  per triangle lit %.1f ns, depth %.1f ns; per draw lit %.2f us, depth %.2f us; lit fill %.2f ms;\n"
                "  full-screen copy %.2f ms, blur %.2f ms, clear + swap %.2f ms\n"
                "  a middle frame: %.0f lit triangles, %.0f depth triangles, %.0f lit draws, %.0f depth draws\n"
                "  median floor at full resolution %.1f ms: the unit of every share above\n",
                floor.otherLoad, floor.rasteriserThreads, floor.litNsPerTriangle, floor.depthNsPerTriangle,
                floor.litDrawUs, floor.depthDrawUs, floor.litFillMs, floor.fullscreenCopyMs, floor.fullscreenBlurMs,
                floor.clearSwapMs, typical.litTriangles, typical.depthTriangles, typical.litDraws, typical.depthDraws,
                medianFloorMs(run, floor));
}

// A run that drew nothing where every frame must draw is broken, whatever its times.
bool plausible(const Ride& run)
{
    bool ok = !run.frameMs.empty();
    for (FramePass pass : {FramePass::Shadow, FramePass::Sky, FramePass::Colour, FramePass::Composite})
        for (const FramePassFigures& frame : run.passes)
            if (frame[static_cast<size_t>(pass)].draws == 0) {
                std::cerr << "the " << framePassNames[static_cast<size_t>(pass)] << " pass drew nothing\n";
                ok = false;
                break;
            }
    if (const GLenum error = glGetError(); error != GL_NO_ERROR) {
        std::cerr << "GL error 0x" << std::hex << error << std::dec << '\n';
        ok = false;
    }
    return ok;
}

const char* verdict(bool met)
{
    return met ? "met" : "MISSED";
}

// A time in milliseconds, with its share of the floor and the goal for that
// share (0: none) when there is a floor to compare with (0: none).
std::string share(double ms, double floorMs, double goal)
{
    char text[96];
    if (floorMs <= 0.0)
        std::snprintf(text, sizeof text, "%.1f ms", ms);
    else if (goal > 0.0)
        std::snprintf(text, sizeof text, "%.1f ms = %.2f of the floor (goal <= %.2f: %s)", ms, ms / floorMs, goal,
                      verdict(ms / floorMs <= goal));
    else
        std::snprintf(text, sizeof text, "%.1f ms = %.2f of the floor", ms, ms / floorMs);
    return text;
}

// The goals of a ride, as shares of the floor: the median, the 95th
// percentile, and the 95th percentile of the second after a kill (0: none).
struct RideGoals {
    double median = 0.0;
    double p95 = 0.0;
    double afterKillP95 = 0.0;
};

// When the frames first kept under the controller's target: the end of the
// first half second whose median frame was under it.
double settledAfter(const Ride& run)
{
    std::size_t first = 0;
    for (std::size_t i = 0; i < run.frameMs.size(); ++i) {
        while (run.endSeconds[i] - run.endSeconds[first] > 0.5)
            ++first;
        const std::vector<double> recent(run.frameMs.begin() + static_cast<std::ptrdiff_t>(first),
                                         run.frameMs.begin() + static_cast<std::ptrdiff_t>(i) + 1);
        if (run.endSeconds[i] >= 0.5 && percentile(recent, 0.5) <= RenderScaleController::targetSeconds * 1e3)
            return run.endSeconds[i];
    }
    return run.endSeconds.empty() ? 0.0 : run.endSeconds.back();
}

void printRide(const char* title, const Ride& run, double floorMs, const RideGoals& goals,
               bool automatic, bool shadedPixels)
{
    const FrameTimeSummary all = summarise(run.frameMs);
    const FrameTimeSummary afterKills =
        summarise(framesFollowing(run.frameMs, run.kills, ScriptedRide::framesPerSecond));
    std::printf("\n== %s (other processes kept %.2f cores busy)\n", title, run.otherLoad);
    std::printf("frames: median %s\n  p95 %s\n", share(all.median, floorMs, goals.median).c_str(),
                share(all.p95, floorMs, goals.p95).c_str());
    std::printf("  longest %s, frame %d, %.2fx the median; first frame %.1f ms\n",
                share(all.longest, floorMs, 0.0).c_str(), all.longestFrame, all.longest / all.median,
                run.frameMs.front());
    if (run.kills.empty())
        std::printf("the second after a kill: no kill in so short a ride\n");
    else
        std::printf("the second after a kill (%zu kills, %d frames): median %s\n  p95 %s\n", run.kills.size(),
                    afterKills.frames, share(afterKills.median, floorMs, 0.0).c_str(),
                    share(afterKills.p95, floorMs, goals.afterKillP95).c_str());
    if (automatic) {
        std::vector<double> scales(run.scales.begin(), run.scales.end());
        const double median = percentile(scales, 0.5);
        const double settled = settledAfter(run);
        std::printf("render scale: median %.3f (goal >= 0.6: %s), lowest %.3f, highest %.3f\n"
                    "  settled (the frames of the last half second under the target) %.1f s into the ride (goal <= 2 s: "
                    "%s); %d changes, the last %.1f s into the ride, following the scene\n",
                    median, verdict(median >= 0.6), percentile(scales, 0.0), percentile(scales, 1.0), settled,
                    verdict(settled <= 2.0), run.scaleChanges, run.lastChange);
    }
    printPasses(run, shadedPixels);
}

int run(const Options& options)
{
    PrivateDisplay display;
    const std::string cache = useShaderCache();
    const int cachedFiles = filesUnder(cache);
    const std::optional<FloorFigures> floor = measureFloor(options.floorReps);

    fs::current_path(makeGameDirectory("frame-benchmark"));
    std::srand(1); // the same rocks, and the same bursts, on every run
    {
        QuietGame quiet;
        initializeGame();
    }
    countInstancedDraws();
    const LoadTimes first = loadLevelOne(options.warmUp);
    {
        QuietGame quiet;
        cleanup();
    }
    // Every play of a level loads it afresh: the second load is the usual one.
    std::srand(1);
    const LoadTimes again = loadLevelOne(options.warmUp);
    std::optional<Ride> fixed, automatic;
    if (options.full)
        fixed = ride(options, RenderScaleController(options.fixedScale));
    if (options.automatic) {
        if (fixed) {
            // The same level and bursts again, with the scale chosen as the game does.
            {
                QuietGame quiet;
                cleanup();
            }
            std::srand(1);
            loadLevelOne(options.warmUp);
        }
        automatic = ride(options, RenderScaleController(0));
    }
    const bool ok = (!fixed || plausible(*fixed)) && (!automatic || plausible(*automatic));

    const Game& g = game();
    std::printf("Sandlark frame benchmark: level 1, %dx%d, %d frames of a scripted ride (%d a second of script)\n"
                "renderer: %s | shader warm-up %s | Mesa shader cache %s (%d files before the run)%s\n\n",
                g.settings.screenwidth, g.settings.screenheight, options.frames, ScriptedRide::framesPerSecond,
                reinterpret_cast<const char*>(glGetString(GL_RENDERER)), options.warmUp ? "on" : "off", cache.c_str(),
                cachedFiles, shaderCacheDisabled() ? ", DISABLED" : "");
    std::printf("loading level 1 (assets and world): %.0f ms, the next time %.0f ms; shader warm-up %.0f ms, "
                "the next time %.0f ms\n",
                first.loadMs, again.loadMs, first.warmUpMs, again.warmUpMs);
    std::printf("  load + warm-up the next time: %.0f ms (goal <= 500 ms with the shader cache warm: %s), CPU %.0f ms\n",
                again.loadMs + again.warmUpMs, verdict(again.loadMs + again.warmUpMs <= 500.0), again.cpuMs);
    // Every share is of the floor of the frames at full resolution: the
    // automatic ride draws the same triangles, so the same floor holds.
    const Ride& either = fixed ? *fixed : *automatic;
    const double floorMs = floor ? medianFloorMs(either, *floor) : 0.0;
    if (fixed) {
        const std::string title = options.fixedScale == 100
                                      ? std::string("the scene at the window's full size (renderscale 100)")
                                      : "the scene at a fixed scale (renderscale " + std::to_string(options.fixedScale) + ")";
        printRide(title.c_str(), *fixed, floorMs, {options.fixedScale == 100 ? 0.65 : 0.0, 0.0, 0.0}, false,
                  options.shadedPixels);
    }
    if (automatic)
        printRide("the render scale chosen automatically (renderscale 0)", *automatic, floorMs, {0.35, 0.5, 0.55},
                  true, options.shadedPixels);
    if (floor)
        printFloor(either, *floor);
    std::printf("issue ms: the main thread's time in the pass (state, vertex shading, binning); renderer ms:\n"
                "GL_TIME_ELAPSED, llvmpipe's rasteriser threads (fragment work), which overlaps the next pass.\n");

    {
        QuietGame quiet;
        cleanup();
        endGame();
    }
    return ok ? 0 : 1;
}

} // namespace

int main(int argc, char** argv)
{
    const Options options = parseOptions(argc, argv);
    try {
        return run(options);
    } catch (const std::exception& error) {
        std::cerr << "frame benchmark: " << error.what() << '\n';
        return 1;
    }
}
