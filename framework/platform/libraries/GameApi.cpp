#include "platform/libraries/GameApi.h"

#include "platform/device/EmulatedScreen.h"
#include "platform/base/ProcCast.h"
#include "platform/windows/Windows.h"

#include <cstring>
#include <vector>

namespace {

struct State {
    bool displayOpen = false;
    bool inputOpen = false;
    bool suspended = false;
    bool drawing = false;
    unsigned char* address = nullptr;  // what GXBeginDraw hands out
    FrameBufferLayout screenLayout = {};
    FrameBufferLayout drawnLayout = {};
    // High-resolution screens: the low-resolution frame the game draws, each pixel shown
    // as a square of `scale` x `scale` on the glass when the frame ends.
    std::vector<unsigned char> lowResolution;
    unsigned scale = 1;
    unsigned suspendCalls = 0;
    unsigned resumeCalls = 0;
};

State& state()
{
    static State instance;
    return instance;
}

FrameBufferLayout reportedLayout()
{
    const GapiReport& report = DeviceProfiles::current().gapi;
    return {report.cxWidth, report.cyHeight, report.cbxPitch, report.cbyPitch, static_cast<DWORD>(report.cBPP),
            report.ffFormat, 0};
}

bool sameSize(const FrameBufferLayout& a, const FrameBufferLayout& b)
{
    return a.width == b.width && a.height == b.height;
}

// Eight pixels in one value: the compiler's vector extension, which every processor it
// builds for turns into its own interleaving instructions.
typedef uint16_t EightPixels __attribute__((vector_size(16)));

// One row of packed 16-bit pixels with every pixel repeated `scale` times; when the scale
// is 2, the usual case, eight pixels at a time become sixteen by interleaving them with
// themselves.
void widenRow(unsigned char* target, const unsigned char* source, uint32_t width, unsigned scale)
{
    if (scale == 2) {
        uint32_t x = 0;
        for (; x + 8 <= width; x += 8) {
            EightPixels eight;
            std::memcpy(&eight, source + 2 * x, sizeof eight);
            const EightPixels low = __builtin_shufflevector(eight, eight, 0, 0, 1, 1, 2, 2, 3, 3);
            const EightPixels high = __builtin_shufflevector(eight, eight, 4, 4, 5, 5, 6, 6, 7, 7);
            std::memcpy(target + 4 * x, &low, sizeof low);
            std::memcpy(target + 4 * x + 16, &high, sizeof high);
        }
        for (; x < width; ++x) {
            uint16_t p;
            std::memcpy(&p, source + 2 * x, 2);
            const uint32_t pair = p | static_cast<uint32_t>(p) << 16;
            std::memcpy(target + 4 * x, &pair, 4);
        }
        return;
    }
    for (uint32_t x = 0; x < width; ++x)
        for (unsigned k = 0; k < scale; ++k)
            std::memcpy(target + 2 * (static_cast<size_t>(x) * scale + k), source + 2 * x, 2);
}

// The whole glass from the low-resolution frame, every pixel repeated scale x scale times.
// Where both sides have packed rows, each frame row is widened once and its copies are
// block copies; any other layout goes pixel by pixel.
void showLowResolution(const State& s, EmulatedScreen& screen)
{
    const FrameBufferLayout& glass = screen.layout();
    const FrameBufferLayout& drawn = s.drawnLayout;
    if (glass.xPitch == 2 && drawn.xPitch == 2) {
        for (uint32_t y = 0; y < drawn.height; ++y) {
            unsigned char* first = screen.origin() + static_cast<ptrdiff_t>(y) * s.scale * glass.yPitch;
            widenRow(first, s.address + static_cast<ptrdiff_t>(y) * drawn.yPitch, drawn.width, s.scale);
            for (unsigned k = 1; k < s.scale; ++k)
                std::memcpy(first + static_cast<ptrdiff_t>(k) * glass.yPitch, first, static_cast<size_t>(glass.width) * 2);
        }
        return;
    }
    for (uint32_t y = 0; y < glass.height; ++y) {
        unsigned char* target = screen.origin() + static_cast<ptrdiff_t>(y) * glass.yPitch;
        const unsigned char* source = s.address + static_cast<ptrdiff_t>(y / s.scale) * drawn.yPitch;
        for (uint32_t x = 0; x < glass.width; ++x)
            std::memcpy(target + static_cast<ptrdiff_t>(x) * glass.xPitch,
                        source + static_cast<ptrdiff_t>(x / s.scale) * drawn.xPitch, 2);
    }
}

int GXOpenDisplay(HWND window, DWORD)
{
    State& s = state();
    EmulatedScreen* screen = EmulatedScreen::current();
    if (!IsWindow(window) || !screen)
        return 0;
    FrameBufferLayout glass = screen->layout();
    FrameBufferLayout drawn = reportedLayout();
    s.lowResolution.clear();
    s.scale = 1;
    s.address = nullptr;
    if (sameSize(glass, drawn)) {
        s.address = screen->originFor(drawn);
    } else {
        // The low-resolution mode of a high-resolution screen: a whole multiple of the
        // reported size, both 16 bits per pixel.
        unsigned scale = drawn.width ? glass.width / drawn.width : 0;
        FrameBufferSpan span = spanOf(drawn);
        if (scale < 2 || drawn.width * scale != glass.width || drawn.height * scale != glass.height ||
            drawn.bitsPerPixel != 16 || glass.bitsPerPixel != 16 || span.bytes == 0)
            return 0;
        s.lowResolution.assign(span.bytes, 0);
        s.scale = scale;
        s.address = s.lowResolution.data() - span.lowest;
    }
    if (!s.address)
        return 0;
    s.screenLayout = glass;
    s.drawnLayout = drawn;
    s.displayOpen = true;
    s.drawing = false;
    return 1;
}

int GXCloseDisplay()
{
    State& s = state();
    if (!s.displayOpen)
        return 0;
    // A suspension ends with the display it suspended.
    s.displayOpen = false;
    s.suspended = false;
    s.drawing = false;
    s.address = nullptr;
    s.lowResolution.clear();
    return 1;
}

void* GXBeginDraw()
{
    State& s = state();
    if (!s.displayOpen || s.suspended)
        return nullptr;
    s.drawing = true;
    return s.address;
}

int GXEndDraw()
{
    State& s = state();
    if (!s.displayOpen || !s.drawing)
        return 0;
    s.drawing = false;
    EmulatedScreen* screen = EmulatedScreen::current();
    // Another device chosen since the display opened: this frame has no glass to go to.
    if (!screen || !sameLayout(screen->layout(), s.screenLayout))
        return 0;
    if (!s.lowResolution.empty())
        showLowResolution(s, *screen);
    screen->present();
    return 1;
}

int GXOpenInput()
{
    state().inputOpen = true;
    return 1;
}

int GXCloseInput()
{
    State& s = state();
    if (!s.inputOpen)
        return 0;
    s.inputOpen = false;
    return 1;
}

GXDisplayProperties GXGetDisplayProperties()
{
    const GapiReport& report = DeviceProfiles::current().gapi;
    return {report.cxWidth, report.cyHeight, report.cbxPitch, report.cbyPitch, report.cBPP, report.ffFormat};
}

GXKeyList GXGetDefaultKeys(int)
{
    const DeviceKeys& keys = DeviceProfiles::current().keys;
    GXKeyList list = {};
    list.vkUp = keys.up;
    list.vkDown = keys.down;
    list.vkLeft = keys.left;
    list.vkRight = keys.right;
    list.vkA = keys.a;
    list.vkB = keys.b;
    list.vkC = keys.c;
    list.vkStart = keys.start;
    return list;
}

int GXSuspend()
{
    State& s = state();
    s.suspended = true;
    ++s.suspendCalls;
    return 1;
}

int GXResume()
{
    State& s = state();
    s.suspended = false;
    ++s.resumeCalls;
    return 1;
}

int GXSetViewport(DWORD, DWORD, DWORD, DWORD) { return state().displayOpen ? 1 : 0; }

BOOL GXIsDisplayDRAMBuffer() { return FALSE; }

bool offeredBy(const DeviceProfile& device) { return device.gapi.present; }

const EmulatedExport gameApiExports[] = {
    {GameApiNames::openDisplay, toFarProc(GXOpenDisplay)},
    {GameApiNames::closeDisplay, toFarProc(GXCloseDisplay)},
    {GameApiNames::beginDraw, toFarProc(GXBeginDraw)},
    {GameApiNames::endDraw, toFarProc(GXEndDraw)},
    {GameApiNames::openInput, toFarProc(GXOpenInput)},
    {GameApiNames::closeInput, toFarProc(GXCloseInput)},
    {GameApiNames::getDisplayProperties, toFarProc(GXGetDisplayProperties)},
    {GameApiNames::getDefaultKeys, toFarProc(GXGetDefaultKeys)},
    {GameApiNames::suspend, toFarProc(GXSuspend)},
    {GameApiNames::resume, toFarProc(GXResume)},
    {GameApiNames::setViewport, toFarProc(GXSetViewport)},
    {GameApiNames::isDisplayDRAMBuffer, toFarProc(GXIsDisplayDRAMBuffer)},
};
} // namespace

const EmulatedModule gameApiModule = {
    L"GX.dll", gameApiExports, sizeof(gameApiExports) / sizeof(gameApiExports[0]), offeredBy, nullptr, 0};

GameApiStatus gameApiStatus()
{
    const State& s = state();
    return {s.displayOpen, s.inputOpen, s.suspended, s.suspendCalls, s.resumeCalls};
}
