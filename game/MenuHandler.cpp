#include "MenuHandler.h"

#include "GameAssets.h"
#include "GameSounds.h"
#include "PlayHandler.h"

MenuHandler::MenuHandler() : play(nullptr)
{
    GameAssets::load(menuImage, L"vorlequin-menu.png");
}

MenuHandler::~MenuHandler() { menuImage.free(); }

long MenuHandler::onNextFrame(Surface* surface, Panel*)
{
    if (surface)
        surface->bltFast(0, 0, &menuImage, nullptr, nullptr);
    return 0;
}

long MenuHandler::onStylusUp(tagPOINT point)
{
    const long x = point.x, y = point.y;
    if (x >= 100 && x <= 150 && y >= 130 && y <= 150)
        return quitGame;
    if (x <= 70 || x > 190 || y < 40 || y > 100)
        return 0;
    GameSounds::play(GameSounds::Tap);
    // The rows, top to bottom: flee (3), wheel (2), chase (1).
    const int32_t mode = y <= 60 ? 3 : y <= 79 ? 2 : 1;
    if (play)
        play->setControlMode(mode);
    return startGame;
}
