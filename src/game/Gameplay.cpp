#include "game/Gameplay.h"

void collisionStep()
{
}

void updateGameplay(float)
{
}
