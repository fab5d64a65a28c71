// Input: the stylus draws a trail on the field and a double-tap clears it; the direction
// pad moves the diamond while it is held; the device's buttons light up on the picture of
// the pad below; the last events are listed at the bottom. The Start key (Enter in the
// window) ends the program.
//
// A game hears the stylus and the keys through its handlers. A game controller needs no
// code of its own: the host turns it into the same keys (its D-pad and left stick are
// the direction pad, its A, B and X buttons A, B and C, its Start button Start). A key
// held down gives one onKeyDown and, let go, one onKeyUp (the application drops the
// system's repeats), so a game that acts while a key is held keeps a note of it.

#include <Parvolin/Parvolin.h>

#include <cwchar>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr long fieldTop = 22, fieldBottom = 196, trailLength = 64, logLines = 4;
// The device's keys in the order of the key list.
enum Key { Up, Down, Left, Right, Start, A, B, C, keyCount };

class InputHandler : public EventHandler {
public:
    long onNextFrame(Surface* surface, Panel* panel) override
    {
        surface->fillRect(RGB(20, 22, 30), nullptr, 255);
        Font* font = Font::getSystemFontWithBorder();
        surface->drawText(surface->getWidth() / 2, 6, font, TextAlign::Center, L"Draw, double-tap, press keys");
        Utility::Rect field(4, fieldTop, 236, fieldBottom);
        surface->fillRect(RGB(36, 40, 56), &field, 255);

        // The trail: a line between each point and the next, but not across a lift.
        for (long i = 1; i < trailCount; ++i)
            if (!trail[i].startsStroke)
                surface->drawLine(trail[i - 1].x, trail[i - 1].y, trail[i].x, trail[i].y, RGB(120, 220, 255), 255);

        // Held keys move the diamond a little every frame; the field's edges stop it.
        x += (held[Right] ? 3 : 0) - (held[Left] ? 3 : 0);
        y += (held[Down] ? 3 : 0) - (held[Up] ? 3 : 0);
        x = x < 12 ? 12 : x > 228 ? 228 : x;
        y = y < fieldTop + 8 ? fieldTop + 8 : y > fieldBottom - 8 ? fieldBottom - 8 : y;
        for (long row = -6; row <= 6; ++row) {
            const long half = 6 - (row < 0 ? -row : row);
            Utility::Rect line(x - half, y + row, x + half + 1, y + row + 1);
            surface->fillRect(RGB(250, 200, 80), &line, 255);
        }

        drawPad(panel);
        for (long line = 0; line < logLines; ++line)
            surface->drawText(8, 268 + line * 12, Font::getSystemFont(), TextAlign::Left, log[line]);
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        note(L"stylus down at %ld, %ld", point);
        add(point, true);
        return 0;
    }

    long onStylusMove(tagPOINT point) override
    {
        add(point, false);
        return 0;
    }

    long onStylusUp(tagPOINT point) override
    {
        note(L"stylus up at %ld, %ld", point);
        return 0;
    }

    // Only with Config::doubleClicks: the second tap of a double-tap comes as this instead
    // of a second onStylusDown.
    long onStylusDblClk(tagPOINT point) override
    {
        trailCount = 0;
        note(L"double-tap at %ld, %ld: cleared", point);
        return 0;
    }

    // The key list names the device's own keys (turned with the screen, so that vkUp is
    // the key that points up); their codes differ from one handheld to the next.
    long onKeyDown(unsigned long key, KeyList& keys) override
    {
        const long index = keyIndex(key, keys);
        wchar_t text[48];
        std::swprintf(text, 48, L"key down: %ls", index >= 0 ? names[index] : L"another key");
        push(text);
        if (index == Start)
            return quitCode;
        if (index >= 0)
            held[index] = true;
        return 0;
    }

    long onKeyUp(unsigned long key, KeyList& keys) override
    {
        const long index = keyIndex(key, keys);
        if (index >= 0)
            held[index] = false;
        return 0;
    }

private:
    struct TrailPoint {
        long x, y;
        bool startsStroke;
    };

    static long keyIndex(unsigned long key, const KeyList& keys)
    {
        const uint32_t order[keyCount] = {keys.vkUp,    keys.vkDown, keys.vkLeft, keys.vkRight,
                                          keys.vkStart, keys.vkA,    keys.vkB,    keys.vkC};
        for (long i = 0; i < keyCount; ++i)
            if (order[i] == key)
                return i;
        return -1;
    }

    // The device's pad as a picture: each key bright while it is held.
    void drawPad(Panel* panel)
    {
        const long keyX[keyCount] = {40, 40, 22, 58, 120, 170, 194, 218};
        const long keyY[keyCount] = {214, 250, 232, 232, 244, 226, 214, 202};
        for (long i = 0; i < keyCount; ++i) {
            // The keys are squares, Start a wider, flatter button.
            const long halfWidth = i == Start ? 17 : 9, halfHeight = i == Start ? 6 : 9;
            Utility::Rect r(keyX[i] - halfWidth, keyY[i] - halfHeight, keyX[i] + halfWidth, keyY[i] + halfHeight);
            panel->fillRect(held[i] ? RGB(255, 120, 80) : RGB(70, 74, 96), &r, 255);
            panel->drawRect(RGB(150, 154, 180), &r, 255);
            if (i >= Start) {
                panel->drawText(keyX[i], keyY[i] - 3, Font::getSystemFont(), TextAlign::Center, labels[i - Start]);
                continue;
            }
            // The arrows: a triangle pointing the key's way, a row (or column) at a time.
            for (long step = 0; step < 4; ++step) {
                const long tip = i == Up || i == Left ? -3 + step : 3 - step;
                const bool upright = i == Up || i == Down;
                const long across = upright ? keyX[i] : keyY[i], along = (upright ? keyY[i] : keyX[i]) + tip;
                Utility::Rect line = upright ? Utility::Rect(across - step, along, across + step + 1, along + 1)
                                             : Utility::Rect(along, across - step, along + 1, across + step + 1);
                panel->fillRect(RGB(230, 232, 240), &line, 255);
            }
        }
    }

    void add(tagPOINT point, bool startsStroke)
    {
        if (point.y < fieldTop || point.y >= fieldBottom)
            return;
        if (trailCount == trailLength) {  // the oldest point makes room
            for (long i = 1; i < trailLength; ++i)
                trail[i - 1] = trail[i];
            --trailCount;
        }
        trail[trailCount++] = TrailPoint{point.x, point.y, startsStroke};
    }

    void note(const wchar_t* format, tagPOINT point)
    {
        wchar_t text[48];
        std::swprintf(text, 48, format, static_cast<long>(point.x), static_cast<long>(point.y));
        push(text);
    }

    void push(const wchar_t* text)
    {
        for (long i = 0; i + 1 < logLines; ++i)
            std::wcscpy(log[i], log[i + 1]);
        std::wcsncpy(log[logLines - 1], text, 47);
    }

    const wchar_t* names[keyCount] = {L"up", L"down", L"left", L"right", L"Start", L"A", L"B", L"C"};
    const wchar_t* labels[4] = {L"Start", L"A", L"B", L"C"};
    TrailPoint trail[trailLength] = {};
    long trailCount = 0;
    bool held[keyCount] = {};
    long x = 120, y = 110;
    wchar_t log[logLines][48] = {};
};

class InputGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Input";
        config->doubleClicks = true;  // without it, a double-tap is two taps
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        field.addEventHandler(&input, nullptr, false, false);
        addState(&field);
        setInitialState(&field);
        return 0;
    }

private:
    State field;
    InputHandler input;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    InputGame* game = new InputGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
