#include "platform/gdi/Gdi.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

struct InfoWithMasks {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

HBITMAP section(int width, int height, WORD bits, void** pixels, DWORD compression = BI_RGB,
                DWORD red = 0, DWORD green = 0, DWORD blue = 0)
{
    InfoWithMasks info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = width;
    info.header.biHeight = height;
    info.header.biPlanes = 1;
    info.header.biBitCount = bits;
    info.header.biCompression = compression;
    info.masks[0] = red, info.masks[1] = green, info.masks[2] = blue;
    return CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, pixels, nullptr, 0);
}

// A memory context with `bitmap` selected.
HDC contextFor(HBITMAP bitmap)
{
    HDC dc = CreateCompatibleDC(nullptr);
    EXPECT_NE(nullptr, SelectObject(dc, bitmap));
    return dc;
}

TEST(Gdi, SectionsComeZeroedWithPaddedRowsInTheirOrder)
{
    void* bits = nullptr;
    HBITMAP bottomUp = section(3, 2, 16, &bits, BI_BITFIELDS, 0xF800, 0x07E0, 0x001F);
    ASSERT_NE(nullptr, bottomUp);
    const unsigned char* bytes = static_cast<const unsigned char*>(bits);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(0, bytes[i]);
    BITMAP description;
    ASSERT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectW(bottomUp, sizeof(description), &description));
    EXPECT_EQ(8, description.bmWidthBytes);
    EXPECT_EQ(16, description.bmBitsPixel);
    EXPECT_EQ(bits, description.bmBits);
    EXPECT_EQ(static_cast<int>(sizeof(BITMAP)), GetObjectW(bottomUp, 0, nullptr));
    EXPECT_EQ(0, GetObjectW(bottomUp, 4, &description));

    // White into the top-left pixel lands in the last stored row of a bottom-up section.
    void* whiteBits = nullptr;
    HBITMAP white = section(1, 1, 32, &whiteBits);
    *static_cast<uint32_t*>(whiteBits) = 0xFFFFFF;
    HDC target = contextFor(bottomUp);
    HDC source = contextFor(white);
    EXPECT_TRUE(BitBlt(target, 0, 0, 1, 1, source, 0, 0, SRCCOPY));
    uint16_t stored;
    std::memcpy(&stored, bytes + 8, 2);
    EXPECT_EQ(0xFFFF, stored);
    std::memcpy(&stored, bytes, 2);
    EXPECT_EQ(0, stored);
    DeleteDC(target);
    DeleteDC(source);
    DeleteObject(bottomUp);
    DeleteObject(white);
}

TEST(Gdi, UnsupportedSectionsAreRefused)
{
    void* bits = reinterpret_cast<void*>(1);
    EXPECT_EQ(nullptr, section(4, 4, 8, &bits));
    EXPECT_EQ(nullptr, bits);
    EXPECT_EQ(nullptr, section(0, 4, 16, &bits));
    EXPECT_EQ(nullptr, section(4, 0, 16, &bits));
    EXPECT_EQ(nullptr, section(4, 4, 16, &bits, BI_BITFIELDS, 0xF800, 0x07E0, 0));
    EXPECT_EQ(nullptr, section(4, 4, 16, &bits, BI_BITFIELDS, 0xF801, 0x07E0, 0x001E));
    EXPECT_EQ(nullptr, section(4, 4, 16, &bits, BI_BITFIELDS, 0xF800, 0x0FE0, 0x001F));
    EXPECT_EQ(nullptr, section(4, 4, 24, &bits, BI_BITFIELDS, 0xFF0000, 0xFF00, 0xFF));
    EXPECT_EQ(nullptr, section(4, 4, 16, &bits, 1));
    // Far more memory than any screen: refused, not attempted.
    EXPECT_EQ(nullptr, section(0x7FFFFFFF, 0x7FFFFFFF, 32, &bits));
    EXPECT_EQ(ERROR_NOT_ENOUGH_MEMORY, GetLastError());
    EXPECT_EQ(nullptr, CreateDIBSection(nullptr, nullptr, DIB_RGB_COLORS, &bits, nullptr, 0));
}

TEST(Gdi, BlitsConvertBetweenFormatsAndClipToBothBitmaps)
{
    void* sourceBits = nullptr;
    HBITMAP source = section(2, -1, 24, &sourceBits);
    unsigned char* rgb = static_cast<unsigned char*>(sourceBits);
    // Blue, green, red bytes: (255, 128, 7) then (1, 2, 3).
    const unsigned char pixels[] = {7, 128, 255, 3, 2, 1};
    std::memcpy(rgb, pixels, sizeof(pixels));

    void* targetBits = nullptr;
    HBITMAP target = section(3, -2, 16, &targetBits);  // RGB555
    HDC from = contextFor(source);
    HDC to = contextFor(target);
    // Asked for more than either bitmap has, and from one pixel left of the source.
    EXPECT_TRUE(BitBlt(to, 1, 1, 10, 10, from, -1, 0, SRCCOPY));
    const uint16_t* out = static_cast<const uint16_t*>(targetBits);
    // Rows of three pixels are padded to four. Row 1 from column 1: the source's column
    // -1 is not there, so column 2 gets its column 0 (skipping keeps both sides aligned).
    EXPECT_EQ(0, out[0]);
    EXPECT_EQ(0, out[4 + 1]);
    EXPECT_EQ((31 << 10) | (16 << 5) | 0, out[4 + 2]);

    EXPECT_TRUE(BitBlt(to, 0, 0, 3, 1, nullptr, 0, 0, WHITENESS));
    EXPECT_EQ(0x7FFF, out[0]);
    EXPECT_EQ(0x7FFF, out[2]);
    EXPECT_TRUE(BitBlt(to, -5, -5, 2, 2, from, 0, 0, SRCCOPY));
    EXPECT_TRUE(BitBlt(to, 0, 0, 0, 5, from, 0, 0, SRCCOPY));
    EXPECT_FALSE(BitBlt(to, 0, 0, 1, 1, from, 0, 0, 0x00EE0086));
    EXPECT_FALSE(BitBlt(to, 0, 0, 1, 1, nullptr, 0, 0, SRCCOPY));
    EXPECT_EQ(ERROR_INVALID_HANDLE, GetLastError());
    DeleteDC(from);
    DeleteDC(to);
    DeleteObject(source);
    DeleteObject(target);
}

TEST(Gdi, OverlappingBlitsWithinOneBitmapCopyTheOriginal)
{
    void* bits = nullptr;
    HBITMAP bitmap = section(4, -4, 32, &bits);
    uint32_t* pixels = static_cast<uint32_t*>(bits);
    for (uint32_t i = 0; i < 16; ++i)
        pixels[i] = i;
    HDC dc = contextFor(bitmap);
    EXPECT_TRUE(BitBlt(dc, 1, 1, 3, 3, dc, 0, 0, SRCCOPY));
    const uint32_t expected[16] = {0, 1, 2, 3, 4, 0, 1, 2, 8, 4, 5, 6, 12, 8, 9, 10};
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(expected[i], pixels[i]) << i;
    DeleteDC(dc);
    DeleteObject(bitmap);
}

TEST(Gdi, ContextsAndBitmapsKeepTrackOfEachOther)
{
    HBITMAP bitmap = section(2, 2, 32, nullptr);
    HDC first = CreateCompatibleDC(nullptr);
    HDC second = CreateCompatibleDC(first);
    HGDIOBJ placeholder = SelectObject(first, bitmap);
    ASSERT_NE(nullptr, placeholder);
    BITMAP description;
    GetObjectW(placeholder, sizeof(description), &description);
    EXPECT_EQ(1, description.bmWidth);

    // One context at a time, and never deleted while selected.
    EXPECT_EQ(nullptr, SelectObject(second, bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_EQ(bitmap, SelectObject(first, placeholder));
    EXPECT_NE(nullptr, SelectObject(second, bitmap));
    EXPECT_TRUE(DeleteDC(second));
    EXPECT_TRUE(DeleteObject(bitmap));
    EXPECT_FALSE(DeleteObject(bitmap));
    EXPECT_TRUE(DeleteObject(placeholder));  // the placeholder stays for everyone

    // The screen context is released, not deleted; memory contexts the other way round.
    HDC screen = GetDC(nullptr);
    ASSERT_NE(nullptr, screen);
    EXPECT_EQ(nullptr, SelectObject(screen, placeholder));
    EXPECT_FALSE(DeleteDC(screen));
    EXPECT_EQ(0, ReleaseDC(nullptr, first));
    EXPECT_EQ(1, ReleaseDC(nullptr, screen));
    EXPECT_EQ(0, ReleaseDC(nullptr, screen));
    EXPECT_TRUE(DeleteDC(first));
    EXPECT_FALSE(DeleteDC(first));
    EXPECT_EQ(nullptr, CreateCompatibleDC(reinterpret_cast<HDC>(0x4444)));
    EXPECT_EQ(nullptr, GetDC(reinterpret_cast<HWND>(0x4444)));
}

} // namespace
