#include "display/EmulatedDevice.h"

#include "graphics/Surface.h"
#include "support/DeviceTestAccess.h"

#include <gtest/gtest.h>

namespace {
bool forget()
{
    DeviceTestAccess::forgetPlatform();
    return true;
}
} // namespace

EmulatedDevice::EmulatedDevice(const char* name) : scope(name), forgotten(forget()) {}

EmulatedDevice::EmulatedDevice(const DeviceProfile& profile) : scope(profile), forgotten(forget()) {}

EmulatedDevice::~EmulatedDevice() { DeviceTestAccess::forgetPlatform(); }

DeviceProfile withScreen(const char* name, uint32_t width, uint32_t height)
{
    const DeviceProfile* known = DeviceProfiles::find(name);
    EXPECT_NE(nullptr, known) << name;
    DeviceProfile profile = *known;
    FrameBufferLayout rows = {width, height, 2, static_cast<LONG>(2 * width), 16, kfDirect565, 0};
    profile.screenWidth = width;
    profile.screenHeight = height;
    profile.frameBuffer = rows;
    profile.gapi = {true, width, height, 2, rows.yPitch, 16, kfDirect | kfDirect565};
    if (profile.rawFrameBuffer.present)
        profile.rawFrameBuffer = {true,     FORMAT_565,          16, 2, rows.yPitch, static_cast<LONG>(width),
                                  static_cast<LONG>(height)};
    if (profile.directDraw.present)
        profile.directDraw = {true, width, height, 2, rows.yPitch, 16};
    return profile;
}

DeviceProfile withoutGameApi(const char* name)
{
    DeviceProfile profile = *DeviceProfiles::find(name);
    profile.gapi.present = false;
    return profile;
}

uint16_t patternPixel(uint32_t x, uint32_t y)
{
    bool stem = x >= 8 && x < 14 && y >= 8 && y < 48;
    bool top = x >= 8 && x < 36 && y >= 8 && y < 14;
    bool middle = x >= 8 && x < 28 && y >= 24 && y < 30;
    if (stem || top || middle)
        return 0xFFFF;
    uint32_t red = x & 31;
    uint32_t green = y & 63;
    uint32_t blue = ((x >> 5) + 3 * (y >> 6)) & 31;
    return static_cast<uint16_t>((red << 11) | (green << 5) | blue);
}

void paintPattern(Surface* surface)
{
    Surface::Buffer buffer;
    ASSERT_EQ(0, surface->getBuffer(&buffer));
    for (uint32_t y = 0; y < buffer.height; ++y)
        for (uint32_t x = 0; x < buffer.width; ++x)
            buffer.pixels[y * buffer.yPitch + x * buffer.xPitch] = patternPixel(x, y);
}

bool addressSanitizerBuild()
{
#if defined(__SANITIZE_ADDRESS__)
    return true;
#else
    return false;
#endif
}
