#include "app/Game.h"

Game& game()
{
    static Game root;
    return root;
}
