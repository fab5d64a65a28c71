// Display::flip on emulated devices against a memcpy of the same bytes: the block copy of a
// plain portrait screen, the quarter turn (strided copy) and the RGB555 conversion; and the
// Game API's low-resolution frame shown doubled on a high-resolution screen, against a
// memcpy of the doubled bytes.
#include "BenchRatios.h"

#include "display/Display.h"
#include "graphics/Surface.h"
#include "platform/base/ProcCast.h"
#include "platform/device/DeviceProfile.h"
#include "platform/libraries/GameApi.h"
#include "platform/system/Modules.h"
#include "platform/windows/Windows.h"

#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace {

class BenchDisplay : public Display {
public:
    BenchDisplay() = default;
    ~BenchDisplay() override = default;
};

struct Case {
    const char* work;
    const char* device;
    int orientation;
    int nativeResolution;
};

HWND benchWindow()
{
    static HWND window = [] {
        WNDCLASSW windowClass = {};
        windowClass.lpfnWndProc = DefWindowProcW;
        windowClass.lpszClassName = L"ParvolinBench";
        RegisterClassW(&windowClass);
        return CreateWindowExW(0, L"ParvolinBench", L"flip", WS_VISIBLE, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                               CW_USEDEFAULT, nullptr, nullptr, nullptr, nullptr);
    }();
    return window;
}

void flip(benchmark::State& state, Case c)
{
    DeviceProfiles::select(c.device);
    Config config;
    config.orientation = c.orientation;
    config.nativeResolution = c.nativeResolution;
    BenchDisplay display;
    if (display.openDisplay(benchWindow(), &config) != 0) {
        state.SkipWithError("the display does not open");
        return;
    }
    Surface* back = display.getBackBuffer();
    Surface::Buffer pixels;
    back->getBuffer(&pixels);
    for (unsigned long i = 0; i < pixels.width * pixels.height; ++i)
        pixels.pixels[i] = static_cast<unsigned short>(i * 2654435761u >> 16);
    for (auto _ : state) {
        display.flip();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * static_cast<int64_t>(pixels.width * pixels.height));
    display.closeDisplay();
}

void plainCopy(benchmark::State& state, int width, int height)
{
    size_t bytes = static_cast<size_t>(width) * height * 2;
    std::vector<unsigned char> from(bytes, 0x35);
    std::vector<unsigned char> to(bytes);
    for (auto _ : state) {
        std::memcpy(to.data(), from.data(), bytes);
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * width * height);
}

// GXBeginDraw and GXEndDraw of a 240x320 frame on the 480x640 screen: every pixel shown as
// a 2x2 square. Items are the glass's pixels.
void gameApiDoubling(benchmark::State& state)
{
    DeviceProfiles::select("pocketpc2005-vga");
    HMODULE library = LoadLibraryW(L"GX.dll");
    auto open = fromFarProc<GXOpenDisplayFunction>(GetProcAddressW(library, GameApiNames::openDisplay));
    auto close = fromFarProc<GXCloseDisplayFunction>(GetProcAddressW(library, GameApiNames::closeDisplay));
    auto begin = fromFarProc<GXBeginDrawFunction>(GetProcAddressW(library, GameApiNames::beginDraw));
    auto end = fromFarProc<GXEndDrawFunction>(GetProcAddressW(library, GameApiNames::endDraw));
    if (!library || !open || !begin || !end || !close || open(benchWindow(), GX_FULLSCREEN) != 1) {
        state.SkipWithError("the Game API does not open");
        return;
    }
    auto* frame = static_cast<unsigned short*>(begin());
    for (int i = 0; frame && i < 240 * 320; ++i)
        frame[i] = static_cast<unsigned short>(i * 2654435761u >> 16);
    end();
    for (auto _ : state) {
        begin();
        end();
        benchmark::ClobberMemory();
    }
    state.SetItemsProcessed(state.iterations() * 480 * 640);
    close();
    FreeLibrary(library);
}

} // namespace

int main(int argc, char** argv)
{
    // The frames are measured, not shown.
    setenv("PARVOLIN_VIDEO", "headless", 1);
    const Case cases[] = {
        {"flip contiguous 240x320", "pocketpc2003", 0, 0},
        {"flip contiguous 480x640", "pocketpc2005-vga", 0, 1},
        {"flip strided 240x320 orientation 1", "pocketpc2003", 1, 0},
        {"flip strided 480x640 orientation 1", "pocketpc2005-vga", 1, 1},
        {"flip strided 240x320 orientation 2", "pocketpc2003", 2, 0},
        {"flip RGB555 240x320", "pocketpc2003-rgb555", 0, 0},
        {"flip RGB555 240x320 orientation 1", "pocketpc2003-rgb555", 1, 0},
    };
    for (const Case& c : cases) {
        const DeviceProfile* device = DeviceProfiles::find(c.device);
        int width = static_cast<int>(device->frameBuffer.width);
        int height = static_cast<int>(device->frameBuffer.height);
        benchmark::RegisterBenchmark((std::string(c.work) + "/parvolin").c_str(), flip, c);
        benchmark::RegisterBenchmark((std::string(c.work) + "/memcpy").c_str(), plainCopy, width, height);
    }
    benchmark::RegisterBenchmark("GX low resolution doubled to 480x640/parvolin", gameApiDoubling);
    benchmark::RegisterBenchmark("GX low resolution doubled to 480x640/memcpy", plainCopy, 480, 640);
    return BenchRatios::runAll(argc, argv);
}
