#include "display/DirectDrawBackEnd.h"
#include "display/EmulatedDevice.h"
#include "display/GapiBackEnd.h"
#include "display/RawFrameBufferBackEnd.h"
#include "platform/system/EmulatedModule.h"
#include "platform/libraries/GameApi.h"
#include "platform/system/Modules.h"
#include "support/CountingHost.h"

#include <gtest/gtest.h>

namespace {

TEST(GapiBackEnd, PortraitScreenTurnedAQuarter)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    GapiBackEnd portrait;
    ASSERT_TRUE(portrait.open(device.window(), &config));
    EXPECT_EQ(240u, portrait.width);
    EXPECT_EQ(320u, portrait.height);
    EXPECT_EQ(2, portrait.xPitch);
    EXPECT_EQ(480, portrait.yPitch);
    EXPECT_EQ(0, portrait.startOffset);
    EXPECT_EQ(16u, portrait.bitsPerPixel);
    EXPECT_TRUE(portrait.screenOpen);
    EXPECT_TRUE(portrait.inputOpen);
    EXPECT_FALSE(portrait.highResolution);
    EXPECT_FALSE(portrait.halveStylus);
    portrait.close();
    EXPECT_FALSE(portrait.screenOpen);
    EXPECT_FALSE(gameApiStatus().displayOpen);

    config.orientation = 1;
    GapiBackEnd turned;
    ASSERT_TRUE(turned.open(device.window(), &config));
    EXPECT_EQ(320u, turned.width);
    EXPECT_EQ(240u, turned.height);
    EXPECT_EQ(480, turned.xPitch);
    EXPECT_EQ(-2, turned.yPitch);
    EXPECT_EQ(478, turned.startOffset);

    config.orientation = 3;
    GapiBackEnd other;
    ASSERT_TRUE(other.open(device.window(), &config));
    EXPECT_EQ(-480, other.xPitch);
    EXPECT_EQ(2, other.yPitch);
    EXPECT_EQ(319 * 480, other.startOffset);
}

// Only the first suspension reaches the Game API and only the last resumption; input is
// closed while suspended.
TEST(GapiBackEnd, SuspensionsNest)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    GapiBackEnd backEnd;
    ASSERT_TRUE(backEnd.open(device.window(), &config));
    GameApiStatus before = gameApiStatus();
    backEnd.suspend();
    backEnd.suspend();
    EXPECT_FALSE(backEnd.inputOpen);
    EXPECT_EQ(nullptr, backEnd.lock());
    backEnd.resume();
    EXPECT_EQ(nullptr, backEnd.lock()) << "still suspended once";
    backEnd.resume();
    ASSERT_NE(nullptr, backEnd.lock());
    backEnd.unlock();
    EXPECT_TRUE(backEnd.inputOpen);
    EXPECT_EQ(before.suspendCalls + 1, gameApiStatus().suspendCalls);
    EXPECT_EQ(before.resumeCalls + 1, gameApiStatus().resumeCalls);

    // A resumption too many changes nothing: the next suspension still suspends.
    backEnd.resume();
    backEnd.suspend();
    EXPECT_EQ(before.suspendCalls + 2, gameApiStatus().suspendCalls);
    EXPECT_EQ(nullptr, backEnd.lock());
}

TEST(GapiBackEnd, IpaqIsAddressedDirectlyWhenItsGameApiReportsWrongly)
{
    if (addressSanitizerBuild())
        GTEST_SKIP() << "the iPAQ's frame buffer address is AddressSanitizer's here";
    CountingHost host;
    {
        EmulatedDevice device("ipaq-h3800");
        Config config;
        GapiBackEnd backEnd;
        ASSERT_TRUE(backEnd.open(device.window(), &config));
        EXPECT_EQ(-640, backEnd.xPitch);
        EXPECT_EQ(2, backEnd.yPitch);
        EXPECT_EQ(0xA8u, backEnd.format);
        EXPECT_EQ(reinterpret_cast<unsigned char*>(GapiBackEnd::ipaqFrameBuffer), backEnd.lock());
        backEnd.unlock();
        EXPECT_EQ(0u, host.presents) << "the Game API is not asked to draw";
    }
    // Reporting the true pitches, its Game API is used as it is.
    DeviceProfile truthful = *DeviceProfiles::find("ipaq-h3800");
    truthful.gapi.cbxPitch = -640;
    truthful.gapi.cbyPitch = 2;
    EmulatedDevice device(truthful);
    Config config;
    GapiBackEnd backEnd;
    ASSERT_TRUE(backEnd.open(device.window(), &config));
    EXPECT_EQ(kfDirect | kfDirect565, backEnd.format);
    EXPECT_EQ(reinterpret_cast<unsigned char*>(GapiBackEnd::ipaqFrameBuffer), backEnd.lock());
    backEnd.unlock();
    EXPECT_EQ(1u, host.presents);
}

// A "GX.dll" that lacks one function: nothing of it is called, and no back end opens.
unsigned crippledCalls = 0;
intptr_t crippledFunction()
{
    ++crippledCalls;
    return 0;
}

const EmulatedExport crippledExports[] = {
    {GameApiNames::openDisplay, crippledFunction},    {GameApiNames::closeDisplay, crippledFunction},
    {GameApiNames::beginDraw, crippledFunction},      {GameApiNames::endDraw, crippledFunction},
    {GameApiNames::openInput, crippledFunction},      {GameApiNames::closeInput, crippledFunction},
    {GameApiNames::getDisplayProperties, crippledFunction}, {GameApiNames::suspend, crippledFunction},
    {GameApiNames::resume, crippledFunction},         {GameApiNames::setViewport, crippledFunction},
    {GameApiNames::isDisplayDRAMBuffer, crippledFunction},
};
const EmulatedModule crippledGameApi = {L"GX.dll", crippledExports, 11, nullptr, nullptr, 0};

template <class BackEnd> void expectRefused(const char* name)
{
    SCOPED_TRACE(name);
    EmulatedDevice device(withoutGameApi(name));
    Config config;
    BackEnd backEnd;
    EXPECT_FALSE(backEnd.open(device.window(), &config));
    EXPECT_FALSE(backEnd.screenOpen);
    EXPECT_FALSE(backEnd.inputOpen);
}

TEST(BackEnds, GameApiWithoutOneOfItsFunctionsIsNotUsed)
{
    EmulatedModules::add(&crippledGameApi);
    {
        EmulatedDevice device(withoutGameApi("pocketpc2002"));
        HMODULE library = LoadLibraryW(L"GX.dll");
        ASSERT_NE(nullptr, library) << "the crippled library stands in";
        EXPECT_NE(nullptr, GetProcAddressW(library, GameApiNames::openDisplay));
        FreeLibrary(library);
    }
    expectRefused<GapiBackEnd>("pocketpc2002");
    expectRefused<RawFrameBufferBackEnd>("pocketpc2003");
    expectRefused<DirectDrawBackEnd>("pocketpc2005-vga");
    EmulatedModules::remove(&crippledGameApi);
    EXPECT_EQ(0u, crippledCalls);
}

TEST(DirectDrawBackEnd, LockedSurfaceGivesNoSecondAddress)
{
    EmulatedDevice device("pocketpc2005-vga");
    Config config;
    config.nativeResolution = 1;
    DirectDrawBackEnd backEnd;
    ASSERT_TRUE(backEnd.open(device.window(), &config));
    EXPECT_EQ(480u, backEnd.width);
    EXPECT_EQ(960, backEnd.yPitch);
    EXPECT_TRUE(backEnd.highResolution);
    EXPECT_FALSE(backEnd.halveStylus);
    unsigned char* first = backEnd.lock();
    ASSERT_NE(nullptr, first);
    EXPECT_EQ(nullptr, backEnd.lock());
    backEnd.unlock();
    EXPECT_EQ(first, backEnd.lock());
    backEnd.unlock();

    // Minimised, only the keys are let go.
    backEnd.suspend();
    EXPECT_FALSE(backEnd.inputOpen);
    EXPECT_FALSE(gameApiStatus().inputOpen);
    EXPECT_NE(nullptr, backEnd.lock());
    backEnd.unlock();
    backEnd.resume();
    EXPECT_TRUE(gameApiStatus().inputOpen);
}

struct ScalingCase {
    const char* device;
    uint32_t width;
    uint32_t height;
    bool highResolution;
};

// The screen counts as high resolution by the platform's own rule, on the unturned size.
TEST(BackEnds, HighResolutionByPlatform)
{
    const ScalingCase cases[] = {
        {"pocketpc2003", 480, 480, true},   {"pocketpc2003", 320, 320, false},  {"pocketpc2003", 480, 640, true},
        {"pocketpc2003", 640, 480, true},   {"pocketpc2003", 240, 400, false},  {"smartphone2003", 240, 320, true},
        {"smartphone2003", 320, 240, true}, {"smartphone2003", 176, 220, false}, {"smartphone2003", 220, 176, false},
        {"smartphone2003", 240, 240, true}, {"smartphone2003", 200, 200, false},
    };
    for (const ScalingCase& c : cases) {
        SCOPED_TRACE(std::string(c.device) + " " + std::to_string(c.width) + "x" + std::to_string(c.height));
        EmulatedDevice device(withScreen(c.device, c.width, c.height));
        Config config;
        config.orientation = 1;
        RawFrameBufferBackEnd backEnd;
        ASSERT_TRUE(backEnd.open(device.window(), &config));
        EXPECT_EQ(c.highResolution, backEnd.highResolution);
        EXPECT_FALSE(backEnd.halveStylus);
    }
}

// The Smartphone 2005's 240 x 320 screen is high resolution, so the display falls back
// to its Game API, which has the same size; the stylus is not halved.
TEST(BackEnds, SmartphoneFallsBackToItsGameApiAtTheSameSize)
{
    EmulatedDevice device("smartphone2005");
    Config config;
    DirectDrawBackEnd directDraw;
    ASSERT_TRUE(directDraw.open(device.window(), &config));
    EXPECT_TRUE(directDraw.highResolution);
    directDraw.close();
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_TRUE(gameApiStatus().displayOpen);
    tagPOINT tap = {239, 319};
    display.deviceToLogical(&tap);
    EXPECT_EQ(239, tap.x);
}

} // namespace
