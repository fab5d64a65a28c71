#ifndef PARVOLIN_GDI_OBJECTS_H
#define PARVOLIN_GDI_OBJECTS_H

#include "platform/base/HandleTable.h"
#include "platform/base/PlatformTypes.h"

#include <cstddef>
#include <cstdint>
#include <memory>

// How a pixel is stored: its size and where each channel sits (24-bit pixels are blue,
// green, red bytes, read as 0xRRGGBB).
struct GdiPixelFormat {
    unsigned bitsPerPixel;
    uint32_t masks[3];  // red, green, blue

    bool operator==(const GdiPixelFormat& other) const;
    // False unless the size is 16, 24 or 32 and each mask is one contiguous run inside it.
    bool isValid() const;
};

// A bitmap: a DIB section (its pixels visible to the program) or a bitmap loaded from
// resources. Rows are padded to 4 bytes and stored bottom-up unless `topDown`.
class GdiBitmap : public HandleObject {
public:
    // Null when the size is not positive, too large, or memory runs out.
    static std::unique_ptr<GdiBitmap> create(LONG width, LONG height, bool topDown, const GdiPixelFormat& format);

    LONG width() const { return pixelWidth; }
    LONG height() const { return pixelHeight; }
    size_t stride() const { return rowBytes; }
    const GdiPixelFormat& format() const { return pixelFormat; }
    unsigned char* bits() { return memory.get(); }
    // The bytes of row y counted from the top.
    unsigned char* row(LONG y);

    // 0x00RRGGBB with every channel widened to 8 bits by repeating its top bits.
    uint32_t readRgb(LONG x, LONG y);
    void writeRgb(LONG x, LONG y, uint32_t rgb);

    HDC selectedInto = nullptr;
    bool stock = false;
    bool isSection = false;

private:
    GdiBitmap(LONG width, LONG height, bool topDown, const GdiPixelFormat& format, size_t stride,
              std::unique_ptr<unsigned char[]> memory);

    LONG pixelWidth;
    LONG pixelHeight;
    bool topDown;
    GdiPixelFormat pixelFormat;
    size_t rowBytes;
    std::unique_ptr<unsigned char[]> memory;
    unsigned shifts[3];
    unsigned widths[3];
};

// A device context: the screen's or a window's (from GetDC), or a memory context with a
// bitmap selected.
class DeviceContext : public HandleObject {
public:
    explicit DeviceContext(bool memory, HWND window = nullptr) : memory(memory), window(window) {}
    const bool memory;
    const HWND window;
    HGDIOBJ selected = nullptr;
};

namespace GdiObjects {
// The 1x1 bitmap every new memory context starts with; never deleted.
HGDIOBJ stockBitmap();
} // namespace GdiObjects

#endif
