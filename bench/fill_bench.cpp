// fillRect against a plain fill of the same bytes and against SDL2's SDL_FillRect on an
// RGB565 surface, at full opacity and translucent.
#include "BenchRatios.h"

#include "graphics/Surface.h"

#include <SDL2/SDL.h>
#include <benchmark/benchmark.h>

#include <cstring>
#include <string>

namespace {

struct Size {
    int width;
    int height;
};

std::string workName(const char* what, Size size)
{
    return std::string("fillRect ") + what + " " + std::to_string(size.width) + "x" + std::to_string(size.height);
}

void ours(benchmark::State& state, Size size, unsigned long opacity)
{
    Surface surface;
    surface.create(static_cast<unsigned long>(size.width), static_cast<unsigned long>(size.height));
    surface.fillRect(0, nullptr, 255);
    unsigned long color = 0x00336699;
    for (auto _ : state) {
        surface.fillRect(color, nullptr, opacity);
        color ^= 0x00010101;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
    surface.free();
}

void plainFill(benchmark::State& state, Size size)
{
    // The bytes of one solid colour: what a memset of the whole surface costs.
    Surface surface;
    surface.create(static_cast<unsigned long>(size.width), static_cast<unsigned long>(size.height));
    Surface::Buffer buffer;
    surface.getBuffer(&buffer);
    int value = 0x33;
    for (auto _ : state) {
        std::memset(buffer.pixels, value, static_cast<size_t>(size.width) * size.height * 2);
        value ^= 1;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
    surface.free();
}

void sdlFill(benchmark::State& state, Size size)
{
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, size.width, size.height, 16, SDL_PIXELFORMAT_RGB565);
    Uint32 color = 0x3366;
    for (auto _ : state) {
        SDL_FillRect(surface, nullptr, color);
        color ^= 0x0841;
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * size.width * size.height);
    SDL_FreeSurface(surface);
}

} // namespace

int main(int argc, char** argv)
{
    for (Size size : {Size{240, 320}, Size{1024, 1024}}) {
        std::string opaque = workName("opaque", size);
        benchmark::RegisterBenchmark((opaque + "/parvolin").c_str(), ours, size, 255ul);
        benchmark::RegisterBenchmark((opaque + "/memset").c_str(), plainFill, size);
        benchmark::RegisterBenchmark((opaque + "/SDL_FillRect").c_str(), sdlFill, size);
        for (unsigned long opacity : {128ul, 100ul}) {
            std::string translucent = workName(opacity == 128 ? "at 128" : "at 100", size);
            benchmark::RegisterBenchmark((translucent + "/parvolin").c_str(), ours, size, opacity);
            benchmark::RegisterBenchmark((translucent + "/memset").c_str(), plainFill, size);
            benchmark::RegisterBenchmark((translucent + "/SDL_FillRect").c_str(), sdlFill, size);
        }
    }
    return BenchRatios::runAll(argc, argv);
}
