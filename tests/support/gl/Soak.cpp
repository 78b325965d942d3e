#include "support/gl/Soak.h"

#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Startup.h"
#include "support/core/ResidentMemory.h"
#include "support/core/ScriptedInput.h"
#include "support/gl/TestLevel.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <memory>

namespace {

constexpr double frameStep = 1.0 / 64.0;
// A play takes about a hundred polls: far fewer than this, unless the loop is stuck.
constexpr int pollsPerPlay = 1000;

int changedToggles(const RenderToggles& before, const RenderToggles& after)
{
    return (before.showStatistics != after.showStatistics) + (before.wireframe != after.wireframe) +
           (before.textureSamplingMode != after.textureSamplingMode) + (before.mipmapMode != after.mipmapMode) +
           (before.frustumCulling != after.frustumCulling) + (before.transparency != after.transparency);
}

int liveParticles(const World& world)
{
    int count = 0;
    for (const ParticleEmitter* emitter :
         {world.debrisEmitter.get(), world.fireballEmitter.get(), world.dustEmitter.get()})
        if (emitter)
            count += static_cast<int>(emitter->particles.objects.size());
    return count;
}

// Watches the game at every poll and plays its part: the loop sleeps 2000 ms
// once a level is loaded (its waiting screen follows) and 500 ms once a play
// is over (its end screen follows), so the number of sleeps says where the
// game is.
class SoakDriver {
public:
    SoakDriver(ScriptedInput& script, int plays, void (*onPlay)(const SoakPlay&))
        : script_(script), plays_(plays), onPlay_(onPlay)
    {
    }

    // The first swap after a play's end screen is the next loading screen's,
    // after the clean-up and before the next level loads.
    void onSwap()
    {
        if (!awaitingCleanUp_)
            return;
        awaitingCleanUp_ = false;
        SoakPlay& play = plays.back();
        play.residentAfterCleanUp = residentMegabytes();
        play.objectsAfterCleanUp = countLiveGlObjects();
        if (onPlay_)
            onPlay_(play);
    }

    // Runs at every poll from now on.
    void watch()
    {
        onPoll();
        script_.at(script_.time() + frameStep / 2, [this] { watch(); });
    }

    std::vector<SoakPlay> plays;

private:
    void onPoll()
    {
        Game& g = game();
        if (playing_)
            current_.mostParticles = std::max(current_.mostParticles, liveParticles(g.world));
        if (script_.sleeps.size() == sleepsSeen_)
            return;
        sleepsSeen_ = script_.sleeps.size();
        if (script_.sleeps.back() == 2000)
            onWaitingScreen(g);
        else
            onEndScreen(g);
    }

    void onWaitingScreen(Game& g)
    {
        if (static_cast<int>(plays.size()) == plays_) {
            script_.setShouldClose(true);
            return;
        }
        const double start = script_.time();
        script_.holdKey(start, start + 0.1, Key::Enter);
        current_ = SoakPlay{};
        current_.level = g.state.currentLevel;
        togglesAtStart_ = g.toggles;
        playing_ = true;
        // Every render toggle once, each key held for a few frames: the
        // switch acts when the key comes up.
        const int toggleKeys[] = {Key::F2, Key::F3, Key::F4, Key::F5, Key::F8, Key::F9};
        double at = start + 0.1;
        for (int key : toggleKeys) {
            script_.holdKey(at, at + 0.04, key);
            at += 0.05;
        }
        // A burst of fire straight ahead: the first shot meets the crawler
        // and the slow finish begins.
        script_.holdButton(start + 0.4, start + 0.7, MouseButton::Left);
        // Half a second after the kill the slow finish has shown its
        // explosion; the clock then skips most of the finish's ten seconds, or
        // every other play the ten minutes of the time limit, which overtakes
        // the finish and loses the level.
        const bool toLose = plays.size() % 2 == 1;
        script_.jumpClock(start + 1.0, toLose ? 601.0 : 9.0);
    }

    void onEndScreen(Game& g)
    {
        playing_ = false;
        current_.won = !g.state.timeUp;
        current_.kills = g.state.killCount;
        current_.shotFrames = g.state.usedAmmo;
        current_.togglesChanged = changedToggles(togglesAtStart_, g.toggles);
        current_.residentMegabytes = residentMegabytes();
        current_.liveObjects = countLiveGlObjects();
        plays.push_back(current_);
        awaitingCleanUp_ = true;
        const double now = script_.time();
        script_.holdKey(now, now + 0.1, Key::Enter);
    }

    ScriptedInput& script_;
    int plays_;
    void (*onPlay_)(const SoakPlay&);
    std::size_t sleepsSeen_ = 0;
    bool playing_ = false;
    bool awaitingCleanUp_ = false;
    SoakPlay current_;
    RenderToggles togglesAtStart_;
};

} // namespace

SoakRun runSoak(int plays, void (*onPlay)(const SoakPlay&))
{
    TestLevel level;
    level.configuration = soakConfiguration;
    std::filesystem::current_path(level.write("soak"));
    testing::internal::CaptureStdout();
    initializeGame();
    testing::internal::GetCapturedStdout();

    auto owned = std::make_unique<ScriptedInput>(frameStep);
    ScriptedInput& script = *owned;
    script.closeAfterPolls(pollsPerPlay * (plays + 1));
    game().input = std::move(owned);

    SoakRun run;
    SoakDriver driver(script, plays, onPlay);
    script.onSwap = [&driver] { driver.onSwap(); };
    driver.watch();
    testing::internal::CaptureStdout();
    playLevel();
    run.output = testing::internal::GetCapturedStdout();
    run.plays = driver.plays;
    run.gaveUp = script.gaveUp;
    return run;
}
