// The blits against what a user would pick instead, in one run: a plain memcpy of the
// same rows, SDL2's SDL_BlitSurface / SDL_BlitScaled on RGB565 surfaces, and pixman's
// compositing on r5g6b5 images. Sprites are 64 x 64 drawn at 16 places of a 240 x 320
// back buffer; whole-screen work is 240 x 320. The peers do the same work, though not
// with the same rounding: pixman and SDL blend in 8-bit channels.
#include "BenchRatios.h"

#include "graphics/ColorShaders.h"
#include "graphics/KeyShaders.h"
#include "graphics/OpacityShader.h"
#include "graphics/SurfaceRGBA.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>
#include <pixman.h>

#include <cstring>
#include <random>
#include <utility>
#include <string>
#include <vector>

namespace {

constexpr int screenWidth = 240;
constexpr int screenHeight = 320;
constexpr int sprite = 64;
constexpr int places = 16;
const uint16_t key = 0xF81F;

// The 16 top-left corners the sprites are drawn at, some on odd pixel addresses.
struct Place {
    int x;
    int y;
};
std::vector<Place> spritePlaces()
{
    std::vector<Place> result;
    for (int i = 0; i < places; ++i)
        result.push_back(Place{(i * 37) % (screenWidth - sprite), (i * 53) % (screenHeight - sprite)});
    return result;
}

// Sprite pixels: random colours with a third of them the colour key; alpha with whole
// transparent and opaque areas and a soft band between, as drawn sprites have.
std::vector<uint16_t> spritePixels()
{
    std::mt19937 random(5);
    std::vector<uint16_t> pixels(sprite * sprite);
    for (uint16_t& p : pixels)
        p = random() % 3 == 0 ? key : static_cast<uint16_t>(random());
    return pixels;
}
uint8_t spriteAlpha(int x, int y)
{
    int dx = x - sprite / 2, dy = y - sprite / 2;
    int distance = dx * dx + dy * dy;
    if (distance < 20 * 20)
        return 255;
    if (distance > 30 * 30)
        return 0;
    return static_cast<uint8_t>(255 - (distance - 400) * 255 / 500);
}

void fillSurface(Surface& surface, const std::vector<uint16_t>& pixels)
{
    Surface::Buffer view;
    surface.getBuffer(&view);
    std::memcpy(view.pixels, pixels.data(), pixels.size() * 2);
}

void setSpriteItems(benchmark::State& state) { state.SetItemsProcessed(state.iterations() * places * sprite * sprite); }
void setScreenItems(benchmark::State& state) { state.SetItemsProcessed(state.iterations() * screenWidth * screenHeight); }

// ---- ours

// AlphaOpacity: the alpha sprite drawn at half opacity on top of its own alpha.
// KeyedRle: the keyed sprite with SDL's run-length encoding (SDL_RLEACCEL) on.
// Overlay, Screen, Gray and FillBack have no SDL counterpart: they are measured alone.
enum class Kind { Opaque, Keyed, KeyedRle, Opacity, Multiply, Alpha, AlphaOpacity, Overlay, Screen, Gray, FillBack };

void oursSprites(benchmark::State& state, Kind kind)
{
    Surface screen;
    screen.create(screenWidth, screenHeight);
    screen.fillRect(0x00336699, nullptr, 255);
    SurfaceRGBA image;
    image.create(sprite, sprite);
    fillSurface(image, spritePixels());
    std::vector<uint16_t> alpha(sprite * sprite);
    for (int y = 0; y < sprite; ++y)
        for (int x = 0; x < sprite; ++x) {
            uint8_t a = spriteAlpha(x, y);
            alpha[y * sprite + x] = static_cast<uint16_t>(((a >> 3) << 11) | ((a >> 2) << 5) | (a >> 3));
        }
    fillSurface(*image.getAlphaSurface(), alpha);
    ColorKeyShader keyShader(0x00FF00FF);
    OpacityShader opacity(128);
    MultiplyShader multiply(0x0080C0FF);
    OverlayShader overlay(0x0080C0FF);
    ScreenShader screenShader(0x0080C0FF);
    GrayScaleShader gray;
    FillBackShader fillBack(0x00FF00FF, 0x00336699);
    Shader* shader = kind == Kind::Keyed ? static_cast<Shader*>(&keyShader)
                     : kind == Kind::Opacity || kind == Kind::AlphaOpacity ? static_cast<Shader*>(&opacity)
                     : kind == Kind::Multiply ? static_cast<Shader*>(&multiply)
                     : kind == Kind::Overlay ? static_cast<Shader*>(&overlay)
                     : kind == Kind::Screen ? static_cast<Shader*>(&screenShader)
                     : kind == Kind::Gray ? static_cast<Shader*>(&gray)
                     : kind == Kind::FillBack ? static_cast<Shader*>(&fillBack)
                                              : nullptr;
    const auto where = spritePlaces();
    for (auto _ : state) {
        for (const Place& p : where) {
            if (kind == Kind::Alpha || kind == Kind::AlphaOpacity)
                screen.alphaBltFast(p.x, p.y, &image, nullptr, shader);
            else
                screen.bltFast(p.x, p.y, &image, nullptr, shader);
        }
        benchmark::ClobberMemory();
    }
    setSpriteItems(state);
    screen.free();
    image.free();
}

void oursScreenCopy(benchmark::State& state)
{
    Surface screen;
    Surface picture;
    screen.create(screenWidth, screenHeight);
    picture.create(screenWidth, screenHeight);
    picture.fillRect(0x00123456, nullptr, 255);
    for (auto _ : state) {
        screen.bltFast(0, 0, &picture, nullptr, nullptr);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
    screen.free();
    picture.free();
}

void oursScaled(benchmark::State& state, unsigned long angle)
{
    Surface screen;
    Surface picture;
    screen.create(screenWidth, screenHeight);
    // Scaling: a half-size picture doubled; rotation: the screen turned a quarter.
    if (angle == 0)
        picture.create(screenWidth / 2, screenHeight / 2);
    else
        picture.create(screenHeight, screenWidth);
    fillSurface(picture, std::vector<uint16_t>(picture.getWidth() * picture.getHeight(), 0x1234));
    for (auto _ : state) {
        screen.blt(nullptr, &picture, nullptr, angle, Surface::FLIP_NONE, nullptr);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
    screen.free();
    picture.free();
}

// ---- memcpy: the same rows copied as bytes

void memcpySprites(benchmark::State& state)
{
    std::vector<uint16_t> screen(screenWidth * screenHeight);
    const auto image = spritePixels();
    const auto where = spritePlaces();
    // The row length as a blitter knows it: at run time.
    size_t rowBytes = sprite * 2;
    benchmark::DoNotOptimize(rowBytes);
    for (auto _ : state) {
        for (const Place& p : where)
            for (int y = 0; y < sprite; ++y)
                std::memcpy(&screen[(p.y + y) * screenWidth + p.x], &image[y * sprite], rowBytes);
        benchmark::ClobberMemory();
    }
    setSpriteItems(state);
}

void memcpyScreen(benchmark::State& state)
{
    std::vector<uint16_t> screen(screenWidth * screenHeight);
    std::vector<uint16_t> picture(screenWidth * screenHeight, 0x1234);
    for (auto _ : state) {
        std::memcpy(screen.data(), picture.data(), picture.size() * 2);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
}

// ---- SDL2

SDL_Surface* sdlSurface(int width, int height, Uint32 format)
{
    return SDL_CreateRGBSurfaceWithFormat(0, width, height, SDL_BITSPERPIXEL(format), format);
}

void sdlSprites(benchmark::State& state, Kind kind)
{
    SDL_Surface* screen = sdlSurface(screenWidth, screenHeight, SDL_PIXELFORMAT_RGB565);
    SDL_FillRect(screen, nullptr, 0x3366);
    SDL_Surface* image;
    const auto pixels = spritePixels();
    if (kind == Kind::Alpha || kind == Kind::AlphaOpacity) {
        // SDL's per-pixel alpha lives in 32-bit ARGB sources.
        image = sdlSurface(sprite, sprite, SDL_PIXELFORMAT_ARGB8888);
        auto* argb = static_cast<Uint32*>(image->pixels);
        for (int y = 0; y < sprite; ++y)
            for (int x = 0; x < sprite; ++x) {
                uint16_t p = pixels[y * sprite + x];
                argb[y * (image->pitch / 4) + x] = (Uint32(spriteAlpha(x, y)) << 24) | ((p >> 11) << 19) |
                                                   (((p >> 5) & 63) << 10) | ((p & 31) << 3);
            }
        SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_BLEND);
        if (kind == Kind::AlphaOpacity)
            SDL_SetSurfaceAlphaMod(image, 128);
    } else {
        image = sdlSurface(sprite, sprite, SDL_PIXELFORMAT_RGB565);
        for (int y = 0; y < sprite; ++y)
            std::memcpy(static_cast<char*>(image->pixels) + y * image->pitch, &pixels[y * sprite], sprite * 2);
        if (kind == Kind::Keyed || kind == Kind::KeyedRle)
            SDL_SetColorKey(image, SDL_TRUE, key);
        if (kind == Kind::KeyedRle)
            SDL_SetSurfaceRLE(image, 1);
        if (kind == Kind::Opacity) {
            SDL_SetSurfaceBlendMode(image, SDL_BLENDMODE_BLEND);
            SDL_SetSurfaceAlphaMod(image, 128);
        }
        if (kind == Kind::Multiply)
            SDL_SetSurfaceColorMod(image, 0xFF, 0xC0, 0x80);
    }
    const auto where = spritePlaces();
    for (auto _ : state) {
        for (const Place& p : where) {
            SDL_Rect to{p.x, p.y, sprite, sprite};
            SDL_BlitSurface(image, nullptr, screen, &to);
        }
        benchmark::ClobberMemory();
    }
    setSpriteItems(state);
    SDL_FreeSurface(image);
    SDL_FreeSurface(screen);
}

void sdlScreenCopy(benchmark::State& state)
{
    SDL_Surface* screen = sdlSurface(screenWidth, screenHeight, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* picture = sdlSurface(screenWidth, screenHeight, SDL_PIXELFORMAT_RGB565);
    SDL_FillRect(picture, nullptr, 0x1234);
    for (auto _ : state) {
        SDL_BlitSurface(picture, nullptr, screen, nullptr);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(screen);
}

void sdlScaled(benchmark::State& state)
{
    SDL_Surface* screen = sdlSurface(screenWidth, screenHeight, SDL_PIXELFORMAT_RGB565);
    SDL_Surface* picture = sdlSurface(screenWidth / 2, screenHeight / 2, SDL_PIXELFORMAT_RGB565);
    SDL_FillRect(picture, nullptr, 0x1234);
    for (auto _ : state) {
        SDL_BlitScaled(picture, nullptr, screen, nullptr);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
    SDL_FreeSurface(picture);
    SDL_FreeSurface(screen);
}

// ---- pixman

struct PixmanImage {
    PixmanImage(pixman_format_code_t format, int width, int height)
        : image(pixman_image_create_bits(format, width, height, nullptr, 0))
    {
    }
    ~PixmanImage() { pixman_image_unref(image); }
    template <typename T>
    T* bits() { return reinterpret_cast<T*>(pixman_image_get_data(image)); }
    int stride() { return pixman_image_get_stride(image); }
    pixman_image_t* image;
};

void pixmanSprites(benchmark::State& state, Kind kind)
{
    PixmanImage screen(PIXMAN_r5g6b5, screenWidth, screenHeight);
    const bool perPixelAlpha = kind == Kind::Alpha || kind == Kind::AlphaOpacity;
    PixmanImage image(perPixelAlpha ? PIXMAN_a8r8g8b8 : PIXMAN_r5g6b5, sprite, sprite);
    PixmanImage mask(PIXMAN_a8, sprite, sprite);
    const auto pixels = spritePixels();
    for (int y = 0; y < sprite; ++y)
        for (int x = 0; x < sprite; ++x) {
            uint16_t p = pixels[y * sprite + x];
            if (perPixelAlpha)
                image.bits<uint32_t>()[y * image.stride() / 4 + x] =
                    (uint32_t(spriteAlpha(x, y)) << 24) | ((p >> 11) << 19) | (((p >> 5) & 63) << 10) | ((p & 31) << 3);
            else
                image.bits<uint16_t>()[y * image.stride() / 2 + x] = p;
        }
    // Opacity 128 is a solid mask; the alpha sprite is premultiplied ARGB drawn OVER.
    pixman_color_t half{0, 0, 0, 0x8080};
    pixman_image_t* solid = pixman_image_create_solid_fill(&half);
    const pixman_op_t op = kind == Kind::Opaque ? PIXMAN_OP_SRC : PIXMAN_OP_OVER;
    pixman_image_t* maskImage = kind == Kind::Opacity || kind == Kind::AlphaOpacity ? solid : nullptr;
    const auto where = spritePlaces();
    for (auto _ : state) {
        for (const Place& p : where)
            pixman_image_composite32(op, image.image, maskImage, screen.image, 0, 0, 0, 0, p.x, p.y, sprite, sprite);
        benchmark::ClobberMemory();
    }
    setSpriteItems(state);
    pixman_image_unref(solid);
}

void pixmanScreenCopy(benchmark::State& state)
{
    PixmanImage screen(PIXMAN_r5g6b5, screenWidth, screenHeight);
    PixmanImage picture(PIXMAN_r5g6b5, screenWidth, screenHeight);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, picture.image, nullptr, screen.image, 0, 0, 0, 0, 0, 0, screenWidth,
                                 screenHeight);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
}

void pixmanScaled(benchmark::State& state, unsigned long angle)
{
    PixmanImage screen(PIXMAN_r5g6b5, screenWidth, screenHeight);
    PixmanImage picture(PIXMAN_r5g6b5, angle ? screenHeight : screenWidth / 2, angle ? screenWidth : screenHeight / 2);
    pixman_transform_t transform;
    if (angle == 0) {
        pixman_transform_init_scale(&transform, pixman_double_to_fixed(0.5), pixman_double_to_fixed(0.5));
    } else {
        // Destination (x, y) reads source (y, 239 - x): a quarter turn clockwise.
        pixman_transform_init_identity(&transform);
        transform.matrix[0][0] = 0;
        transform.matrix[0][1] = pixman_fixed_1;
        transform.matrix[1][0] = -pixman_fixed_1;
        transform.matrix[1][1] = 0;
        transform.matrix[1][2] = pixman_int_to_fixed(screenWidth);
    }
    pixman_image_set_transform(picture.image, &transform);
    pixman_image_set_filter(picture.image, PIXMAN_FILTER_NEAREST, nullptr, 0);
    for (auto _ : state) {
        pixman_image_composite32(PIXMAN_OP_SRC, picture.image, nullptr, screen.image, 0, 0, 0, 0, 0, 0, screenWidth,
                                 screenHeight);
        benchmark::ClobberMemory();
    }
    setScreenItems(state);
}

void registerSprites(const char* work, Kind kind, bool withMemcpy, bool withPixman)
{
    std::string name = std::string(work) + " 64x64 x16";
    benchmark::RegisterBenchmark((name + "/parvolin").c_str(), oursSprites, kind);
    if (withMemcpy)
        benchmark::RegisterBenchmark((name + "/memcpy").c_str(), memcpySprites);
    benchmark::RegisterBenchmark((name + "/SDL_BlitSurface").c_str(), sdlSprites, kind);
    if (kind == Kind::Keyed)
        benchmark::RegisterBenchmark((name + "/SDL_RLEACCEL").c_str(), sdlSprites, Kind::KeyedRle);
    if (withPixman)
        benchmark::RegisterBenchmark((name + "/pixman").c_str(), pixmanSprites, kind);
}

} // namespace

int main(int argc, char** argv)
{
    registerSprites("bltFast opaque", Kind::Opaque, true, true);
    registerSprites("bltFast color key", Kind::Keyed, true, false);
    registerSprites("bltFast opacity 128", Kind::Opacity, false, true);
    registerSprites("bltFast multiply", Kind::Multiply, false, false);
    registerSprites("alphaBltFast", Kind::Alpha, false, true);
    registerSprites("alphaBltFast opacity 128", Kind::AlphaOpacity, false, true);
    for (auto shader : {std::make_pair("overlay", Kind::Overlay), std::make_pair("screen", Kind::Screen),
                        std::make_pair("gray scale", Kind::Gray), std::make_pair("fill back", Kind::FillBack)})
        benchmark::RegisterBenchmark((std::string("bltFast ") + shader.first + " 64x64 x16/parvolin").c_str(),
                                     oursSprites, shader.second);

    const std::string copy = "bltFast screen 240x320";
    benchmark::RegisterBenchmark((copy + "/parvolin").c_str(), oursScreenCopy);
    benchmark::RegisterBenchmark((copy + "/memcpy").c_str(), memcpyScreen);
    benchmark::RegisterBenchmark((copy + "/SDL_BlitSurface").c_str(), sdlScreenCopy);
    benchmark::RegisterBenchmark((copy + "/pixman").c_str(), pixmanScreenCopy);

    const std::string scale = "blt scale 2x to 240x320";
    benchmark::RegisterBenchmark((scale + "/parvolin").c_str(), oursScaled, 0ul);
    benchmark::RegisterBenchmark((scale + "/SDL_BlitScaled").c_str(), sdlScaled);
    benchmark::RegisterBenchmark((scale + "/pixman").c_str(), pixmanScaled, 0ul);

    const std::string rotate = "blt rotate 90 to 240x320";
    benchmark::RegisterBenchmark((rotate + "/parvolin").c_str(), oursScaled, 90ul);
    benchmark::RegisterBenchmark((rotate + "/pixman").c_str(), pixmanScaled, 90ul);
    return BenchRatios::runAll(argc, argv);
}
