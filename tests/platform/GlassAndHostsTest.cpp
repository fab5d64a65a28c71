#include "platform/device/EmulatedScreen.h"
#include "platform/device/GlassImage.h"
#include "platform/base/Host.h"
#include "platform/base/HostText.h"
#include "support/DeviceScope.h"
#include "support/TempFolder.h"

#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace {

TEST(Glass, StoredPixelsShowTheirColours)
{
    FrameBufferLayout rgb565 = {1, 1, 2, 2, 16, kfDirect | kfDirect565, 0};
    FrameBufferLayout rgb555 = {1, 1, 2, 2, 16, kfDirect555, 0};
    FrameBufferLayout rgb888 = {1, 1, 3, 3, 24, 0, 0};
    EXPECT_EQ(0xFF0000u, Glass::colorOf(0xF800, rgb565));
    EXPECT_EQ(0x00FF00u, Glass::colorOf(0x07E0, rgb565));
    EXPECT_EQ(0x0000FFu, Glass::colorOf(0x001F, rgb565));
    EXPECT_EQ(0x848284u, Glass::colorOf(0x8410, rgb565)) << "the top bits repeated below";
    EXPECT_EQ(0xFF0000u, Glass::colorOf(0x7C00, rgb555));
    EXPECT_EQ(0x00FF00u, Glass::colorOf(0x03E0, rgb555));
    EXPECT_EQ(0xFFFFFFu, Glass::colorOf(0x7FFF, rgb555));
    EXPECT_EQ(0x123456u, Glass::colorOf(0x123456, rgb888));
}

// The glass of a device whose frame buffer is stored turned (the iPAQ's layout, here at an
// ordinary address) comes out upright, and survives a PNG file unchanged.
TEST(Glass, TurnedFrameBufferIsPicturedUprightAndWrittenAsPng)
{
    DeviceProfile turned = *DeviceProfiles::find("ipaq-h3800");
    turned.frameBuffer.fixedAddress = 0;
    ScopedDeviceProfile device(turned);
    EmulatedScreen* screen = EmulatedScreen::current();
    ASSERT_NE(nullptr, screen);
    std::memset(screen->memoryStart(), 0, screen->memorySize());
    // Glass (0, 0) red, (239, 0) green, (0, 319) blue.
    const uint16_t red = 0xF800, green = 0x07E0, blue = 0x001F;
    std::memcpy(screen->origin(), &red, 2);
    std::memcpy(screen->origin() - 239 * 640, &green, 2);
    std::memcpy(screen->origin() + 319 * 2, &blue, 2);
    GlassImage glass = Glass::capture(*screen);
    ASSERT_EQ(240u, glass.width);
    ASSERT_EQ(320u, glass.height);
    EXPECT_EQ(0xFF0000u, glass.at(0, 0));
    EXPECT_EQ(0x00FF00u, glass.at(239, 0));
    EXPECT_EQ(0x0000FFu, glass.at(0, 319));
    EXPECT_EQ(0u, glass.at(1, 0));

    TempFolder folder;
    std::string path;
    ASSERT_TRUE(HostText::toUtf8(folder.path(L"glass.png").c_str(), path));
    ASSERT_TRUE(Glass::writePng(glass, path));
    png_image read;
    std::memset(&read, 0, sizeof(read));
    read.version = PNG_IMAGE_VERSION;
    ASSERT_TRUE(png_image_begin_read_from_file(&read, path.c_str()));
    read.format = PNG_FORMAT_RGB;
    std::vector<unsigned char> bytes(PNG_IMAGE_SIZE(read));
    ASSERT_TRUE(png_image_finish_read(&read, nullptr, bytes.data(), 0, nullptr));
    ASSERT_EQ(240u, read.width);
    ASSERT_EQ(320u, read.height);
    for (size_t i = 0; i < glass.pixels.size(); ++i) {
        uint32_t rgb = static_cast<uint32_t>(bytes[3 * i]) << 16 | static_cast<uint32_t>(bytes[3 * i + 1]) << 8 |
                       bytes[3 * i + 2];
        ASSERT_EQ(glass.pixels[i], rgb) << i;
    }
    EXPECT_FALSE(Glass::writePng(glass, "/nonexistent-folder/glass.png"));
    EXPECT_FALSE(Glass::writePng(GlassImage(), path));
}

TEST(Hosts, WebThenSdlThenTheFrameBufferThenHeadlessWhichAlwaysServes)
{
    size_t count = 0;
    const HostEntry* entries = Hosts::entries(count);
    ASSERT_EQ(4u, count);
    EXPECT_STREQ("web", entries[0].name);
    EXPECT_STREQ("sdl", entries[1].name);
    EXPECT_STREQ("fbdev", entries[2].name);
    EXPECT_STREQ("headless", entries[3].name);
    EXPECT_TRUE(entries[2].mustServeWhenNamed) << "PARVOLIN_VIDEO=fbdev that cannot serve ends the program";
    EXPECT_FALSE(entries[1].mustServeWhenNamed);
    // Only a build for the browser has the page; this one says so and lets the next serve.
    std::string whyNotWeb;
    EXPECT_EQ(nullptr, entries[0].create(whyNotWeb));
    EXPECT_NE(std::string::npos, whyNotWeb.find("web browser")) << whyNotWeb;
    std::string why;
    EXPECT_NE(nullptr, entries[3].create(why));
    // The tests run with PARVOLIN_VIDEO=headless.
    const char* wanted = std::getenv("PARVOLIN_VIDEO");
    if (wanted && std::strcmp(wanted, "headless") == 0) {
        EXPECT_STREQ("headless", Hosts::currentName());
    }
}

} // namespace
