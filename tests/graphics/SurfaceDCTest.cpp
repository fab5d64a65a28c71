#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

class DCSurface : public Surface {
public:
    ~DCSurface() override { free(); }
    unsigned short at(unsigned long x, unsigned long y) { return pixels[y * width + x]; }
    void put(unsigned long x, unsigned long y, unsigned short value) { pixels[y * width + x] = value; }
    HBITMAP section() { return dibBitmap; }
};

TEST(SurfaceDC, WhatGdiDrawsLandsInTheSurface)
{
    DCSurface surface;
    ASSERT_EQ(ResultCode::Ok, surface.create(3, 2));  // odd width: DIB rows are padded
    for (unsigned long y = 0; y < 2; ++y)
        for (unsigned long x = 0; x < 3; ++x)
            surface.put(x, y, static_cast<unsigned short>(0x1000 + 16 * y + x));

    HDC dc = nullptr;
    ASSERT_EQ(ResultCode::Ok, surface.getDC(&dc));
    ASSERT_NE(nullptr, dc);

    // A 24-bit platform bitmap of two pixels, copied to (1, 1) through a memory context.
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = 2;
    info.bmiHeader.biHeight = 1;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 24;
    void* bits = nullptr;
    HBITMAP picture = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const unsigned char bgr[] = {0xFF, 0xFF, 0xFF, 0x20, 0x40, 0x80};
    std::memcpy(bits, bgr, sizeof(bgr));
    HDC pictureDc = CreateCompatibleDC(dc);
    HGDIOBJ old = SelectObject(pictureDc, picture);
    EXPECT_TRUE(BitBlt(dc, 1, 1, 2, 1, pictureDc, 0, 0, SRCCOPY));
    SelectObject(pictureDc, old);
    DeleteDC(pictureDc);
    DeleteObject(picture);

    ASSERT_EQ(ResultCode::Ok, surface.releaseDC(dc));
    EXPECT_EQ(nullptr, surface.section());
    // Untouched pixels come back as they were; the copied ones in RGB565.
    EXPECT_EQ(0x1000, surface.at(0, 0));
    EXPECT_EQ(0x1002, surface.at(2, 0));
    EXPECT_EQ(0x1010, surface.at(0, 1));
    EXPECT_EQ(0xFFFF, surface.at(1, 1));
    EXPECT_EQ((0x80 >> 3) << 11 | (0x40 >> 2) << 5 | (0x20 >> 3), surface.at(2, 1));
}

TEST(SurfaceDC, RefusesWhatItCannotBridge)
{
    DCSurface surface;
    HDC dc = nullptr;
    EXPECT_EQ(ResultCode::NullParameter, surface.getDC(nullptr));
    EXPECT_EQ(ResultCode::InvalidSurface, surface.getDC(&dc));
    EXPECT_EQ(nullptr, dc);
    EXPECT_EQ(ResultCode::NullParameter, surface.releaseDC(nullptr));

    // Released twice, or re-created in between: no copy from a section that is gone.
    ASSERT_EQ(ResultCode::Ok, surface.create(2, 2));
    ASSERT_EQ(ResultCode::Ok, surface.getDC(&dc));
    EXPECT_EQ(ResultCode::Ok, surface.releaseDC(dc));
    EXPECT_EQ(ResultCode::InvalidSurface, surface.releaseDC(dc));
    ASSERT_EQ(ResultCode::Ok, surface.getDC(&dc));
    HBITMAP section = surface.section();
    ASSERT_EQ(ResultCode::Ok, surface.create(4, 4));
    surface.put(3, 3, 0x1234);
    EXPECT_EQ(ResultCode::InvalidSurface, surface.releaseDC(dc));
    EXPECT_EQ(0x1234, surface.at(3, 3));
    // free() dropped the section's handle with the pixels; give it back here.
    EXPECT_TRUE(DeleteObject(section));
}

} // namespace
