// Animation: gold coins spin on ledges; tap one to collect it. When every coin is taken
// they all come back. The Start key (Enter in the window) ends the program.
//
// An Animation plays a sprite sheet: frames of one size in a grid, shown one per draw,
// numbered row by row. Nothing else sets its pace, so the game's frame rate is its speed.
// A subclass can choose the frames itself, as the wobbling coin at the top does.

#include <Parvolin/Parvolin.h>

#include <cstdlib>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr int coinCount = 6;

// Turns a little way and back: frames 0, 1, 2, 3, 2, 1, over and over.
class Wobble : public Animation {
public:
    Wobble(SurfaceRGBA* sheet) : Animation(sheet, 2, 4) {}

protected:
    unsigned long getNextFrame() override
    {
        step = (step + 1) % 6;
        return step < 4 ? step : 6 - step;
    }

private:
    unsigned long step = 0;
};

struct Ledge {
    long x, y, width;
};
const Ledge ledges[coinCount] = {{20, 110, 50},  {150, 90, 70},  {90, 160, 60},
                                 {10, 220, 60},  {160, 200, 60}, {80, 270, 80}};

class CoinHandler : public EventHandler {
public:
    ~CoinHandler()
    {
        for (Animation* spin : spins)
            delete spin;
        delete wobbling;
        sheet.free();
    }

    long load()
    {
        if (long result = sheet.create(L"coins.png"))
            return result;
        // An animation takes its frames' size from the sheet when it is made: after the
        // sheet is loaded, then. 2 rows of 4 frames; the sheet is borrowed, not copied.
        for (Animation*& spin : spins)
            spin = new Animation(&sheet, 2, 4);
        wobbling = new Wobble(&sheet);
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        // Coins stand on their ledges: the point of a frame placed at the draw position
        // is its bottom middle rather than its centre.
        for (Animation* spin : spins)
            spin->setCenter(tagPOINT{12, 23});
        for (bool& here : present)
            here = true;
        return 0;
    }

    long onNextFrame(Surface* surface, Panel* panel) override
    {
        for (unsigned long y = 0; y < surface->getHeight(); y += 8) {
            Utility::Rect band(0, y, surface->getWidth(), y + 8);
            surface->fillRect(RGB(110 + y / 4, 170 + y / 8, 235), &band, 255);
        }
        Font* font = Font::getSystemFontWithBorder();
        surface->drawFormattedText(8, 8, font, TextAlign::Left, L"Coins: %ld", score);
        surface->drawText(surface->getWidth() / 2, 300, font, TextAlign::Center, L"Tap a coin to collect it");
        wobbling->draw(panel, 220, 16);

        for (int i = 0; i < coinCount; ++i) {
            const Ledge& ledge = ledges[i];
            Utility::Rect grass(ledge.x, ledge.y, ledge.x + ledge.width, ledge.y + 4);
            Utility::Rect earth(ledge.x, ledge.y + 4, ledge.x + ledge.width, ledge.y + 12);
            surface->fillRect(RGB(70, 170, 60), &grass, 255);
            surface->fillRect(RGB(120, 80, 40), &earth, 255);
        }
        // Each coin has its own animation, since each draw shows the next frame. The sheet
        // is drawn with its alpha, through the panel.
        bool drewOne = false;
        for (int i = 0; i < coinCount; ++i)
            if (present[i]) {
                spins[i]->draw(panel, ledges[i].x + ledges[i].width / 2, ledges[i].y);
                drewOne = true;
            }
        if (!drewOne) {
            surface->drawText(surface->getWidth() / 2, 150, font, TextAlign::Center, L"All collected!");
            if (++waited == 48) {  // three seconds at 16 frames a second
                waited = 0;
                for (bool& here : present)
                    here = true;
            }
        }
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        for (int i = 0; i < coinCount; ++i) {
            const long x = ledges[i].x + ledges[i].width / 2, y = ledges[i].y - 12;
            if (present[i] && std::labs(point.x - x) < 14 && std::labs(point.y - y) < 14) {
                present[i] = false;
                ++score;
            }
        }
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    SurfaceRGBA sheet;
    Animation* spins[coinCount] = {};
    Wobble* wobbling = nullptr;
    bool present[coinCount];
    long score = 0;
    long waited = 0;
};

class CoinsGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Animation";
        config->fps = 16;  // the coins' 8 frames make two half turns a second
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        if (long result = coins.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"coins.png", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        level.addEventHandler(&coins, nullptr, false, false);
        addState(&level);
        setInitialState(&level);
        return 0;
    }

private:
    State level;
    CoinHandler coins;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    CoinsGame* game = new CoinsGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
