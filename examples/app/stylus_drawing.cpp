// A drawing pad: the stylus draws in the colour picked from the bar at the top, a
// double-tap clears the pad, and the box in the top-right corner ends the program. The
// device's keys work too: left and right pick the colour, A clears the pad.
//
// The skeleton of every game: configure, build the states in onInit, handle the frames.

#include <Parvolin/Parvolin.h>

namespace {

const unsigned long palette[] = {0xFFFFFF, 0x0000FF, 0x00FF00, 0xFF0000, 0x00FFFF};  // COLORREF: 0x00BBGGRR
constexpr long colours = sizeof(palette) / sizeof(palette[0]);
constexpr long bar = 24;          // height of the colour bar
constexpr long quitCode = 1;      // no jump is registered for it, so it ends the game

class DrawingHandler : public EventHandler {
public:
    ~DrawingHandler() { canvas.free(); }

    long onInit(Surface* surface, Panel*, Application*) override
    {
        width = static_cast<long>(surface->getWidth());
        if (!canvas.getWidth())
            canvas.create(surface->getWidth(), surface->getHeight() - bar);
        return clear();
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        // A new surface's pixels, the back buffer's too, are whatever the memory held: a
        // frame draws every pixel of the screen, the bar's empty stretch included.
        tagRECT barArea = {0, 0, static_cast<int32_t>(width), bar};
        surface->fillRect(0x202020, &barArea, 255);
        surface->bltFast(0, bar, &canvas, nullptr, nullptr);
        for (long i = 0; i < colours; ++i) {
            tagRECT swatch = {static_cast<int32_t>(i * bar), 0, static_cast<int32_t>((i + 1) * bar), bar};
            surface->fillRect(palette[i], &swatch, 255);
            if (i == picked)
                surface->drawRect(0x808080, &swatch, 255);
        }
        tagRECT closeBox = {static_cast<int32_t>(width - bar), 0, static_cast<int32_t>(width), bar};
        surface->fillRect(0x000080, &closeBox, 255);
        surface->drawLine(width - bar + 4, 4, width - 5, bar - 5, 0xFFFFFF, 255);
        surface->drawLine(width - 5, 4, width - bar + 4, bar - 5, 0xFFFFFF, 255);
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        if (point.y >= bar) {
            drawing = true;
            last = point;
            return onStylusMove(point);
        }
        if (point.x >= width - bar)
            return quitCode;
        if (point.x >= 0 && point.x / bar < colours)
            picked = point.x / bar;
        return 0;
    }

    long onStylusMove(tagPOINT point) override
    {
        if (!drawing)
            return 0;
        point.y = point.y < bar ? bar : point.y;  // the canvas starts below the bar
        canvas.drawLine(last.x, last.y - bar, point.x, point.y - bar, palette[picked], 255);
        last = point;
        return 0;
    }

    long onStylusUp(tagPOINT point) override
    {
        onStylusMove(point);
        drawing = false;
        return 0;
    }

    long onStylusDblClk(tagPOINT) override { return clear(); }

    // The key list names the device's own keys, turned with the screen.
    long onKeyDown(unsigned long key, KeyList& keys) override
    {
        if (key == keys.vkLeft && picked > 0)
            --picked;
        else if (key == keys.vkRight && picked < colours - 1)
            ++picked;
        else if (key == keys.vkA)
            return clear();
        return 0;
    }

private:
    long clear() { return canvas.fillRect(0x303030, nullptr, 255); }

    Surface canvas;
    long width = 0;
    long picked = 0;
    bool drawing = false;
    tagPOINT last = {0, 0};
};

class StylusDrawing : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Stylus drawing";
        config->doubleClicks = true;
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        pad.addEventHandler(&drawing, nullptr, false, false);
        addState(&pad);
        setInitialState(&pad);
        return 0;
    }

private:
    State pad;
    DrawingHandler drawing;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    StylusDrawing* game = new StylusDrawing();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
