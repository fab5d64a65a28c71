// Panels: a window on the screen holds a list that scrolls by itself and a rocket that
// flies through it; both are cut off at the list's edges. Drag the window by its title bar;
// the Start key (Enter in the window) ends the program.
//
// A panel is a rectangle of the screen with its own origin: whatever is drawn through it
// takes the panel's coordinates and is clipped to it, so a part of the screen can be drawn
// without knowing where it is. Panels nest: a child sits in its parent's coordinates,
// moves with it and is clipped to it as well.

#include <Parvolin/Parvolin.h>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr long titleHeight = 14;
const unsigned long magenta = RGB(255, 0, 255);

const wchar_t* const credits[] = {L"PARVOLIN",      L"",           L"Panels clip",    L"what is drawn",
                                  L"through them.", L"",           L"This list is a", L"child of the",
                                  L"window, which", L"is a child", L"of the screen.", L"",
                                  L"Drag the title", L"bar to move", L"the window.",  L""};
constexpr long creditLines = sizeof(credits) / sizeof(credits[0]);

// Draws the screen behind the window and says where the window is.
class DesktopHandler : public EventHandler {
public:
    explicit DesktopHandler(Panel& window) : window(window) {}

    long onNextFrame(Surface* surface, Panel* panel) override
    {
        surface->fillRect(RGB(30, 70, 90), nullptr, 255);
        for (unsigned long y = 8; y < surface->getHeight(); y += 16)
            for (unsigned long x = 8 + (y / 16 % 2) * 8; x < surface->getWidth(); x += 16)
                surface->setPixel(x, y, RGB(60, 110, 130));
        const tagRECT area = window.getArea();
        panel->drawFormattedText(6, 306, Font::getSystemFont(), TextAlign::Left, L"Window at (%ld, %ld), %lu child",
                                 static_cast<long>(area.left), static_cast<long>(area.top), window.getChildCount());
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    Panel& window;
};

// Draws the window through its panel: (0, 0) is the window's corner wherever it is.
class WindowHandler : public EventHandler {
public:
    WindowHandler(Panel& window, Panel& list) : window(window), list(list) {}
    ~WindowHandler() { rocket.free(); }

    long load() { return rocket.create(L"rocket.bmp"); }

    long onNextFrame(Surface*, Panel* panel) override
    {
        const long width = static_cast<long>(panel->getWidth()), height = static_cast<long>(panel->getHeight());
        Utility::Rect all(0, 0, width, height);
        Utility::Rect title(0, 0, width, titleHeight);
        panel->fillRect(RGB(235, 230, 215), &all, 255);
        panel->fillRect(dragging ? RGB(200, 90, 40) : RGB(60, 60, 120), &title, 255);
        panel->drawRect(RGB(20, 20, 30), &all, 255);
        panel->drawText(width / 2, 4, Font::getSystemFontWithBorder(), TextAlign::Center, L"A window");

        // The list: lines move up a pixel a frame and come round again. Those partly
        // outside the list are cut at its edge, glyph rows and all.
        ++tick;
        Utility::Rect listArea(0, 0, list.getWidth(), list.getHeight());
        list.fillRect(RGB(20, 24, 40), &listArea, 255);
        const long lineHeight = 12, loop = creditLines * lineHeight;
        for (long line = 0; line < creditLines * 2; ++line) {
            const long y = line * lineHeight - tick % loop;
            list.drawText(static_cast<long>(list.getWidth()) / 2, y + 4, Font::getSystemFont(), TextAlign::Center,
                          credits[line % creditLines]);
        }
        // The rocket crosses the list from edge to edge and beyond: the panel clips it.
        ColorKeyShader noMagenta(magenta);
        list.bltFast(tick * 2 % 200 - 50, 60, &rocket, nullptr, &noMagenta);
        return 0;
    }

    // This handler is registered with relativeToPanel: points come in the window's
    // coordinates. With outsidePanel it hears the stylus outside the window too, so that a
    // fast drag does not lose it.
    long onStylusDown(tagPOINT point) override
    {
        dragging = point.x >= 0 && point.x < static_cast<long>(window.getWidth()) && point.y >= 0 &&
                   point.y < titleHeight;
        grab = point;
        return 0;
    }

    long onStylusMove(tagPOINT point) override
    {
        if (dragging) {
            // The point is in the window's coordinates, so the window moves by its distance
            // from where it was grabbed. A move that would leave the screen is refused
            // (ResultCode::InvalidCoordinates) and the window stays.
            tagPOINT offset = {point.x - grab.x, point.y - grab.y};
            window.move(offset);
        }
        return 0;
    }

    long onStylusUp(tagPOINT) override
    {
        dragging = false;
        return 0;
    }

private:
    Panel& window;
    Panel& list;
    Surface rocket;
    long tick = 0;
    bool dragging = false;
    tagPOINT grab = {0, 0};
};

class PanelsGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Panels";
        return 0;
    }

    // `screen` is the panel over the whole back buffer; the window goes inside it and the
    // list inside the window, each at an area of its parent's coordinates.
    long onInit(Surface*, Panel* screen, Application*) override
    {
        if (long result = windowHandler.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"rocket.bmp", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        screen->addChild(&window, Utility::Rect(40, 60, 200, 250));
        window.addChild(&list, Utility::Rect(8, titleHeight + 8, 152, 182));

        desk.addEventHandler(&desktop, nullptr, false, false);
        desk.addEventHandler(&windowHandler, &window, true, true);
        addState(&desk);
        setInitialState(&desk);
        return 0;
    }

private:
    Panel window;
    Panel list;
    State desk;
    DesktopHandler desktop{window};
    WindowHandler windowHandler{window, list};
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    PanelsGame* game = new PanelsGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
