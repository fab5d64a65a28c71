#include "PlayHandler.h"

#include "GameSounds.h"

#include "GameAssets.h"
#include "Lettering.h"
#include "Snake.h"

#include <cstdlib>
#include <cwchar>
#include <new>

namespace {

constexpr unsigned long black = 0x000000;
constexpr unsigned long white = 0xFFFFFF;
constexpr unsigned long red = 0x0000FF;  // COLORREF is 0x00BBGGRR

constexpr int32_t startX = 120;
constexpr int32_t startY = 160;
constexpr int stepsPerFrame = 3;
constexpr int32_t appleReach = 10;       // the head eats within this many pixels on both axes
constexpr int32_t applePoints = 100;
constexpr int32_t appleGrowth = 20;
constexpr int32_t steeringReach2 = 2500; // the stylus steers in modes 1 and 3 within 50 pixels
constexpr float sharpTurn = 0.1f;
constexpr float wheelScale = 0.0010416667f;  // 1/960: the stylus at the edge turns about 0.125
constexpr int32_t wheelMiddle = 120;
// The score's distance from the field's top left corner.
constexpr long scoreLeft = 3;
constexpr long scoreTop = 2;
constexpr long scoreLineHeight = 9;

enum ControlMode : int32_t { chase = 1, wheel = 2, flee = 3 };

} // namespace

PlayHandler::PlayHandler()
    : snake(new (std::nothrow) Snake()), controlMode(chase), stylus{0, 0}, appleX(0), appleY(0), score(0),
      started(false), over(false), died(false), fieldOrigin{0, 0}
{
    if (snake)
        snake->reset(startX, startY, 0.0f);
    GameAssets::load(appleImage, L"apple.gif");
    placeApple();
}

PlayHandler::~PlayHandler()
{
    delete snake;
    appleImage.free();
    field.free();
}

long PlayHandler::onInit(Surface*, Panel*, Application*)
{
    started = false;
    over = false;
    died = false;
    if (snake)
        snake->reset(startX, startY, 0.0f);
    score = 0;
    return 0;
}

long PlayHandler::onNextFrame(Surface* surface, Panel*)
{
    Surface* drawn = fieldFor(surface);
    if (!drawn || !snake)
        return 0;
    if (started)
        steer();
    drawField(drawn);
    snake->draw(drawn);
    show(surface, drawn);
    if (!started)
        return 0;  // the snake waits for the first touch
    for (int i = 0; i < stepsPerFrame; ++i)
        if (!snake->step(drawn)) {
            died = true;
            GameSounds::play(GameSounds::Die);
            return backToMenu;
        }
    const SnakeNode* head = snake->getHead();
    if (head && std::abs(head->x - appleX) <= appleReach && std::abs(head->y - appleY) <= appleReach) {
        GameSounds::play(GameSounds::Eat);
        placeApple();
    }
    return 0;
}

long PlayHandler::onStylusDown(tagPOINT point)
{
    started = true;
    stylus = onField(point);
    return 0;
}

long PlayHandler::onStylusMove(tagPOINT point)
{
    stylus = onField(point);
    return 0;
}

long PlayHandler::onStylusUp(tagPOINT point)
{
    point = onField(point);
    if (point.x >= 220 && point.y <= 20)
        return backToMenu;
    stylus.x = stylusLifted;
    return 0;
}

long PlayHandler::onExit()
{
    over = true;
    return 0;
}

void PlayHandler::drawGameOver(Surface* surface)
{
    Surface* drawn = fieldFor(surface);
    if (!drawn || !snake)
        return;
    drawField(drawn);
    // The words go to the half of the field away from where the snake died, on a darker
    // band; the snake is drawn last, so that all of it shows.
    const SnakeNode* head = snake->getHead();
    const long top = head && head->y < fieldHeight / 2 + 10 ? 206 : 66;
    drawn->fillRect(black, Utility::Rect(1, top, fieldWidth - 1, top + 56), 176);
    Lettering::draw(*drawn, Font::getSystemFontWithBorder(), L"GAME OVER", fieldWidth / 2, top + 6, Lettering::accent,
                    3, true);
    wchar_t text[32];
    std::swprintf(text, 32, L"SCORE %d", static_cast<int>(score));
    Lettering::draw(*drawn, Font::getSystemFontWithBorder(), text, fieldWidth / 2, top + 34, Lettering::ink, 2, true);
    snake->draw(drawn, deadSnakeColour);
    show(surface, drawn);
}

Surface* PlayHandler::fieldFor(Surface* screen)
{
    if (!screen)
        return nullptr;
    if (screen->getWidth() == static_cast<unsigned long>(fieldWidth) &&
        screen->getHeight() == static_cast<unsigned long>(fieldHeight))
        return screen;
    if (field.getWidth() == 0 && field.create(fieldWidth, fieldHeight) != 0)
        return nullptr;
    return &field;
}

void PlayHandler::show(Surface* screen, Surface* drawn)
{
    if (drawn == screen)
        return;
    screen->fillRect(black, nullptr, 255);
    screen->bltFast(fieldOrigin.x, fieldOrigin.y, drawn, nullptr, nullptr);
}

tagPOINT PlayHandler::onField(tagPOINT point) const
{
    return tagPOINT{point.x - fieldOrigin.x, point.y - fieldOrigin.y};
}

void PlayHandler::steer()
{
    if (controlMode == wheel) {
        snake->turn(static_cast<float>(static_cast<int64_t>(stylus.x) - wheelMiddle) * wheelScale);
        return;
    }
    if (controlMode != chase && controlMode != flee)
        return;
    const SnakeNode* head = snake->getHead();
    if (!head)
        return;
    // 64 bits: a stylus far off the glass must not overflow the squares.
    const int64_t toX = static_cast<int64_t>(stylus.x) - head->x;
    const int64_t toY = static_cast<int64_t>(stylus.y) - head->y;
    if (toX * toX + toY * toY >= steeringReach2)
        return;
    int32_t cx = 0, cy = 0;
    snake->getDirection(cx, cy);
    // The sign of the cross product of the heading and the way to the stylus says on
    // which side the stylus lies: positive is clockwise on screen.
    const int64_t cross = cx * toY - cy * toX;
    const float towards = cross <= 0 ? -sharpTurn : sharpTurn;
    snake->turn(controlMode == chase ? towards : -towards);
}

void PlayHandler::drawField(Surface* surface)
{
    surface->fillRect(black, nullptr, 255);
    surface->drawRect(white, Utility::Rect(0, 20, 240, 320), 255);
    surface->fillRect(red, Utility::Rect(220, 0, 240, 20), 255);
    surface->drawLine(220, 0, 239, 19, white, 255);
    surface->drawLine(220, 19, 239, 0, white, 255);
    surface->bltFast(static_cast<unsigned long>(appleX - 10), static_cast<unsigned long>(appleY - 10), &appleImage,
                     nullptr, nullptr);
    Font* font = Font::getSystemFont();
    surface->drawText(scoreLeft, scoreTop, font, TextAlign::Left, L"score");
    wchar_t text[16];
    std::swprintf(text, 16, L"%d", static_cast<int>(score));
    surface->drawText(scoreLeft, scoreTop + scoreLineHeight, font, TextAlign::Left, text);
}

void PlayHandler::placeApple()
{
    // The C library's generator, never seeded: every run sees the same apples, which is
    // what lets a recorded game replay frame for frame.
    appleX = std::rand() % 200 + 20;
    appleY = std::rand() % 260 + 40;
    score += applePoints;
    if (snake)
        snake->grow(appleGrowth);
}
