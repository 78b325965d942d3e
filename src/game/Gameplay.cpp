#include "game/Gameplay.h"

void collisionStep(World&, GameState&)
{
}

void updateGameplay(World&, GameState&, Settings&, Input&, float)
{
}
