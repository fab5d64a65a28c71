#include "SnakeGame.h"

#include "GameSounds.h"

#include "MenuHandler.h"
#include "PlayHandler.h"

#include <new>

SnakeGame::SnakeGame() : menu(nullptr), play(nullptr), menuHandler(nullptr), playHandler(nullptr) {}

SnakeGame::~SnakeGame()
{
    delete menu;
    delete play;
    delete menuHandler;
    delete playHandler;
}

long SnakeGame::configure(Config* config)
{
    config->appName = L"Vorlequin";
    config->iconId = 102;
    config->orientation = 0;
    config->doubleClicks = true;
    config->reserved1 = 0;
    config->runInBackground = false;
    config->stayInForeground = false;
    config->width = 240;
    config->height = 320;
    config->reserved2 = 0;
    config->reserved3 = 0;
    return 0;
}

long SnakeGame::onInit(Surface*, Panel*, Application* application)
{
    if (application)
        GameSounds::start(application->getAudio());
    if (menu)
        return 0;
    menu = new (std::nothrow) State();
    play = new (std::nothrow) State();
    menuHandler = new (std::nothrow) MenuHandler();
    playHandler = new (std::nothrow) PlayHandler();
    // Without them there is no game: a negative answer ends the program cleanly.
    if (!menu || !play || !menuHandler || !playHandler || !playHandler->getSnake())
        return -1;
    menuHandler->setPlay(playHandler);

    menu->addEventHandler(menuHandler, nullptr, true, true);
    play->addEventHandler(playHandler, nullptr, true, true);
    addState(play);
    addState(menu);
    addJump(menu, play, MenuHandler::startGame);
    addJump(play, menu, PlayHandler::backToMenu);
    setInitialState(menu);
    return 0;
}

long SnakeGame::onExit()
{
    GameSounds::stop();
    return 0;
}
