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

// The whole glass from the low-resolution frame, every pixel repeated scale x scale times.
void showLowResolution(const State& s, EmulatedScreen& screen)
{
    const FrameBufferLayout& glass = screen.layout();
    const FrameBufferLayout& drawn = s.drawnLayout;
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
