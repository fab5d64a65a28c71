// Every device, every orientation: what the game draws appears on the glass turned as the
// orientation says, a stylus point on the glass maps back to the back-buffer pixel shown
// there, and the direction keys follow the turn. With PARVOLIN_GLASS_DIR set, the glass
// images are also written there as PNG files to be looked at.
#include "display/EmulatedDevice.h"
#include "pixels/PixelRules.h"
#include "graphics/Surface.h"
#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

namespace {

struct Point {
    int32_t x;
    int32_t y;
};

// Which back-buffer pixel a frame-buffer pixel (fx, fy) shows, from the definition of the
// turns: in orientation 1 logical (x, y) lies at column W0 - 1 - y, row x of the frame
// buffer, in orientation 3 at column y, row H0 - 1 - x, and orientation 2 is a half turn.
Point shownAt(int32_t fx, int32_t fy, int orientation, int32_t w0, int32_t h0)
{
    switch (orientation) {
    case 1:
        return {fy, w0 - 1 - fx};
    case 2:
        return {w0 - 1 - fx, h0 - 1 - fy};
    case 3:
        return {h0 - 1 - fy, fx};
    default:
        return {fx, fy};
    }
}

void savePicture(const GlassImage& glass, const char* device, int orientation)
{
    const char* folder = std::getenv("PARVOLIN_GLASS_DIR");
    if (!folder || !*folder)
        return;
    std::string path = std::string(folder) + "/" + device + "-orientation" + std::to_string(orientation) + ".png";
    EXPECT_TRUE(Glass::writePng(glass, path)) << path;
}

void expectKeysTurned(const KeyList& keys, const DeviceKeys& device, int orientation)
{
    const uint32_t up = static_cast<uint32_t>(device.up), down = static_cast<uint32_t>(device.down);
    const uint32_t left = static_cast<uint32_t>(device.left), right = static_cast<uint32_t>(device.right);
    const uint32_t expected[4][4] = {
        {up, down, left, right}, {right, left, up, down}, {down, up, right, left}, {left, right, down, up}};
    EXPECT_EQ(expected[orientation][0], keys.vkUp);
    EXPECT_EQ(expected[orientation][1], keys.vkDown);
    EXPECT_EQ(expected[orientation][2], keys.vkLeft);
    EXPECT_EQ(expected[orientation][3], keys.vkRight);
    EXPECT_EQ(static_cast<uint32_t>(device.start), keys.vkStart);
    EXPECT_EQ(static_cast<uint32_t>(device.a), keys.vkA);
    EXPECT_EQ(static_cast<uint32_t>(device.b), keys.vkB);
    EXPECT_EQ(static_cast<uint32_t>(device.c), keys.vkC);
}

void checkDevice(const DeviceProfile& profile, int orientation)
{
    EmulatedDevice device(profile.name);
    Config config;
    config.orientation = orientation;
    TestDisplay display;
    long opened = display.openDisplay(device.window(), &config);
    if (profile.frameBuffer.bitsPerPixel != 16) {
        EXPECT_EQ(6, opened) << "a frame buffer that is not 16 bits per pixel";
        return;
    }
    ASSERT_EQ(0, opened);

    Surface* back = display.getBackBuffer();
    paintPattern(back);
    ASSERT_EQ(0, display.flip());

    EmulatedScreen* screen = EmulatedScreen::current();
    ASSERT_NE(nullptr, screen);
    GlassImage glass = Glass::capture(*screen);
    savePicture(glass, profile.name, orientation);

    // The back buffer is the frame buffer turned; a frame buffer smaller than the glass
    // (the low-resolution mode) is shown enlarged.
    const int32_t w0 = static_cast<int32_t>(orientation % 2 ? back->getHeight() : back->getWidth());
    const int32_t h0 = static_cast<int32_t>(orientation % 2 ? back->getWidth() : back->getHeight());
    ASSERT_EQ(0u, glass.width % static_cast<uint32_t>(w0));
    const int32_t scale = static_cast<int32_t>(glass.width) / w0;
    ASSERT_EQ(glass.height, static_cast<uint32_t>(h0 * scale));
    bool rgb555 = (profile.frameBuffer.format & kfDirect555) != 0;

    int wrongPixels = 0;
    int wrongPoints = 0;
    for (int32_t gy = 0; gy < static_cast<int32_t>(glass.height); ++gy) {
        for (int32_t gx = 0; gx < static_cast<int32_t>(glass.width); ++gx) {
            Point logical = shownAt(gx / scale, gy / scale, orientation, w0, h0);
            uint16_t drawn = patternPixel(static_cast<uint32_t>(logical.x), static_cast<uint32_t>(logical.y));
            uint32_t stored = rgb555 ? PixelRules::toRgb555(drawn) : drawn;
            if (glass.at(static_cast<uint32_t>(gx), static_cast<uint32_t>(gy)) !=
                Glass::colorOf(stored, profile.frameBuffer) && wrongPixels++ < 3)
                ADD_FAILURE() << "glass (" << gx << ", " << gy << ") should show back-buffer pixel (" << logical.x
                              << ", " << logical.y << ")";
            tagPOINT tap = {gx, gy};
            ASSERT_EQ(0, display.deviceToLogical(&tap));
            if ((tap.x != logical.x || tap.y != logical.y) && wrongPoints++ < 3)
                ADD_FAILURE() << "a tap at glass (" << gx << ", " << gy << ") gives (" << tap.x << ", " << tap.y
                              << "), but (" << logical.x << ", " << logical.y << ") is shown there";
        }
    }
    EXPECT_EQ(0, wrongPixels);
    EXPECT_EQ(0, wrongPoints);

    KeyList keys;
    ASSERT_EQ(0, display.getKeyList(&keys));
    expectKeysTurned(keys, profile.keys, orientation);
    display.closeDisplay();
}

class EveryDevice : public ::testing::TestWithParam<int> {};

// The iPAQ, whose frame buffer has a fixed address, has a test of its own below.
TEST_P(EveryDevice, ShowsTheBackBufferTurnedAndMapsTheStylusBack)
{
    for (size_t i = 0; const DeviceProfile* profile = DeviceProfiles::at(i); ++i) {
        if (profile->frameBuffer.fixedAddress)
            continue;
        SCOPED_TRACE(std::string(profile->name) + ", orientation " + std::to_string(GetParam()));
        checkDevice(*profile, GetParam());
    }
}

// Its frame buffer lies where AddressSanitizer keeps its own memory: there the device
// cannot be emulated, and the display refuses to open rather than write elsewhere.
TEST_P(EveryDevice, IpaqH3800IsWrittenAtItsFixedAddress)
{
    const DeviceProfile* ipaq = DeviceProfiles::find("ipaq-h3800");
    ASSERT_NE(nullptr, ipaq);
    if (addressSanitizerBuild()) {
        EmulatedDevice device("ipaq-h3800");
        Config config;
        config.orientation = GetParam();
        TestDisplay display;
        EXPECT_EQ(51, display.openDisplay(device.window(), &config));
        GTEST_SKIP() << EmulatedScreen::failureReason();
    }
    checkDevice(*ipaq, GetParam());
}

INSTANTIATE_TEST_SUITE_P(Orientations, EveryDevice, ::testing::Values(0, 1, 2, 3));

} // namespace
