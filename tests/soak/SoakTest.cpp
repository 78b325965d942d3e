// Twenty levels back to back in one process, as a player who keeps going
// would play them: won and lost alternately, each with the render toggles,
// shots, a kill and its explosion. Run under the sanitizers, where any
// address error, leak or undefined behaviour on the way fails it; here it
// checks that every play really happened and that no GL object outlives its
// level.
#include "support/core/PrivateDisplay.h"
#include "support/core/Process.h"
#include "support/gl/Soak.h"

#include <gtest/gtest.h>

namespace {

const bool privateDisplay = (usePrivateDisplayForEveryTest(), true);

TEST(Soak, TwentyLevelsWonAndLostAlternatelyLeaveNoGlObjectBehind)
{
    constexpr int plays = 20;
    const SoakRun run = runSoak(plays);
    ASSERT_FALSE(run.gaveUp) << "the loop stopped answering the script";
    ASSERT_EQ(run.plays.size(), static_cast<std::size_t>(plays));
    EXPECT_GT(run.plays[0].liveObjects.total(), 100) << "the level's meshes, textures and programs are counted";

    int level = 1;
    for (std::size_t i = 0; i < run.plays.size(); ++i) {
        const SoakPlay& play = run.plays[i];
        SCOPED_TRACE("play " + std::to_string(i + 1));
        EXPECT_EQ(play.level, level) << "a win moves on, a loss plays the same level again";
        EXPECT_EQ(play.won, i % 2 == 0);
        EXPECT_EQ(play.kills, 1);
        EXPECT_GT(play.shotFrames, 0);
        EXPECT_GT(play.mostParticles, 100) << "the kill's explosion";
        EXPECT_EQ(play.togglesChanged, 6) << "F2, F3, F4, F5, F8 and F9 each acted once";
        EXPECT_EQ(play.liveObjects, run.plays[0].liveObjects)
            << describe(play.liveObjects) << "\nafter the first level: " << describe(run.plays[0].liveObjects);
        EXPECT_EQ(play.objectsAfterCleanUp, run.plays[0].objectsAfterCleanUp)
            << describe(play.objectsAfterCleanUp) << "\nafter the first clean-up: "
            << describe(run.plays[0].objectsAfterCleanUp);
        EXPECT_LT(play.objectsAfterCleanUp.total(), play.liveObjects.total()) << "the clean-up releases the level";
        if (play.won)
            ++level;
    }
    // One clean-up after every play and one when the window closes.
    EXPECT_EQ(countOf(run.output, "Cleaning up...\n"), plays + 1);
}

} // namespace
