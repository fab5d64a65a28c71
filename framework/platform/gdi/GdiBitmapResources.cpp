#include "platform/gdi/Gdi.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/system/Resources.h"

#include <cstring>

namespace {

// A bitmap resource is a bitmap file without its 14-byte file header: the info header,
// then the colour masks or the colour table, then the rows.
struct PackedDib {
    BITMAPINFOHEADER header;
    GdiPixelFormat format;
    const unsigned char* palette = nullptr;
    uint32_t paletteEntries = 0;
    const unsigned char* pixels = nullptr;
    uint64_t stride = 0;
    LONG height = 0;
    bool topDown = false;
};

bool parse(const unsigned char* data, uint64_t size, PackedDib& dib)
{
    if (size < sizeof(BITMAPINFOHEADER))
        return false;
    std::memcpy(&dib.header, data, sizeof(BITMAPINFOHEADER));
    const BITMAPINFOHEADER& header = dib.header;
    unsigned bits = header.biBitCount;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biSize > size || header.biPlanes != 1 ||
        header.biWidth <= 0 || header.biHeight == 0 || header.biHeight == INT32_MIN)
        return false;
    if (bits != 1 && bits != 4 && bits != 8 && bits != 16 && bits != 24 && bits != 32)
        return false;
    uint64_t offset = header.biSize;
    dib.format.bitsPerPixel = bits;
    if (header.biCompression == BI_BITFIELDS && (bits == 16 || bits == 32)) {
        // Newer, larger headers carry the masks inside; the classic one is followed by them.
        uint64_t masksAt = header.biSize >= 52 ? sizeof(BITMAPINFOHEADER) : offset;
        if (masksAt + 12 > size)
            return false;
        std::memcpy(dib.format.masks, data + masksAt, 12);
        if (header.biSize < 52)
            offset += 12;
    } else if (header.biCompression != BI_RGB) {
        return false;
    } else if (bits == 16) {
        dib.format.masks[0] = 0x7C00, dib.format.masks[1] = 0x03E0, dib.format.masks[2] = 0x001F;
    } else {
        dib.format.masks[0] = 0xFF0000, dib.format.masks[1] = 0xFF00, dib.format.masks[2] = 0xFF;
    }
    if (bits <= 8) {
        uint32_t capacity = 1u << bits;
        dib.paletteEntries = header.biClrUsed ? header.biClrUsed : capacity;
        if (dib.paletteEntries > capacity || offset + 4ull * dib.paletteEntries > size)
            return false;
        dib.palette = data + offset;
        offset += 4ull * dib.paletteEntries;
    } else if (!dib.format.isValid()) {
        return false;
    }
    dib.topDown = header.biHeight < 0;
    dib.height = dib.topDown ? -header.biHeight : header.biHeight;
    dib.stride = (static_cast<uint64_t>(header.biWidth) * bits + 31) / 32 * 4;
    if (offset + dib.stride * static_cast<uint64_t>(dib.height) > size)
        return false;
    dib.pixels = data + offset;
    return true;
}

uint32_t paletteIndex(const unsigned char* row, LONG x, unsigned bits)
{
    unsigned perByte = 8 / bits;
    unsigned char byte = row[x / perByte];
    unsigned shift = 8 - bits * (static_cast<unsigned>(x) % perByte + 1);
    return (byte >> shift) & ((1u << bits) - 1);
}

std::unique_ptr<GdiBitmap> bitmapOf(const PackedDib& dib)
{
    LONG width = dib.header.biWidth;
    unsigned bits = dib.format.bitsPerPixel;
    if (bits > 8) {
        std::unique_ptr<GdiBitmap> bitmap = GdiBitmap::create(width, dib.height, dib.topDown, dib.format);
        if (bitmap)
            std::memcpy(bitmap->bits(), dib.pixels, dib.stride * static_cast<uint64_t>(dib.height));
        return bitmap;
    }
    std::unique_ptr<GdiBitmap> bitmap = GdiBitmap::create(width, dib.height, true, {32, {0xFF0000, 0xFF00, 0xFF}});
    if (!bitmap)
        return nullptr;
    for (LONG y = 0; y < dib.height; ++y) {
        LONG stored = dib.topDown ? y : dib.height - 1 - y;
        const unsigned char* row = dib.pixels + static_cast<uint64_t>(stored) * dib.stride;
        for (LONG x = 0; x < width; ++x) {
            uint32_t index = paletteIndex(row, x, bits);
            uint32_t rgb = 0;
            if (index < dib.paletteEntries) {
                const unsigned char* entry = dib.palette + 4 * index;
                rgb = static_cast<uint32_t>(entry[2]) << 16 | static_cast<uint32_t>(entry[1]) << 8 | entry[0];
            }
            bitmap->writeRgb(x, y, rgb);
        }
    }
    return bitmap;
}
} // namespace

HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name)
{
    HRSRC resource = FindResourceW(instance, name, RT_BITMAP);
    if (!resource)
        return nullptr;
    const unsigned char* data = static_cast<const unsigned char*>(LockResource(LoadResource(instance, resource)));
    PackedDib dib;
    if (!data || !parse(data, SizeofResource(instance, resource), dib)) {
        SetLastError(ERROR_INVALID_DATA);
        return nullptr;
    }
    std::unique_ptr<GdiBitmap> bitmap = bitmapOf(dib);
    if (!bitmap) {
        SetLastError(ERROR_NOT_ENOUGH_MEMORY);
        return nullptr;
    }
    return static_cast<HBITMAP>(HandleTable::add(std::move(bitmap)));
}
