#include "platform/gdi/GdiObjects.h"

#include <cstring>
#include <new>

namespace {
// What one bitmap may take: far more than any handheld screen or resource.
constexpr uint64_t maxBitmapBytes = 0x10000000;

unsigned lowestBit(uint32_t mask) { return mask ? static_cast<unsigned>(__builtin_ctz(mask)) : 0; }
unsigned bitCount(uint32_t mask) { return static_cast<unsigned>(__builtin_popcount(mask)); }

uint32_t widen(uint32_t value, unsigned bits)
{
    if (bits == 0)
        return 0;
    if (bits >= 8)
        return value >> (bits - 8);
    uint32_t wide = value << (8 - bits);
    for (unsigned filled = bits; filled < 8; filled += bits)
        wide |= wide >> bits;
    return wide & 0xFF;
}

uint32_t narrow(uint32_t value8, unsigned bits)
{
    return bits >= 8 ? value8 << (bits - 8) : value8 >> (8 - bits);
}
} // namespace

bool GdiPixelFormat::operator==(const GdiPixelFormat& other) const
{
    return bitsPerPixel == other.bitsPerPixel && std::memcmp(masks, other.masks, sizeof(masks)) == 0;
}

bool GdiPixelFormat::isValid() const
{
    if (bitsPerPixel != 16 && bitsPerPixel != 24 && bitsPerPixel != 32)
        return false;
    uint32_t used = 0;
    for (uint32_t mask : masks) {
        if (!mask || (used & mask))
            return false;
        if (bitsPerPixel < 32 && (mask >> bitsPerPixel))
            return false;
        // One contiguous run: adding the lowest bit carries through the whole run.
        uint32_t run = mask >> lowestBit(mask);
        if (run & (run + 1))
            return false;
        used |= mask;
    }
    return true;
}

GdiBitmap::GdiBitmap(LONG width, LONG height, bool topDown, const GdiPixelFormat& format, size_t stride,
                     std::unique_ptr<unsigned char[]> memory)
    : pixelWidth(width), pixelHeight(height), topDown(topDown), pixelFormat(format), rowBytes(stride),
      memory(std::move(memory))
{
    for (int channel = 0; channel < 3; ++channel) {
        shifts[channel] = lowestBit(format.masks[channel]);
        widths[channel] = bitCount(format.masks[channel]);
    }
}

std::unique_ptr<GdiBitmap> GdiBitmap::create(LONG width, LONG height, bool topDown, const GdiPixelFormat& format)
{
    if (width <= 0 || height <= 0 || !format.isValid())
        return nullptr;
    uint64_t stride = (static_cast<uint64_t>(width) * format.bitsPerPixel + 31) / 32 * 4;
    uint64_t bytes = stride * static_cast<uint64_t>(height);
    if (bytes > maxBitmapBytes)
        return nullptr;
    std::unique_ptr<unsigned char[]> memory(new (std::nothrow) unsigned char[bytes]());
    if (!memory)
        return nullptr;
    return std::unique_ptr<GdiBitmap>(
        new (std::nothrow) GdiBitmap(width, height, topDown, format, static_cast<size_t>(stride), std::move(memory)));
}

unsigned char* GdiBitmap::row(LONG y)
{
    LONG stored = topDown ? y : pixelHeight - 1 - y;
    return memory.get() + static_cast<size_t>(stored) * rowBytes;
}

uint32_t GdiBitmap::readRgb(LONG x, LONG y)
{
    const unsigned char* at = row(y) + static_cast<size_t>(x) * (pixelFormat.bitsPerPixel / 8);
    uint32_t pixel = 0;
    if (pixelFormat.bitsPerPixel == 24)
        pixel = static_cast<uint32_t>(at[0]) | static_cast<uint32_t>(at[1]) << 8 | static_cast<uint32_t>(at[2]) << 16;
    else
        std::memcpy(&pixel, at, pixelFormat.bitsPerPixel / 8);
    uint32_t rgb = 0;
    for (int channel = 0; channel < 3; ++channel) {
        uint32_t value = (pixel & pixelFormat.masks[channel]) >> shifts[channel];
        rgb |= widen(value, widths[channel]) << (16 - 8 * channel);
    }
    return rgb;
}

void GdiBitmap::writeRgb(LONG x, LONG y, uint32_t rgb)
{
    uint32_t pixel = 0;
    for (int channel = 0; channel < 3; ++channel) {
        uint32_t value8 = (rgb >> (16 - 8 * channel)) & 0xFF;
        pixel |= (narrow(value8, widths[channel]) << shifts[channel]) & pixelFormat.masks[channel];
    }
    unsigned char* at = row(y) + static_cast<size_t>(x) * (pixelFormat.bitsPerPixel / 8);
    if (pixelFormat.bitsPerPixel == 24) {
        at[0] = static_cast<unsigned char>(pixel);
        at[1] = static_cast<unsigned char>(pixel >> 8);
        at[2] = static_cast<unsigned char>(pixel >> 16);
    } else {
        std::memcpy(at, &pixel, pixelFormat.bitsPerPixel / 8);
    }
}

namespace GdiObjects {
HGDIOBJ stockBitmap()
{
    static HGDIOBJ handle = [] {
        std::unique_ptr<GdiBitmap> bitmap = GdiBitmap::create(1, 1, false, {32, {0xFF0000, 0xFF00, 0xFF}});
        if (bitmap)
            bitmap->stock = true;
        return static_cast<HGDIOBJ>(HandleTable::add(std::move(bitmap)));
    }();
    return handle;
}
} // namespace GdiObjects
