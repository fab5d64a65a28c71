// Sprites and alpha: a rocket flies to and fro over a night sky while three glowing orbs
// circle. Tap to move the orbs' circle; the Start key (Enter in the window) ends the program.
//
// A sprite is rarely a rectangle, and there are two ways to leave out the rest of it:
// - a colour key: one colour of the picture (here magenta) is not drawn. Any format will
//   do, BMP included, and it is the fastest blit; but an edge is either in or out.
// - an alpha channel: every pixel has its own opacity (a PNG's alpha, in a SurfaceRGBA),
//   for soft edges, glows and shadows, at the price of a blend per pixel.

#include <Parvolin/Parvolin.h>

#include <cmath>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
const unsigned long magenta = RGB(255, 0, 255);

class SkyHandler : public EventHandler {
public:
    ~SkyHandler()
    {
        // Surfaces share their pixels when copied, so they are released by hand, once.
        sky.free();
        rocket.free();
        rocketLeft.free();
        orb.free();
    }

    // Called by the game's onInit, before the first frame: without its pictures the game
    // cannot start. Paths without a scheme are taken from the program's folder.
    long load(const wchar_t*& failed)
    {
        failed = L"rocket.bmp";
        if (long result = rocket.create(failed))
            return result;
        // Mirrored once here rather than every frame: the rocket flying left.
        rocketLeft.create(rocket.getWidth(), rocket.getHeight());
        if (long result = rocketLeft.blt(nullptr, &rocket, nullptr, 0, Surface::FLIP_HORIZONTAL, nullptr))
            return result;
        failed = L"orb.png";
        return orb.create(failed);  // a SurfaceRGBA takes the PNG's alpha as its alpha plane
    }

    long onInit(Surface* surface, Panel*, Application*) override
    {
        // The sky is drawn once into a surface of its own; each frame starts with a copy.
        sky.create(surface->getWidth(), surface->getHeight());
        const long height = static_cast<long>(sky.getHeight());
        for (long y = 0; y < height; y += 4) {
            Utility::Rect band(0, y, sky.getWidth(), y + 4);
            sky.fillRect(RGB(10, 12 + y / 12, 40 + y / 5), &band, 255);
        }
        uint32_t seed = 7;
        for (int star = 0; star < 70; ++star) {
            seed = seed * 1103515245 + 12345;  // the same stars in every run
            sky.setPixel((seed >> 8) % sky.getWidth(), (seed >> 20) % sky.getHeight(),
                         star % 3 ? RGB(150, 150, 190) : RGB(255, 255, 230));
        }
        return 0;
    }

    long onNextFrame(Surface* surface, Panel* panel) override
    {
        surface->bltFast(0, 0, &sky, nullptr, nullptr);
        ++tick;

        // The rocket goes 3 pixels a frame, off one side and back from it. It is drawn
        // through the panel, which clips what lies outside: a Surface blit would refuse a
        // sprite that does not fit whole (ResultCode::InvalidCoordinates).
        const long lap = (tick * 3) % 640;
        const bool right = lap < 320;
        const long x = right ? lap - 40 : 600 - lap;
        const long y = 140 + static_cast<long>(10 * std::sin(tick / 8.0));
        ColorKeyShader noMagenta(magenta);
        panel->bltFast(x, y, right ? &rocket : &rocketLeft, nullptr, &noMagenta);

        // The orbs blend with whatever is below them, the rocket included.
        for (int k = 0; k < 3; ++k) {
            const double angle = tick / 20.0 + k * 2.0944;
            panel->alphaBltFast(centre.x - 24 + static_cast<long>(45 * std::cos(angle)),
                                centre.y - 24 + static_cast<long>(45 * std::sin(angle)), &orb, nullptr, nullptr);
        }

        Font* font = Font::getSystemFontWithBorder();
        surface->drawText(surface->getWidth() / 2, 8, font, TextAlign::Center, L"Sprites and alpha");
        surface->drawText(8, 290, Font::getSystemFont(), TextAlign::Left, L"Rocket: BMP, magenta keyed out");
        surface->drawText(8, 302, Font::getSystemFont(), TextAlign::Left, L"Orbs: PNG with an alpha channel");
        return 0;
    }

    long onStylusDown(tagPOINT point) override
    {
        centre = point;
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    Surface sky;
    Surface rocket;
    Surface rocketLeft;
    SurfaceRGBA orb;
    long tick = 0;
    tagPOINT centre = {120, 220};
};

class SpritesGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Sprites and alpha";
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        const wchar_t* failed = nullptr;
        if (long result = sprites.load(failed)) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, failed, getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        night.addEventHandler(&sprites, nullptr, false, false);
        addState(&night);
        setInitialState(&night);
        return 0;
    }

private:
    State night;
    SkyHandler sprites;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    SpritesGame* game = new SpritesGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
