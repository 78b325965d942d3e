#include "support/gl/InProcessGame.h"

#include "app/Game.h"
#include "app/LevelFlow.h"
#include "app/Startup.h"

#include <filesystem>
#include <memory>

void InProcessGame::startGameIn(const std::string& directory)
{
    std::filesystem::current_path(directory);
    testing::internal::CaptureStdout();
    initializeGame();
    testing::internal::GetCapturedStdout();
}

void InProcessGame::SetUp()
{
    game().state = GameState{};
    game().toggles = RenderToggles{};
    if (!game().postProcessing.compositeProgram) // the previous play ended the game and released them
        createRenderTargets();
    auto owned = std::make_unique<ScriptedInput>(1.0 / 64.0, 5000.0);
    script = owned.get();
    game().input = std::move(owned);
}

std::string InProcessGame::play()
{
    testing::internal::CaptureStdout();
    playLevel();
    return testing::internal::GetCapturedStdout();
}
