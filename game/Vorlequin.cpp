// The program's entry, as on the handheld: make the game, run it, give back its result.

#include "SnakeGame.h"

#include <new>

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    SnakeGame* game = new (std::nothrow) SnakeGame();
    if (!game)
        return -1;
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
