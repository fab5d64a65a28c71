#include "core/Device.h"
#include "display/EmulatedDevice.h"
#include "pixels/PixelRules.h"
#include "graphics/Surface.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/libraries/GameApi.h"
#include "platform/device/GlassImage.h"

#include <gtest/gtest.h>

namespace {

tagPOINT logicalOf(TestDisplay& display, int32_t x, int32_t y)
{
    tagPOINT point = {x, y};
    EXPECT_EQ(0, display.deviceToLogical(&point));
    return point;
}

uint32_t storedAt(uint32_t x, uint32_t y) { return EmulatedScreen::current()->rawPixel(x, y); }

TEST(Display, GameApiScreenInPortraitIsCopiedAsOneBlockAndTapsPassUnchanged)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(240u, display.getBackBuffer()->getWidth());
    EXPECT_EQ(320u, display.getBackBuffer()->getHeight());
    tagPOINT tap = logicalOf(display, 17, 301);
    EXPECT_EQ(17, tap.x);
    EXPECT_EQ(301, tap.y);
    display.getBackBuffer()->setPixel(239, 319, 0x000000FF);
    EXPECT_EQ(0, display.flip());
    EXPECT_EQ(0xF800u, storedAt(239, 319));
}

TEST(Display, QuarterTurnGivesALandscapeBackBufferAndTurnedKeys)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    config.orientation = 1;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(320u, display.getBackBuffer()->getWidth());
    EXPECT_EQ(240u, display.getBackBuffer()->getHeight());
    tagPOINT tap = logicalOf(display, 10, 20);
    EXPECT_EQ(20, tap.x);
    EXPECT_EQ(229, tap.y);
    KeyList keys;
    ASSERT_EQ(0, display.getKeyList(&keys));
    EXPECT_EQ(static_cast<uint32_t>(DeviceProfiles::current().keys.right), keys.vkUp);

    config.orientation = 2;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    tap = logicalOf(display, 0, 0);
    EXPECT_EQ(239, tap.x);
    EXPECT_EQ(319, tap.y);

    // Any other value acts as no turn.
    config.orientation = 7;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(240u, display.getBackBuffer()->getWidth());
    tap = logicalOf(display, 10, 20);
    EXPECT_EQ(10, tap.x);
    EXPECT_EQ(20, tap.y);
}

// The VGA screen falls back to the Game API's 240 x 320 mode: every frame-buffer pixel is
// a square of four on the glass, and taps are halved before they are turned.
TEST(Display, HighResolutionScreenFallsBackToHalfResolutionWithHalvedTaps)
{
    EmulatedDevice device("pocketpc2005-vga");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(240u, display.getBackBuffer()->getWidth());
    EXPECT_EQ(320u, display.getBackBuffer()->getHeight());
    EXPECT_TRUE(gameApiStatus().displayOpen);
    tagPOINT tap = logicalOf(display, 479, 639);
    EXPECT_EQ(239, tap.x);
    EXPECT_EQ(319, tap.y);
    tap = logicalOf(display, -1, -1);
    EXPECT_EQ(-1, tap.x);
    EXPECT_EQ(-1, tap.y);

    // Turned: glass (10, 20) is frame-buffer (5, 10), which shows back-buffer (10, 234).
    config.orientation = 1;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    tap = logicalOf(display, 10, 20);
    EXPECT_EQ(10, tap.x);
    EXPECT_EQ(234, tap.y);
    Surface* back = display.getBackBuffer();
    back->fillRect(0, nullptr, 255);
    back->setPixel(10, 234, 0x0000FF00);
    ASSERT_EQ(0, display.flip());
    EXPECT_EQ(0x07E0u, storedAt(10, 20));
    EXPECT_EQ(0x07E0u, storedAt(11, 21));
    EXPECT_EQ(0u, storedAt(12, 20));

    // Asked for, the native resolution stays.
    config.orientation = 0;
    config.nativeResolution = 1;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(480u, display.getBackBuffer()->getWidth());
    EXPECT_FALSE(gameApiStatus().displayOpen);
    tap = logicalOf(display, 479, 639);
    EXPECT_EQ(479, tap.x);
}

TEST(Display, SquareHighResolutionScreenStaysNative)
{
    EmulatedDevice device("pocketpc2005-square");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_EQ(480u, display.getBackBuffer()->getWidth());
    EXPECT_EQ(480u, display.getBackBuffer()->getHeight());
    tagPOINT tap = logicalOf(display, 479, 10);
    EXPECT_EQ(479, tap.x);
}

TEST(Display, Rgb555FrameBufferGetsConvertedPixels)
{
    EmulatedDevice device("pocketpc2003-rgb555");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    Surface::Buffer back;
    ASSERT_EQ(0, display.getBackBuffer()->getBuffer(&back));
    const uint16_t drawn[] = {0xFFFF, 0xF800, 0x07E0, 0x0020, 0x001F, 0x1234};
    const uint32_t stored[] = {0x7FFF, 0x7C00, 0x03E0, 0x0000, 0x001F, 0x0914};
    for (int i = 0; i < 6; ++i)
        back.pixels[i] = drawn[i];
    ASSERT_EQ(0, display.flip());
    for (uint32_t i = 0; i < 6; ++i)
        EXPECT_EQ(stored[i], storedAt(i, 0)) << std::hex << drawn[i];
}

TEST(Display, ScreenThatIsNot16BitsIsRefused)
{
    EmulatedDevice device("pocketpc2003-24bit");
    Config config;
    TestDisplay display;
    EXPECT_EQ(6, display.openDisplay(device.window(), &config));
    // Closed again: nothing is flipped.
    EXPECT_EQ(0, display.flip());
    EXPECT_FALSE(gameApiStatus().displayOpen);
}

// Every screen interface takes its keys from the Game API.
TEST(Display, MissingGameApiMakesEveryInterfaceFail)
{
    for (const char* name : {"pocketpc2002", "pocketpc2003", "pocketpc2005-vga"}) {
        SCOPED_TRACE(name);
        EmulatedDevice device(withoutGameApi(name));
        Config config;
        TestDisplay display;
        EXPECT_EQ(51, display.openDisplay(device.window(), &config));
        EXPECT_EQ(0, display.flip());
    }
}

TEST(Display, RawFrameBufferOfAnotherFormatLeavesItToTheGameApi)
{
    DeviceProfile odd = *DeviceProfiles::find("pocketpc2003");
    odd.rawFrameBuffer.wFormat = FORMAT_OTHER;
    EmulatedDevice device(odd);
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_TRUE(gameApiStatus().displayOpen);
    display.closeDisplay();
    EXPECT_FALSE(gameApiStatus().displayOpen);
}

// A driver that claims a larger frame buffer than there is answers the query with an
// error (a negative result), which is no frame buffer either.
TEST(Display, RawFrameBufferQueryThatFailsLeavesItToTheGameApi)
{
    DeviceProfile claiming = *DeviceProfiles::find("pocketpc2003");
    claiming.rawFrameBuffer.cxPixels = 480;
    claiming.rawFrameBuffer.cyPixels = 640;
    claiming.rawFrameBuffer.cyStride = 960;
    EmulatedDevice device(claiming);
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    EXPECT_TRUE(gameApiStatus().displayOpen);
    EXPECT_EQ(240u, display.getBackBuffer()->getWidth());
}

// Minimised, the Game API is suspended and hands out no frame buffer: flip copies
// nothing and still succeeds; restored, frames reach the glass again.
TEST(Display, FlipWithoutAFrameBufferDoesNothing)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    Surface* back = display.getBackBuffer();
    back->fillRect(0, nullptr, 255);
    ASSERT_EQ(0, display.flip());
    EXPECT_EQ(0, display.suspendDisplay());
    back->fillRect(0x00FFFFFF, nullptr, 255);
    EXPECT_EQ(0, display.flip());
    EXPECT_EQ(0u, storedAt(0, 0));
    EXPECT_EQ(0, display.resumeDisplay());
    EXPECT_EQ(0, display.flip());
    EXPECT_EQ(0xFFFFu, storedAt(0, 0));
}

TEST(Display, FreedBackBufferIsNotReadPastItsEnd)
{
    EmulatedDevice device("pocketpc2003");
    Config config;
    TestDisplay display;
    ASSERT_EQ(0, display.openDisplay(device.window(), &config));
    display.getBackBuffer()->free();
    EXPECT_EQ(5, display.flip());
    display.getBackBuffer()->create(10, 10);
    EXPECT_EQ(5, display.flip());
}

TEST(Display, ClosedDisplayAndNullArguments)
{
    TestDisplay display;
    ASSERT_NE(nullptr, display.getBackBuffer());
    EXPECT_EQ(0u, display.getBackBuffer()->getWidth());
    EXPECT_EQ(0, display.flip());
    EXPECT_EQ(0, display.suspendDisplay());
    EXPECT_EQ(0, display.resumeDisplay());
    EXPECT_EQ(0, display.closeDisplay());
    tagPOINT tap = {3, 4};
    EXPECT_EQ(0, display.deviceToLogical(&tap));
    EXPECT_EQ(3, tap.x);
    EXPECT_EQ(15, display.deviceToLogical(nullptr));
    EXPECT_EQ(15, display.getKeyList(nullptr));
    EmulatedDevice device("pocketpc2002");
    EXPECT_EQ(15, display.openDisplay(device.window(), nullptr));
    // The Game API opens on the program's window only.
    Config config;
    EXPECT_EQ(51, display.openDisplay(nullptr, &config));
}

// Deleted while open, a display lets go of its screen interface.
TEST(Display, DeletedWhileOpenClosesTheScreen)
{
    EmulatedDevice device("pocketpc2002");
    Config config;
    {
        TestDisplay display;
        ASSERT_EQ(0, display.openDisplay(device.window(), &config));
        EXPECT_TRUE(gameApiStatus().displayOpen);
    }
    EXPECT_FALSE(gameApiStatus().displayOpen);
    EXPECT_FALSE(gameApiStatus().inputOpen);
}

TEST(Display, DeviceHandsOutOneDisplayThatIsNotOpen)
{
    Device* device = Device::getInstance();
    ASSERT_NE(nullptr, device);
    Display* display = device->getDisplay();
    ASSERT_NE(nullptr, display);
    EXPECT_EQ(display, device->getDisplay());
    EXPECT_EQ(0u, display->getBackBuffer()->getWidth());
    EXPECT_EQ(0, display->flip());
}

// A device whose frame buffer address is already taken cannot be emulated: the display
// refuses to open and says why, instead of writing over what is there.
TEST(Display, FixedFrameBufferAddressThatIsTakenIsRefused)
{
    static const unsigned char occupied[8192] = {1};
    DeviceProfile taken = *DeviceProfiles::find("ipaq-h3800");
    // The frame buffer would begin at the array, 239 rows of 640 bytes before pixel (0, 0).
    taken.frameBuffer.fixedAddress = reinterpret_cast<uintptr_t>(occupied) + 239 * 640;
    EmulatedDevice device(taken);
    Config config;
    TestDisplay display;
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(51, display.openDisplay(device.window(), &config));
    std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(std::string::npos, said.find("cannot be emulated")) << said;
    EXPECT_NE(std::string::npos, EmulatedScreen::failureReason().find("cannot be mapped"));
    EXPECT_EQ(1, occupied[0]);
}

} // namespace
