// Shaders: one small picture and one sprite drawn through each of the built-in shaders, two
// of them chained, and one shader of the game's own. A tap changes the colour the colour
// shaders work with; the Start key (Enter in the window) ends the program.
//
// A shader is handed to a blit and decides every pixel it draws from the pixel already
// there (the destination) and the picture's pixel (the source). The built-in ones work on
// the screen's own 16-bit pixels and cost little; a game's own overrides process(), which
// works on ordinary COLORREF colours and is slower, so it is for effects, not everything.

#include <Parvolin/Parvolin.h>

#include <cmath>

namespace {

constexpr long quitCode = 1;  // no jump is registered for it, so it ends the game
constexpr long tileWidth = 80, tileHeight = 73, top = 20;
const unsigned long magenta = RGB(255, 0, 255);
const unsigned long tints[] = {RGB(90, 170, 255), RGB(255, 190, 60), RGB(120, 255, 120), RGB(255, 110, 160)};

// A shader of the game's own: the photographic negative.
class NegativeShader : public Shader {
public:
    unsigned long process(unsigned long, unsigned long source) override { return ~source & 0xFFFFFF; }
};

class ShaderHandler : public EventHandler {
public:
    ~ShaderHandler()
    {
        picture.free();
        rocket.free();
    }

    long load() { return rocket.create(L"rocket.bmp"); }

    // The picture is drawn in code: a sunset over two hills.
    long onInit(Surface*, Panel*, Application*) override
    {
        picture.create(64, 48);
        for (long y = 0; y < 48; ++y)
            for (long x = 0; x < 64; ++x) {
                unsigned long colour = RGB(250 - y * 2, 120 + y * 2, 90 + y * 3);  // the sky
                if (std::hypot(x - 40.0, y - 22.0) < 9)
                    colour = RGB(255, 235, 120);  // the sun
                if (y > 34 + 6 * std::sin(x / 9.0) || y > 40 + 4 * std::cos(x / 5.0))
                    colour = RGB(40, 110 + (x * 3 + y * 5) % 30, 50);  // the hills
                picture.setPixel(x, y, colour);
            }
        return 0;
    }

    long onNextFrame(Surface* surface, Panel*) override
    {
        surface->fillRect(RGB(28, 30, 38), nullptr, 255);
        surface->drawText(surface->getWidth() / 2, 6, Font::getSystemFontWithBorder(), TextAlign::Center,
                          L"Shaders: tap to change the colour");

        const unsigned long tint = tints[tintIndex];
        MultiplyShader multiply(tint);
        ScreenShader screen(tint);
        OverlayShader overlay(tint);
        GrayScaleShader gray;
        OpacityShader half(128);
        ColorKeyShader key(magenta);
        FillForeShader silhouette(magenta, tint);
        FillBackShader background(magenta, tint);
        // A cascade hands the first shader's result to the second as its source: keyed
        // first, then blended, the rocket becomes a ghost; grey first, then tinted, the
        // picture is in shades of one colour.
        CascadeShader ghost(&key, &half);
        CascadeShader oldPhoto(&gray, &multiply);
        NegativeShader negative;

        struct Tile {
            const wchar_t* name;
            Shader* shader;
            bool sprite;  // the rocket over the picture, or the picture alone
        } tiles[] = {
            {L"none", nullptr, false},       {L"Multiply", &multiply, false},  {L"Screen", &screen, false},
            {L"Overlay", &overlay, false},   {L"GrayScale", &gray, false},     {L"Opacity 128", &half, false},
            {L"ColorKey", &key, true},       {L"FillFore", &silhouette, true}, {L"FillBack", &background, true},
            {L"key + opacity", &ghost, true}, {L"gray + multiply", &oldPhoto, false}, {L"our own", &negative, false},
        };
        for (long i = 0; i < 12; ++i) {
            const unsigned long x = (i % 3) * tileWidth + 8, y = top + (i / 3) * tileHeight;
            surface->drawText(x + 32, y + 4, Font::getSystemFont(), TextAlign::Center, tiles[i].name);
            // A checkerboard behind the picture shows what a blending shader lets through.
            for (long square = 0; square < 48; ++square) {
                const long left = x + square % 8 * 8, top = y + 14 + square / 8 * 8;
                Utility::Rect r(left, top, left + 8, top + 8);
                surface->fillRect((square + square / 8) % 2 ? RGB(200, 200, 200) : RGB(90, 90, 90), &r, 255);
            }
            if (tiles[i].sprite) {
                surface->bltFast(x, y + 14, &picture, nullptr, nullptr);
                surface->bltFast(x + 12, y + 27, &rocket, nullptr, tiles[i].shader);
            } else {
                surface->bltFast(x, y + 14, &picture, nullptr, tiles[i].shader);
            }
        }
        return 0;
    }

    long onStylusDown(tagPOINT) override
    {
        tintIndex = (tintIndex + 1) % 4;
        return 0;
    }

    long onKeyDown(unsigned long key, KeyList& keys) override { return key == keys.vkStart ? quitCode : 0; }

private:
    Surface picture;
    Surface rocket;
    long tintIndex = 0;
};

class ShadersGame : public StateMachine {
public:
    long configure(Config* config) override
    {
        config->appName = L"Shaders";
        return 0;
    }

    long onInit(Surface*, Panel*, Application*) override
    {
        if (long result = tiles.load()) {
            // Say why, then end: a negative answer of the game's onInit ends the program.
            MessageBoxW(nullptr, L"rocket.bmp", getErrorTextForCode(result), MB_OK | MB_ICONERROR);
            return -1;
        }
        gallery.addEventHandler(&tiles, nullptr, false, false);
        addState(&gallery);
        setInitialState(&gallery);
        return 0;
    }

private:
    State gallery;
    ShaderHandler tiles;
};

} // namespace

int WinMain(HINSTANCE instance, HINSTANCE, LPWSTR, int)
{
    ShadersGame* game = new ShadersGame();
    game->setAppInstance(instance);
    long result = game->run();
    delete game;
    return static_cast<int>(result);
}
