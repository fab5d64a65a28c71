// The emulated screen interfaces as a program meets them: "GX.dll", the driver's raw
// frame-buffer query and "ddraw.dll", each over the device's frame buffer, and what a
// finished frame tells the host.
#include "platform/libraries/DirectDraw.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/libraries/GameApi.h"
#include "platform/system/Modules.h"
#include "platform/base/ProcCast.h"
#include "platform/gdi/RawFrameBuffer.h"
#include "platform/system/SystemServices.h"
#include "support/CountingHost.h"
#include "support/DeviceScope.h"
#include "support/TestWindow.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// "GX.dll" of the current device with the functions a test calls.
struct GameApi {
    GameApi() : library(LoadLibraryW(L"GX.dll"))
    {
        EXPECT_NE(nullptr, library);
        openDisplay = fromFarProc<GXOpenDisplayFunction>(GetProcAddressW(library, GameApiNames::openDisplay));
        closeDisplay = fromFarProc<GXCloseDisplayFunction>(GetProcAddressW(library, GameApiNames::closeDisplay));
        beginDraw = fromFarProc<GXBeginDrawFunction>(GetProcAddressW(library, GameApiNames::beginDraw));
        endDraw = fromFarProc<GXEndDrawFunction>(GetProcAddressW(library, GameApiNames::endDraw));
        properties = fromFarProc<GXGetDisplayPropertiesFunction>(
            GetProcAddressW(library, GameApiNames::getDisplayProperties));
        suspend = fromFarProc<GXSuspendFunction>(GetProcAddressW(library, GameApiNames::suspend));
        resume = fromFarProc<GXResumeFunction>(GetProcAddressW(library, GameApiNames::resume));
        keys = fromFarProc<GXGetDefaultKeysFunction>(GetProcAddressW(library, GameApiNames::getDefaultKeys));
    }
    ~GameApi() { FreeLibrary(library); }

    HMODULE library;
    GXOpenDisplayFunction openDisplay;
    GXCloseDisplayFunction closeDisplay;
    GXBeginDrawFunction beginDraw;
    GXEndDrawFunction endDraw;
    GXGetDisplayPropertiesFunction properties;
    GXSuspendFunction suspend;
    GXResumeFunction resume;
    GXGetDefaultKeysFunction keys;
};

void put(void* at, uint16_t pixel) { std::memcpy(at, &pixel, 2); }

TEST(GameApi, ExportsAllItsFunctionsUnderTheirDecoratedNames)
{
    ScopedDeviceProfile device("pocketpc2002");
    HMODULE library = LoadLibraryW(L"GX.dll");
    ASSERT_NE(nullptr, library);
    for (const wchar_t* name :
         {GameApiNames::openDisplay, GameApiNames::closeDisplay, GameApiNames::beginDraw, GameApiNames::endDraw,
          GameApiNames::openInput, GameApiNames::closeInput, GameApiNames::getDisplayProperties,
          GameApiNames::getDefaultKeys, GameApiNames::suspend, GameApiNames::resume, GameApiNames::setViewport,
          GameApiNames::isDisplayDRAMBuffer})
        EXPECT_NE(nullptr, GetProcAddressW(library, name)) << name;
    FreeLibrary(library);
    DeviceProfile without = *DeviceProfiles::find("pocketpc2002");
    without.gapi.present = false;
    ScopedDeviceProfile lacking(without);
    EXPECT_EQ(nullptr, LoadLibraryW(L"GX.dll"));
}

// On a high-resolution screen the Game API offers a quarter of the pixels; each becomes a
// square of four on the glass when the frame ends.
TEST(GameApi, LowResolutionModeIsDoubledOntoTheGlass)
{
    ScopedDeviceProfile device("pocketpc2005-vga");
    CountingHost host;
    TestWindow window;
    GameApi gx;
    EXPECT_EQ(0, gx.openDisplay(nullptr, GX_FULLSCREEN)) << "a display belongs to a window";
    ASSERT_EQ(1, gx.openDisplay(window.handle(), GX_FULLSCREEN));
    GXDisplayProperties properties = gx.properties();
    EXPECT_EQ(240u, properties.cxWidth);
    EXPECT_EQ(480, properties.cbyPitch);
    EXPECT_EQ(0, gx.endDraw()) << "no frame begun";

    unsigned char* frame = static_cast<unsigned char*>(gx.beginDraw());
    ASSERT_NE(nullptr, frame);
    std::memset(frame, 0, 240 * 320 * 2);
    put(frame, 0xF800);
    put(frame + 239 * 2 + 319 * 480, 0x001F);
    EXPECT_EQ(1, gx.endDraw());
    EXPECT_EQ(1u, host.presents);
    EmulatedScreen* screen = EmulatedScreen::current();
    EXPECT_EQ(0xF800u, screen->rawPixel(0, 0));
    EXPECT_EQ(0xF800u, screen->rawPixel(1, 1));
    EXPECT_EQ(0u, screen->rawPixel(2, 0));
    EXPECT_EQ(0x001Fu, screen->rawPixel(478, 638));
    EXPECT_EQ(0x001Fu, screen->rawPixel(479, 639));

    // Suspended or closed, there is no frame to draw into.
    gx.suspend();
    EXPECT_EQ(nullptr, gx.beginDraw());
    gx.resume();
    EXPECT_NE(nullptr, gx.beginDraw());
    EXPECT_EQ(1, gx.closeDisplay());
    EXPECT_EQ(nullptr, gx.beginDraw());
    EXPECT_EQ(0, gx.closeDisplay());
}

// Every pixel of the glass is the low-resolution pixel it lies over, whatever the frame
// holds (each row is widened once and copied).
TEST(GameApi, EveryGlassPixelShowsItsLowResolutionPixel)
{
    ScopedDeviceProfile device("pocketpc2005-vga");
    CountingHost host;
    TestWindow window;
    GameApi gx;
    ASSERT_EQ(1, gx.openDisplay(window.handle(), GX_FULLSCREEN));
    unsigned char* frame = static_cast<unsigned char*>(gx.beginDraw());
    ASSERT_NE(nullptr, frame);
    for (uint32_t i = 0; i < 240 * 320; ++i)
        put(frame + 2 * i, static_cast<uint16_t>(i * 2654435761u >> 16));
    ASSERT_EQ(1, gx.endDraw());
    EmulatedScreen* screen = EmulatedScreen::current();
    for (uint32_t y = 0; y < 640; ++y)
        for (uint32_t x = 0; x < 480; ++x) {
            const uint32_t i = (y / 2) * 240 + x / 2;
            ASSERT_EQ(static_cast<uint16_t>(i * 2654435761u >> 16), screen->rawPixel(x, y)) << x << "," << y;
        }
    EXPECT_EQ(1, gx.closeDisplay());
}

TEST(GameApi, KeysAreTheDevices)
{
    ScopedDeviceProfile device("smartphone2003");
    GameApi gx;
    GXKeyList keys = gx.keys(GX_NORMALKEYS);
    const DeviceKeys& expected = DeviceProfiles::current().keys;
    EXPECT_EQ(expected.up, keys.vkUp);
    EXPECT_EQ(expected.start, keys.vkStart);
    EXPECT_EQ(expected.c, keys.vkC);
}

TEST(RawFrameBuffer, DriverAnswersWithTheFrameBuffer)
{
    ScopedDeviceProfile device("pocketpc2003-rgb555");
    HDC screenDc = GetDC(nullptr);
    RawFrameBufferInfo info = {};
    char* out = reinterpret_cast<char*>(&info);
    ASSERT_EQ(1, ExtEscape(screenDc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), out));
    EXPECT_EQ(FORMAT_555, info.wFormat);
    EXPECT_EQ(16, info.wBPP);
    EXPECT_EQ(2, info.cxStride);
    EXPECT_EQ(480, info.cyStride);
    EXPECT_EQ(240, info.cxPixels);
    EXPECT_EQ(EmulatedScreen::current()->origin(), info.pFramePointer);

    EXPECT_EQ(0, ExtEscape(screenDc, 0x1234, 0, nullptr, sizeof(info), out)) << "an escape it does not know";
    EXPECT_EQ(-1, ExtEscape(screenDc, GETRAWFRAMEBUFFER, 0, nullptr, 24, out)) << "a record too small";
    EXPECT_EQ(-1, ExtEscape(screenDc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), nullptr));
    HDC memoryDc = CreateCompatibleDC(nullptr);
    EXPECT_EQ(-1, ExtEscape(memoryDc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), out));
    DeleteDC(memoryDc);
    ReleaseDC(nullptr, screenDc);

    ScopedDeviceProfile older("pocketpc2002");
    screenDc = GetDC(nullptr);
    EXPECT_EQ(0, ExtEscape(screenDc, GETRAWFRAMEBUFFER, 0, nullptr, sizeof(info), out)) << "no raw frame buffer";
    ReleaseDC(nullptr, screenDc);
}

// DirectDraw's objects as a program uses them, and what they refuse.
TEST(DirectDraw, PrimarySurfaceLocksOntoTheFrameBuffer)
{
    ScopedDeviceProfile device("pocketpc2005-square");
    CountingHost host;
    TestWindow window;
    HMODULE library = LoadLibraryW(L"ddraw.dll");
    ASSERT_NE(nullptr, library);
    auto create = fromFarProc<DirectDrawCreateFunction>(GetProcAddressW(library, L"DirectDrawCreate"));
    ASSERT_NE(nullptr, create);
    IDirectDraw* directDraw = nullptr;
    int guid = 0;
    EXPECT_EQ(DDERR_INVALIDDIRECTDRAWGUID, create(&guid, &directDraw, nullptr));
    ASSERT_EQ(DD_OK, create(nullptr, &directDraw, nullptr));

    DDSURFACEDESC description = {};
    description.dwSize = sizeof(description);
    description.dwFlags = DDSD_CAPS;
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    IDirectDrawSurface* primary = nullptr;
    EXPECT_EQ(DDERR_NOCOOPERATIVELEVELSET, directDraw->CreateSurface(&description, &primary, nullptr));
    EXPECT_EQ(DDERR_INVALIDPARAMS, directDraw->SetCooperativeLevel(nullptr, DDSCL_FULLSCREEN));
    ASSERT_EQ(DD_OK, directDraw->SetCooperativeLevel(window.handle(), DDSCL_FULLSCREEN));
    description.dwSize = 108;
    EXPECT_EQ(DDERR_INVALIDPARAMS, directDraw->CreateSurface(&description, &primary, nullptr));
    description.dwSize = sizeof(description);
    description.ddsCaps.dwCaps = 0;
    EXPECT_EQ(DDERR_INVALIDCAPS, directDraw->CreateSurface(&description, &primary, nullptr));
    description.ddsCaps.dwCaps = DDSCAPS_PRIMARYSURFACE;
    ASSERT_EQ(DD_OK, directDraw->CreateSurface(&description, &primary, nullptr));
    IDirectDrawSurface* second = nullptr;
    EXPECT_EQ(DDERR_PRIMARYSURFACEALREADYEXISTS, directDraw->CreateSurface(&description, &second, nullptr));
    EXPECT_EQ(nullptr, second);

    DDSURFACEDESC locked = {};
    locked.dwSize = sizeof(locked);
    tagRECT part = {0, 0, 1, 1};
    EXPECT_EQ(DDERR_INVALIDPARAMS, primary->Lock(&part, &locked, DDLOCK_WAITNOTBUSY, nullptr));
    EXPECT_EQ(DDERR_NOTLOCKED, primary->Unlock(nullptr));
    ASSERT_EQ(DD_OK, primary->Lock(nullptr, &locked, DDLOCK_WAITNOTBUSY, nullptr));
    EXPECT_EQ(480u, locked.dwWidth);
    EXPECT_EQ(480u, locked.dwHeight);
    EXPECT_EQ(2, locked.lXPitch);
    EXPECT_EQ(960, locked.lPitch);
    EXPECT_EQ(16u, locked.ddpfPixelFormat.dwRGBBitCount);
    EXPECT_EQ(0xF800u, locked.ddpfPixelFormat.dwRBitMask);
    EXPECT_EQ(EmulatedScreen::current()->origin(), locked.lpSurface);
    EXPECT_EQ(DDERR_SURFACEBUSY, primary->Lock(nullptr, &locked, DDLOCK_WAITNOTBUSY, nullptr));
    put(static_cast<unsigned char*>(locked.lpSurface) + 960 + 2, 0x1234);
    EXPECT_EQ(DD_OK, primary->Unlock(nullptr));
    EXPECT_EQ(1u, host.presents);
    EXPECT_EQ(0x1234u, EmulatedScreen::current()->rawPixel(1, 1));

    // The surface keeps its DirectDraw object alive; the last release frees both.
    EXPECT_EQ(1u, directDraw->Release());
    ASSERT_EQ(DD_OK, primary->Lock(nullptr, &locked, DDLOCK_WAITNOTBUSY, nullptr));
    EXPECT_EQ(DD_OK, primary->Unlock(nullptr));
    EXPECT_EQ(0u, primary->Release());
    FreeLibrary(library);
}

// A frame buffer written with no end-of-frame call is shown when the program lets the
// system run, at most sixty times a second.
TEST(EmulatedScreen, ScanOutRefreshesTheGlassWhenTheProgramSleeps)
{
    ScopedDeviceProfile device("pocketpc2003");
    ScopedManualClock clock(1000000000);
    CountingHost host;
    ASSERT_NE(nullptr, EmulatedScreen::current());
    Sleep(0);
    EXPECT_EQ(1u, host.presents);
    Sleep(0);
    EXPECT_EQ(1u, host.presents);
    Sleep(20);
    Sleep(0);
    EXPECT_EQ(2u, host.presents);
}

TEST(EmulatedScreen, LayoutsAreMeasuredInBytes)
{
    FrameBufferSpan rows = spanOf({240, 320, 2, 480, 16, kfDirect565, 0});
    EXPECT_EQ(0, rows.lowest);
    EXPECT_EQ(153600u, rows.bytes);
    FrameBufferSpan rotated = spanOf({240, 320, -640, 2, 16, kfDirect565, 0});
    EXPECT_EQ(-239 * 640, rotated.lowest);
    EXPECT_EQ(153600u, rotated.bytes);
    EXPECT_EQ(0u, spanOf({0, 320, 2, 480, 16, 0, 0}).bytes);
    EXPECT_EQ(0u, spanOf({240, 320, 2, 480, 12, 0, 0}).bytes);
    EXPECT_EQ(0u, spanOf({100000, 100000, 4, 400000, 32, 0, 0}).bytes) << "more than any screen";
}

// The iPAQ's frame buffer is where its hardware has it, so that programs writing there
// directly reach the glass.
TEST(EmulatedScreen, IpaqFrameBufferLiesAtItsFixedAddress)
{
    ScopedDeviceProfile device("ipaq-h3800");
    EmulatedScreen* screen = EmulatedScreen::current();
#if defined(__SANITIZE_ADDRESS__)
    EXPECT_EQ(nullptr, screen);
    GTEST_SKIP() << EmulatedScreen::failureReason();
#endif
    ASSERT_NE(nullptr, screen);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(0xAC0755A0), screen->origin());
    // Glass pixel (1, 2) is one row of 640 bytes lower and two pixels on.
    put(reinterpret_cast<unsigned char*>(0xAC0755A0) - 640 + 4, 0xBEEF);
    EXPECT_EQ(0xBEEFu, screen->rawPixel(1, 2));
}

} // namespace
