#pragma once
// The base of tests that play whole levels in-process through the real loop,
// window and context: the game is started once per test suite in a directory
// the suite makes, and every test begins from a fresh level state with a
// scripted keyboard, mouse and clock.
#include "support/core/ScriptedInput.h"

#include <gtest/gtest.h>

#include <string>

class InProcessGame : public ::testing::Test {
protected:
    // Starts the game in `directory` (its window, context and render targets),
    // swallowing the start-up lines.
    static void startGameIn(const std::string& directory);

    // A fresh level state, the default render toggles, the render targets back
    // when the previous play ended the game, and 1/64 s frames (exact in
    // binary, so the frame rate comes out exactly 64).
    void SetUp() override;

    // Plays until the game ends and returns what it printed.
    std::string play();

    ScriptedInput* script = nullptr;
};
