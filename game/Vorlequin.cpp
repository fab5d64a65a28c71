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
    // A game that could not start has said why (a message box); it fails.
    if (result == 0 && game->getLastError()[0] != 0)
        result = 1;
    delete game;
    return static_cast<int>(result);
}
