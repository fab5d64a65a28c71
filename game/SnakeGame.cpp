#include "SnakeGame.h"

#include "GameSounds.h"

#include "MenuHandler.h"
#include "PlayHandler.h"

#include <cstdio>
#include <cwchar>
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

long SnakeGame::onInit(Surface* surface, Panel*, Application* application)
{
    if (application)
        GameSounds::start(application->getAudio());
    if (menu)
        return 0;
    // The field does not shrink: a smaller screen would show a part of it, or nothing.
    const unsigned long width = surface ? surface->getWidth() : 0, height = surface ? surface->getHeight() : 0;
    if (width < PlayHandler::fieldWidth || height < PlayHandler::fieldHeight) {
        wchar_t text[160];
        std::swprintf(text, 160, L"Vorlequin needs a screen of at least %d x %d pixels; this one has %lu x %lu.",
                      static_cast<int>(PlayHandler::fieldWidth), static_cast<int>(PlayHandler::fieldHeight), width,
                      height);
        setError(text);
        MessageBoxW(nullptr, text, L"Vorlequin", MB_OK | MB_ICONERROR);
        return -1;
    }
    // A larger screen shows the field in its middle.
    const tagPOINT origin = {static_cast<LONG>((width - PlayHandler::fieldWidth) / 2),
                             static_cast<LONG>((height - PlayHandler::fieldHeight) / 2)};
    menu = new (std::nothrow) State();
    play = new (std::nothrow) State();
    menuHandler = new (std::nothrow) MenuHandler();
    playHandler = new (std::nothrow) PlayHandler();
    // Without them there is no game: a negative answer ends the program cleanly.
    if (!menu || !play || !menuHandler || !playHandler || !playHandler->getSnake())
        return -1;
    menuHandler->setPlay(playHandler);
    menuHandler->setOrigin(origin);
    playHandler->setOrigin(origin);

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
