// A whole frame of a handheld game, the same work in Parvolin and in SDL2 software
// surfaces in one run: a full-screen background copy, 60 colour-keyed 16x16 sprites, 20
// sprites with per-pixel alpha at 32x32, 4 translucent rectangles at opacity 128, 3 lines
// of 30 characters, and the frame shown. Parvolin flips its back buffer to the emulated
// frame buffer; SDL2 blits its RGB565 back buffer to an RGB565 window surface. SDL2 has
// its best settings for each part: RLE for keyed sprites and glyphs, its blend modes for
// alpha. Items are frames.
#include "BenchRatios.h"

#include "display/Display.h"
#include "graphics/KeyShaders.h"
#include "graphics/SurfaceRGBA.h"
#include "platform/device/DeviceProfile.h"
#include "platform/windows/Windows.h"
#include "text/Font.h"
#include "text/SystemFontImages.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <random>
#include <string>
#include <vector>

namespace {

const uint16_t key = 0xF81F;
constexpr int keyedCount = 60, keyedSize = 16;
constexpr int alphaCount = 20, alphaSize = 32;
const wchar_t* const lines[3] = {L"Score 0012500   Lives 3  Lv 7", L"Time 01:42  Bonus x2  Combo 15",
                                 L"Press START to pause the game!"};

struct Screen {
    const char* device;
    int width;
    int height;
};

struct Place {
    int x;
    int y;
};

// Where everything of a frame goes: the same places for both.
struct Layout {
    explicit Layout(const Screen& screen)
    {
        std::mt19937 random(3);
        for (int i = 0; i < keyedCount; ++i)
            keyed.push_back(Place{static_cast<int>(random() % (screen.width - keyedSize)),
                                  static_cast<int>(random() % (screen.height - keyedSize))});
        for (int i = 0; i < alphaCount; ++i)
            alpha.push_back(Place{static_cast<int>(random() % (screen.width - alphaSize)),
                                  static_cast<int>(random() % (screen.height - alphaSize))});
        for (int i = 0; i < 4; ++i)
            rects.push_back(SDL_Rect{screen.width / 8 + i * 4, screen.height / 6 + i * screen.height / 5,
                                     screen.width / 2, screen.height / 8});
        for (int i = 0; i < 3; ++i)
            text.push_back(Place{4, 8 + i * 10});
    }
    std::vector<Place> keyed, alpha, text;
    std::vector<SDL_Rect> rects;
};

// Drawn sprites: a round shape of random colours on the key (keyed), or with an opaque
// middle, a soft edge and a transparent outside (alpha).
// Random colours with the lowest green bit set, which the key does not have.
uint16_t spritePixel(std::mt19937& random) { return static_cast<uint16_t>(random() | 0x0020); }
bool insideCircle(int x, int y, int size)
{
    const int dx = 2 * x - size + 1, dy = 2 * y - size + 1;
    return dx * dx + dy * dy <= size * size;
}
uint8_t alphaAt(int x, int y)
{
    const int dx = 2 * x - alphaSize + 1, dy = 2 * y - alphaSize + 1, distance = dx * dx + dy * dy;
    if (distance < 20 * 20)
        return 255;
    if (distance > 30 * 30)
        return 0;
    return static_cast<uint8_t>(255 - (distance - 400) * 255 / 500);
}
std::vector<uint16_t> keyedPixels()
{
    std::mt19937 random(5);
    std::vector<uint16_t> pixels(keyedSize * keyedSize);
    for (int y = 0; y < keyedSize; ++y)
        for (int x = 0; x < keyedSize; ++x) {
            const uint16_t p = spritePixel(random);
            pixels[y * keyedSize + x] = insideCircle(x, y, keyedSize) ? p : key;
        }
    return pixels;
}
std::vector<uint16_t> alphaPixels()
{
    std::mt19937 random(6);
    std::vector<uint16_t> pixels(alphaSize * alphaSize);
    for (uint16_t& p : pixels)
        p = spritePixel(random);
    return pixels;
}
std::vector<uint16_t> backgroundPixels(const Screen& screen)
{
    std::vector<uint16_t> pixels(static_cast<size_t>(screen.width) * screen.height);
    for (int y = 0; y < screen.height; ++y)
        for (int x = 0; x < screen.width; ++x)
            pixels[static_cast<size_t>(y) * screen.width + x] = static_cast<uint16_t>(((x / 8) << 11) | ((y / 6) << 5) | ((x + y) & 31));
    return pixels;
}

void copyInto(Surface& surface, const std::vector<uint16_t>& pixels)
{
    Surface::Buffer view;
    surface.getBuffer(&view);
    std::memcpy(view.pixels, pixels.data(), pixels.size() * 2);
}

HWND benchWindow()
{
    static HWND window = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"ParvolinFrameBench";
        RegisterClassW(&windowClass);
        return CreateWindowExW(0, L"ParvolinFrameBench", L"frame", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    }();
    return window;
}

class BenchDisplay : public Display {
public:
    BenchDisplay() = default;
    ~BenchDisplay() override = default;
};

void parvolinFrame(benchmark::State& state, Screen screen)
{
    DeviceProfiles::select(screen.device);
    Config config;
    config.nativeResolution = screen.width > 240 ? 1 : 0;
    BenchDisplay display;
    Font* font = Font::getSystemFont();
    if (display.openDisplay(benchWindow(), &config) != 0 || !font) {
        state.SkipWithError("the display or the font does not open");
        return;
    }
    Surface* back = display.getBackBuffer();
    Surface background, keyed;
    SurfaceRGBA alpha;
    background.create(static_cast<unsigned long>(screen.width), static_cast<unsigned long>(screen.height));
    copyInto(background, backgroundPixels(screen));
    keyed.create(static_cast<unsigned long>(keyedSize), static_cast<unsigned long>(keyedSize));
    copyInto(keyed, keyedPixels());
    alpha.create(static_cast<unsigned long>(alphaSize), static_cast<unsigned long>(alphaSize));
    copyInto(alpha, alphaPixels());
    std::vector<uint16_t> weights(alphaSize * alphaSize);
    for (int y = 0; y < alphaSize; ++y)
        for (int x = 0; x < alphaSize; ++x) {
            const uint8_t a = alphaAt(x, y);
            weights[y * alphaSize + x] = static_cast<uint16_t>(((a >> 3) << 11) | ((a >> 2) << 5) | (a >> 3));
        }
    copyInto(*alpha.getAlphaSurface(), weights);
    ColorKeyShader keyShader(0x00FF00FF);
    const Layout layout(screen);
    for (auto _ : state) {
        back->bltFast(0, 0, &background, nullptr, nullptr);
        for (const Place& p : layout.keyed)
            back->bltFast(static_cast<unsigned long>(p.x), static_cast<unsigned long>(p.y), &keyed, nullptr, &keyShader);
        for (const Place& p : layout.alpha)
            back->alphaBltFast(static_cast<unsigned long>(p.x), static_cast<unsigned long>(p.y), &alpha, nullptr, nullptr);
        for (SDL_Rect r : layout.rects) {
            tagRECT rect{r.x, r.y, r.x + r.w, r.y + r.h};
            back->fillRect(0x00204080, &rect, 128);
        }
        for (int i = 0; i < 3; ++i)
            back->drawText(static_cast<unsigned long>(layout.text[i].x), static_cast<unsigned long>(layout.text[i].y),
                           font, 0, lines[i]);
        display.flip();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    background.free();
    keyed.free();
    alpha.free();
    display.closeDisplay();
}

SDL_Surface* rgb565(int width, int height)
{
    return SDL_CreateRGBSurfaceWithFormat(0, width, height, 16, SDL_PIXELFORMAT_RGB565);
}

SDL_Surface* rgb565From(const std::vector<uint16_t>& pixels, int width, int height)
{
    SDL_Surface* surface = rgb565(width, height);
    for (int y = 0; y < height; ++y)
        std::memcpy(static_cast<char*>(surface->pixels) + y * surface->pitch, &pixels[static_cast<size_t>(y) * width],
                    static_cast<size_t>(width) * 2);
    return surface;
}

// The glyph rectangles of the font strip, found from its marker row as the font does, in
// the order of the built-in font's characters.
struct SdlFont {
    SdlFont()
    {
        size_t size = 0;
        const unsigned char* bytes = SystemFontImages::plain(size);
        strip.create(const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size));
        Surface::Buffer view;
        strip.getBuffer(&view);
        glyphs = SDL_CreateRGBSurfaceWithFormatFrom(view.pixels, static_cast<int>(view.width),
                                                    static_cast<int>(view.height), 16, static_cast<int>(view.width * 2),
                                                    SDL_PIXELFORMAT_RGB565);
        SDL_SetColorKey(glyphs, SDL_TRUE, 0xF81F);
        SDL_SetSurfaceRLE(glyphs, 1);
        int x = 0;
        const int width = static_cast<int>(view.width);
        while (x < width) {
            while (x < width && view.pixels[x] != 0xFFFF)
                ++x;
            const int start = x;
            while (x < width && view.pixels[x] == 0xFFFF)
                ++x;
            if (x < width)
                rects.push_back(SDL_Rect{start, 1, x - start, static_cast<int>(view.height) - 1});
        }
    }
    ~SdlFont()
    {
        SDL_FreeSurface(glyphs);
        strip.free();
    }
    // Glyph by glyph with one pixel between, as the built-in font spaces them.
    void draw(SDL_Surface* target, int x, int y, const wchar_t* text) const
    {
        const wchar_t* order = L" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!?\"'#$%&()[]{}_.,;:<>/*-+\\@|";
        for (; *text; ++text) {
            const wchar_t* at = std::wcschr(order, *text);
            const size_t index = at ? static_cast<size_t>(at - order) : rects.size();
            if (index >= rects.size())
                continue;
            SDL_Rect glyph = rects[index];
            SDL_Rect to{x, y, 0, 0};
            SDL_BlitSurface(glyphs, &glyph, target, &to);
            x += glyph.w + 1;
        }
    }
    Surface strip;
    SDL_Surface* glyphs;
    std::vector<SDL_Rect> rects;
};

void sdlFrame(benchmark::State& state, Screen screen)
{
    SDL_Surface* window = rgb565(screen.width, screen.height);
    SDL_Surface* back = rgb565(screen.width, screen.height);
    SDL_Surface* background = rgb565From(backgroundPixels(screen), screen.width, screen.height);
    SDL_Surface* keyed = rgb565From(keyedPixels(), keyedSize, keyedSize);
    SDL_SetColorKey(keyed, SDL_TRUE, key);
    SDL_SetSurfaceRLE(keyed, 1);
    // Per-pixel alpha lives in 32-bit ARGB sources.
    SDL_Surface* alpha = SDL_CreateRGBSurfaceWithFormat(0, alphaSize, alphaSize, 32, SDL_PIXELFORMAT_ARGB8888);
    const auto pixels = alphaPixels();
    for (int y = 0; y < alphaSize; ++y)
        for (int x = 0; x < alphaSize; ++x) {
            const uint16_t p = pixels[y * alphaSize + x];
            static_cast<Uint32*>(alpha->pixels)[y * (alpha->pitch / 4) + x] =
                (Uint32(alphaAt(x, y)) << 24) | ((p >> 11) << 19) | (((p >> 5) & 63) << 10) | ((p & 31) << 3);
        }
    SDL_SetSurfaceBlendMode(alpha, SDL_BLENDMODE_BLEND);
    // A translucent rectangle: a solid surface blended at alpha 128, SDL's own fast case.
    const Layout layout(screen);
    SDL_Surface* shade = rgb565(layout.rects[0].w, layout.rects[0].h);
    SDL_FillRect(shade, nullptr, 0x8204);
    SDL_SetSurfaceBlendMode(shade, SDL_BLENDMODE_BLEND);
    SDL_SetSurfaceAlphaMod(shade, 128);
    const SdlFont font;
    for (auto _ : state) {
        SDL_BlitSurface(background, nullptr, back, nullptr);
        for (const Place& p : layout.keyed) {
            SDL_Rect to{p.x, p.y, 0, 0};
            SDL_BlitSurface(keyed, nullptr, back, &to);
        }
        for (const Place& p : layout.alpha) {
            SDL_Rect to{p.x, p.y, 0, 0};
            SDL_BlitSurface(alpha, nullptr, back, &to);
        }
        for (SDL_Rect r : layout.rects)
            SDL_BlitSurface(shade, nullptr, back, &r);
        for (int i = 0; i < 3; ++i)
            font.draw(back, layout.text[i].x, layout.text[i].y, lines[i]);
        SDL_BlitSurface(back, nullptr, window, nullptr);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations());
    SDL_FreeSurface(shade);
    SDL_FreeSurface(alpha);
    SDL_FreeSurface(keyed);
    SDL_FreeSurface(background);
    SDL_FreeSurface(back);
    SDL_FreeSurface(window);
}

} // namespace

int main(int argc, char** argv)
{
    // The frames are measured, not shown.
    setenv("PARVOLIN_VIDEO", "headless", 1);
    for (Screen screen : {Screen{"pocketpc2003", 240, 320}, Screen{"pocketpc2005-vga", 480, 640}}) {
        const std::string work = "frame " + std::to_string(screen.width) + "x" + std::to_string(screen.height);
        benchmark::RegisterBenchmark((work + "/parvolin").c_str(), parvolinFrame, screen);
        benchmark::RegisterBenchmark((work + "/SDL2").c_str(), sdlFrame, screen);
    }
    return BenchRatios::runAll(argc, argv);
}
