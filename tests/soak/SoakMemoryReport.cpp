// The memory report: twenty levels back to back in one process, in the Release
// build, with the resident memory and the live GL objects printed after every
// level. The goal: resident memory after the 20th play within 5 MB of the 2nd (the
// first level grows the caches every later one reuses), and the same GL
// objects alive after every level. Exits 1 when either is missed.
//
//   build/tests/soak/sandlark_soak_memory [plays]
#include "support/core/PrivateDisplay.h"
#include "support/gl/Soak.h"

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <cstdio>
#include <exception>

namespace {

constexpr int defaultPlays = 20;
constexpr double allowedGrowthMegabytes = 5.0;

// Printed to standard error: the game's standard output is captured while it plays.
void printPlay(const SoakPlay& play)
{
    using Clock = std::chrono::steady_clock;
    static int number = 0;
    static Clock::time_point previous = Clock::now();
    const Clock::time_point now = Clock::now();
    const double seconds = std::chrono::duration<double>(now - previous).count();
    previous = now;
    std::fprintf(stderr, "%4d %6d  %-4s %8.1f %12.1f %10d   %s\n", ++number, play.level, play.won ? "won" : "lost",
                 seconds, play.residentMegabytes, play.liveObjects.total(), describe(play.liveObjects).c_str());
}

} // namespace

int main(int argc, char** argv)
{
    try {
        // Fewer plays for a quick look under a memory profiler.
        const int plays = argc > 1 ? std::max(2, std::atoi(argv[1])) : defaultPlays;
        PrivateDisplay display;
        std::fprintf(stderr, "play  level  end  seconds  resident MB  GL objects\n");
        const SoakRun run = runSoak(plays, printPlay);
        if (run.gaveUp || run.plays.size() != static_cast<std::size_t>(plays)) {
            std::fprintf(stderr, "The soak stopped after %zu plays.\n", run.plays.size());
            return 1;
        }
        const SoakPlay& second = run.plays[1];
        const SoakPlay& last = run.plays.back();
        const double growth = last.residentMegabytes - second.residentMegabytes;
        bool objectsEqual = true;
        for (const SoakPlay& play : run.plays)
            objectsEqual = objectsEqual && play.liveObjects == run.plays.front().liveObjects;
        std::printf("resident memory: %.1f MB after play 2, %.1f MB after play %d: %+.1f MB (goal: within %.0f MB)\n",
                    second.residentMegabytes, last.residentMegabytes, plays, growth, allowedGrowthMegabytes);
        std::printf("live GL objects: %s after every level\n", objectsEqual ? "the same" : "NOT the same");
        const bool met = growth <= allowedGrowthMegabytes && objectsEqual;
        std::printf("%s\n", met ? "goal met" : "goal missed");
        return met ? 0 : 1;
    } catch (const std::exception& error) {
        std::fprintf(stderr, "soak failed: %s\n", error.what());
        return 1;
    }
}
