// drawText of a 40-character line in the built-in font onto a 240x320 back buffer, against
// SDL2 blitting the same 40 glyph rectangles colour-keyed from the same font strip.
#include "BenchRatios.h"

#include "graphics/Surface.h"
#include "text/Font.h"
#include "text/SystemFontImages.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cwchar>
#include <vector>

namespace {

const wchar_t line[] = L"Score: 001250  Lives: 3  Level 7 (Hard)!";
constexpr size_t lineLength = sizeof(line) / sizeof(line[0]) - 1;
static_assert(lineLength == 40, "a 40-character line");

void ours(benchmark::State& state)
{
    Surface back;
    back.create(240ul, 320ul);
    back.fillRect(0x00402010, nullptr, 255);
    Font* font = Font::getSystemFont();
    if (!font) {
        state.SkipWithError("no built-in font");
        return;
    }
    for (auto _ : state) {
        back.drawText(4, 150, font, 0, line);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(lineLength));
    back.free();
}

// The glyph rectangles of the strip, found from its marker row as the font does.
std::vector<SDL_Rect> glyphRects(Surface& strip)
{
    Surface::Buffer view;
    strip.getBuffer(&view);
    std::vector<SDL_Rect> rects;
    int x = 0;
    const int width = static_cast<int>(view.width);
    while (x < width) {
        while (x < width && view.pixels[x] != 0xFFFF)
            ++x;
        int start = x;
        while (x < width && view.pixels[x] == 0xFFFF)
            ++x;
        if (x < width)
            rects.push_back(SDL_Rect{start, 1, x - start, static_cast<int>(view.height) - 1});
    }
    return rects;
}

void sdlBlits(benchmark::State& state)
{
    size_t size = 0;
    const unsigned char* bytes = SystemFontImages::plain(size);
    Surface strip;
    strip.create(const_cast<unsigned char*>(bytes), static_cast<unsigned long>(size));
    Surface::Buffer view;
    strip.getBuffer(&view);
    SDL_Surface* glyphs = SDL_CreateRGBSurfaceWithFormatFrom(view.pixels, static_cast<int>(view.width),
                                                             static_cast<int>(view.height), 16,
                                                             static_cast<int>(view.width * 2), SDL_PIXELFORMAT_RGB565);
    SDL_SetColorKey(glyphs, SDL_TRUE, 0xF81F);
    SDL_Surface* back = SDL_CreateRGBSurfaceWithFormat(0, 240, 320, 16, SDL_PIXELFORMAT_RGB565);
    std::vector<SDL_Rect> rects = glyphRects(strip);
    const wchar_t* order = L" ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz1234567890!?\"'#$%&()[]{}_.,;:<>/*-+\\@|";
    std::vector<SDL_Rect> text;
    for (wchar_t c : line)
        if (c && std::wcschr(order, c) && static_cast<size_t>(std::wcschr(order, c) - order) < rects.size())
            text.push_back(rects[static_cast<size_t>(std::wcschr(order, c) - order)]);
    for (auto _ : state) {
        SDL_Rect at{4, 150, 0, 0};
        for (SDL_Rect glyph : text) {
            SDL_Rect target = at;
            SDL_BlitSurface(glyphs, &glyph, back, &target);
            at.x += glyph.w + 1;
        }
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<long>(lineLength));
    SDL_FreeSurface(back);
    SDL_FreeSurface(glyphs);
    strip.free();
}

} // namespace

int main(int argc, char** argv)
{
    benchmark::RegisterBenchmark("drawText 40 characters/parvolin", ours);
    benchmark::RegisterBenchmark("drawText 40 characters/SDL_BlitSurface", sdlBlits);
    return BenchRatios::runAll(argc, argv);
}
