#include "graphics/Surface.h"

#include "core/ResultCodes.h"
#include "platform/gdi/Gdi.h"

#include <cstdint>
#include <cstring>

namespace {
// A 16-bit top-down DIB with the RGB565 masks, so that its rows hold the surface's pixels
// as they are.
struct Rgb565Info {
    BITMAPINFOHEADER header;
    DWORD masks[3];
};

size_t dibStride(unsigned long width) { return (2 * width + 3) & ~static_cast<size_t>(3); }
} // namespace

long Surface::getDC(HDC* dc)
{
    if (!dc)
        return ResultCode::NullParameter;
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (width > INT32_MAX || height > INT32_MAX)
        return ResultCode::UnknownError;

    Rgb565Info info = {};
    info.header.biSize = sizeof(BITMAPINFOHEADER);
    info.header.biWidth = static_cast<LONG>(width);
    info.header.biHeight = -static_cast<LONG>(height);
    info.header.biPlanes = 1;
    info.header.biBitCount = 16;
    info.header.biCompression = BI_BITFIELDS;
    info.header.biSizeImage = static_cast<DWORD>(width * height * 2);
    info.masks[0] = 0xF800;
    info.masks[1] = 0x07E0;
    info.masks[2] = 0x001F;
    void* bits = nullptr;
    dibBitmap = CreateDIBSection(nullptr, reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    dibBits = bits;
    if (!dibBitmap || !dibBits)
        return ResultCode::UnknownError;

    size_t stride = dibStride(width);
    for (unsigned long y = 0; y < height; ++y)
        std::memcpy(static_cast<unsigned char*>(dibBits) + y * stride, pixels + y * width, width * 2);

    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    bool selected = memory && SelectObject(memory, dibBitmap);
    ReleaseDC(nullptr, screen);
    // The context could not be made: give the section back rather than leave it behind.
    if (!selected) {
        if (memory)
            DeleteDC(memory);
        DeleteObject(dibBitmap);
        dibBitmap = nullptr;
        dibBits = nullptr;
        return ResultCode::UnknownError;
    }
    *dc = memory;
    return ResultCode::Ok;
}

long Surface::releaseDC(HDC dc)
{
    if (!dc)
        return ResultCode::NullParameter;
    DeleteDC(dc);
    if (!dibBitmap || !dibBits || !pixels)
        return ResultCode::InvalidSurface;

    // Copy back only into a surface of the size the section was made for: the surface
    // may have been re-created in between.
    BITMAP section = {};
    bool sameSize = GetObjectW(dibBitmap, sizeof(section), &section) &&
                    static_cast<unsigned long>(section.bmWidth) == width &&
                    static_cast<unsigned long>(section.bmHeight) == height;
    if (sameSize) {
        size_t stride = dibStride(width);
        for (unsigned long y = 0; y < height; ++y)
            std::memcpy(pixels + y * width, static_cast<unsigned char*>(dibBits) + y * stride, width * 2);
    }
    DeleteObject(dibBitmap);
    // Cleared, so that a second release cannot read a section that is gone.
    dibBitmap = nullptr;
    dibBits = nullptr;
    return sameSize ? ResultCode::Ok : ResultCode::InvalidSurface;
}
