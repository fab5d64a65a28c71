#include "MenuHandler.h"

#include "GameAssets.h"
#include "GameSounds.h"
#include "Lettering.h"
#include "PlayHandler.h"

#include <cwchar>

namespace {

constexpr unsigned long black = 0x000000;
constexpr long scoresTop = 112;
constexpr unsigned long highlightOpacity = 128;

// The boxes of the menu picture that a pressed stylus lights up, by area.
Utility::Rect areaBox(MenuHandler::Area area)
{
    switch (area) {
    case MenuHandler::fleeRow:
        return Utility::Rect(71, 41, 191, 60);
    case MenuHandler::wheelRow:
        return Utility::Rect(71, 62, 191, 79);
    case MenuHandler::chaseRow:
        return Utility::Rect(71, 81, 191, 100);
    case MenuHandler::exitBox:
        return Utility::Rect(100, 130, 151, 151);
    default:
        return Utility::Rect(0, 0, 0, 0);
    }
}

} // namespace

MenuHandler::Area MenuHandler::areaAt(long x, long y)
{
    if (x >= 100 && x <= 150 && y >= 130 && y <= 150)
        return exitBox;
    if (x <= 70 || x > 190 || y < 40 || y > 100)
        return nowhere;
    // The rows, top to bottom: flee (3), wheel (2), chase (1).
    return y <= 60 ? fleeRow : y <= 79 ? wheelRow : chaseRow;
}

MenuHandler::MenuHandler(const wchar_t* scoreFile)
    : play(nullptr), scores(scoreFile), pictureOrigin{0, 0}, gameOverLeft(0), pressed(false), pressedAt{0, 0}
{
    GameAssets::load(menuImage, L"vorlequin-menu.png");
}

MenuHandler::~MenuHandler() { menuImage.free(); }

long MenuHandler::onInit(Surface*, Panel*, Application*)
{
    pressed = false;
    gameOverLeft = 0;
    if (play && play->isOver()) {
        scores.record(play->getScore());
        if (play->hasDied())
            gameOverLeft = gameOverFrames;
    }
    return 0;
}

long MenuHandler::onNextFrame(Surface* surface, Panel*)
{
    if (!surface)
        return 0;
    if (gameOverLeft > 0 && play) {
        --gameOverLeft;
        play->drawGameOver(surface);
        return 0;
    }
    gameOverLeft = 0;
    if (surface->getWidth() != menuImage.getWidth() || surface->getHeight() != menuImage.getHeight())
        surface->fillRect(black, nullptr, 255);
    surface->bltFast(pictureOrigin.x, pictureOrigin.y, &menuImage, nullptr, nullptr);
    drawPressedArea(surface);
    drawScores(surface);
    return 0;
}

long MenuHandler::onStylusDown(tagPOINT point)
{
    pressed = gameOverLeft == 0;
    pressedAt = tagPOINT{point.x - pictureOrigin.x, point.y - pictureOrigin.y};
    return 0;
}

long MenuHandler::onStylusMove(tagPOINT point)
{
    pressedAt = tagPOINT{point.x - pictureOrigin.x, point.y - pictureOrigin.y};
    return 0;
}

long MenuHandler::onStylusUp(tagPOINT point)
{
    pressed = false;
    if (gameOverLeft > 0)
        return 0;
    const Area area = areaAt(point.x - pictureOrigin.x, point.y - pictureOrigin.y);
    if (area == exitBox)
        return quitGame;
    if (area == nowhere)
        return 0;
    GameSounds::play(GameSounds::Tap);
    if (play)
        play->setControlMode(area);
    return startGame;
}

void MenuHandler::drawPressedArea(Surface* surface)
{
    const Area area = pressed ? areaAt(pressedAt.x, pressedAt.y) : nowhere;
    if (area == nowhere)
        return;
    Utility::Rect box = areaBox(area);
    box.left += pictureOrigin.x, box.right += pictureOrigin.x;
    box.top += pictureOrigin.y, box.bottom += pictureOrigin.y;
    surface->fillRect(Lettering::accent, box, highlightOpacity);
    surface->drawRect(Lettering::accent, box, 255);
}

void MenuHandler::drawScores(Surface* surface)
{
    if (!scores.hasLast() && scores.getBest() == 0)
        return;
    wchar_t text[64];
    if (scores.hasLast())
        std::swprintf(text, 64, L"LAST %d    BEST %d", static_cast<int>(scores.getLast()),
                      static_cast<int>(scores.getBest()));
    else
        std::swprintf(text, 64, L"BEST %d", static_cast<int>(scores.getBest()));
    Lettering::draw(*surface, Font::getSystemFontWithBorder(), text, pictureOrigin.x + 120, pictureOrigin.y + scoresTop,
                    Lettering::accent, 1, true);
}
