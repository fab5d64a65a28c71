#include "platform/gdi/Gdi.h"

#include "platform/gdi/GdiObjects.h"
#include "platform/windows/Windows.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace {

template <class T> T* failWith(DWORD error)
{
    SetLastError(error);
    return nullptr;
}

DeviceContext* contextOf(HDC dc) { return HandleTable::find<DeviceContext>(dc); }

GdiBitmap* targetOf(DeviceContext* context)
{
    return context && context->selected ? HandleTable::find<GdiBitmap>(context->selected) : nullptr;
}

// The pixel format a BITMAPINFO describes, or false.
bool formatOf(const BITMAPINFO* info, GdiPixelFormat& format)
{
    const BITMAPINFOHEADER& header = info->bmiHeader;
    if (header.biSize < sizeof(BITMAPINFOHEADER) || header.biPlanes != 1)
        return false;
    format.bitsPerPixel = header.biBitCount;
    if (header.biCompression == BI_BITFIELDS) {
        if (header.biBitCount != 16 && header.biBitCount != 32)
            return false;
        std::memcpy(format.masks, reinterpret_cast<const unsigned char*>(info) + header.biSize, sizeof(format.masks));
    } else if (header.biCompression != BI_RGB) {
        return false;
    } else if (header.biBitCount == 16) {
        format.masks[0] = 0x7C00, format.masks[1] = 0x03E0, format.masks[2] = 0x001F;
    } else {
        format.masks[0] = 0xFF0000, format.masks[1] = 0xFF00, format.masks[2] = 0xFF;
    }
    return format.isValid();
}

// Clips one axis of a copy of `extent` pixels from `sourceAt` to `at` to both bitmaps;
// false when nothing is left.
bool clipAxis(int& at, int& sourceAt, int& extent, LONG targetSize, LONG sourceSize)
{
    long long skip = std::max({0LL, -static_cast<long long>(at), -static_cast<long long>(sourceAt)});
    long long start = at + skip;
    long long sourceStart = sourceAt + skip;
    long long length = std::min({extent - skip, targetSize - start, sourceSize - sourceStart});
    if (length <= 0)
        return false;
    at = static_cast<int>(start);
    sourceAt = static_cast<int>(sourceStart);
    extent = static_cast<int>(length);
    return true;
}

void copyRows(GdiBitmap* target, int x, int y, int width, int height, GdiBitmap* source, int sourceX, int sourceY)
{
    bool sameFormat = target->format() == source->format();
    size_t pixelBytes = target->format().bitsPerPixel / 8;
    // Within one bitmap, copy away from the overlap: bottom-up when moving down.
    bool upward = target == source && y > sourceY;
    std::vector<uint32_t> rgbRow(sameFormat ? 0 : static_cast<size_t>(width));
    for (int step = 0; step < height; ++step) {
        int row = upward ? height - 1 - step : step;
        if (sameFormat) {
            std::memmove(target->row(y + row) + static_cast<size_t>(x) * pixelBytes,
                         source->row(sourceY + row) + static_cast<size_t>(sourceX) * pixelBytes,
                         static_cast<size_t>(width) * pixelBytes);
            continue;
        }
        for (int column = 0; column < width; ++column)
            rgbRow[static_cast<size_t>(column)] = source->readRgb(sourceX + column, sourceY + row);
        for (int column = 0; column < width; ++column)
            target->writeRgb(x + column, y + row, rgbRow[static_cast<size_t>(column)]);
    }
}
} // namespace

HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section, DWORD)
{
    if (bits)
        *bits = nullptr;
    GdiPixelFormat format;
    if (!info || usage != DIB_RGB_COLORS || section || (dc && !contextOf(dc)) || !formatOf(info, format))
        return failWith<HBITMAP__>(ERROR_INVALID_PARAMETER);
    LONG height = info->bmiHeader.biHeight;
    if (height == INT32_MIN)
        return failWith<HBITMAP__>(ERROR_INVALID_PARAMETER);
    std::unique_ptr<GdiBitmap> bitmap = GdiBitmap::create(info->bmiHeader.biWidth, height < 0 ? -height : height,
                                                          height < 0, format);
    if (!bitmap)
        return failWith<HBITMAP__>(info->bmiHeader.biWidth > 0 && height != 0 ? ERROR_NOT_ENOUGH_MEMORY
                                                                                : ERROR_INVALID_PARAMETER);
    bitmap->isSection = true;
    void* pixels = bitmap->bits();
    HBITMAP handle = static_cast<HBITMAP>(HandleTable::add(std::move(bitmap)));
    if (bits)
        *bits = pixels;
    return handle;
}

HDC GetDC(HWND window)
{
    if (window && !IsWindow(window))
        return failWith<HDC__>(ERROR_INVALID_WINDOW_HANDLE);
    return static_cast<HDC>(HandleTable::add(std::make_unique<DeviceContext>(false, window)));
}

int ReleaseDC(HWND, HDC dc)
{
    DeviceContext* context = contextOf(dc);
    if (!context || context->memory)
        return 0;
    HandleTable::remove(dc);
    return 1;
}

HDC CreateCompatibleDC(HDC dc)
{
    if (dc && !contextOf(dc))
        return failWith<HDC__>(ERROR_INVALID_HANDLE);
    HGDIOBJ placeholder = GdiObjects::stockBitmap();
    if (!placeholder)
        return failWith<HDC__>(ERROR_NOT_ENOUGH_MEMORY);
    auto context = std::make_unique<DeviceContext>(true);
    context->selected = placeholder;
    return static_cast<HDC>(HandleTable::add(std::move(context)));
}

HGDIOBJ SelectObject(HDC dc, HGDIOBJ object)
{
    DeviceContext* context = contextOf(dc);
    GdiBitmap* bitmap = HandleTable::find<GdiBitmap>(object);
    if (!context || !context->memory || !bitmap)
        return failWith<void>(ERROR_INVALID_HANDLE);
    if (!bitmap->stock && bitmap->selectedInto && bitmap->selectedInto != dc)
        return failWith<void>(ERROR_INVALID_PARAMETER);
    HGDIOBJ previous = context->selected;
    if (GdiBitmap* old = HandleTable::find<GdiBitmap>(previous))
        old->selectedInto = nullptr;
    if (!bitmap->stock)
        bitmap->selectedInto = dc;
    context->selected = object;
    return previous;
}

BOOL BitBlt(HDC targetDc, int x, int y, int width, int height, HDC sourceDc, int sourceX, int sourceY,
            DWORD rasterOperation)
{
    bool fill = rasterOperation == BLACKNESS || rasterOperation == WHITENESS;
    if (!fill && rasterOperation != SRCCOPY) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    GdiBitmap* target = targetOf(contextOf(targetDc));
    GdiBitmap* source = fill ? nullptr : targetOf(contextOf(sourceDc));
    if (!target || (!fill && !source)) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    // A fill has no source: let it stand over the target so that only the target clips.
    if (!source)
        sourceX = x, sourceY = y;
    LONG sourceWidth = source ? source->width() : target->width();
    LONG sourceHeight = source ? source->height() : target->height();
    if (width <= 0 || height <= 0 || !clipAxis(x, sourceX, width, target->width(), sourceWidth) ||
        !clipAxis(y, sourceY, height, target->height(), sourceHeight))
        return TRUE;
    if (source) {
        copyRows(target, x, y, width, height, source, sourceX, sourceY);
        return TRUE;
    }
    uint32_t rgb = rasterOperation == WHITENESS ? 0xFFFFFF : 0;
    for (int row = 0; row < height; ++row)
        for (int column = 0; column < width; ++column)
            target->writeRgb(x + column, y + row, rgb);
    return TRUE;
}

BOOL DeleteDC(HDC dc)
{
    DeviceContext* context = contextOf(dc);
    if (!context || !context->memory) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (GdiBitmap* bitmap = HandleTable::find<GdiBitmap>(context->selected))
        if (!bitmap->stock)
            bitmap->selectedInto = nullptr;
    HandleTable::remove(dc);
    return TRUE;
}

BOOL DeleteObject(HGDIOBJ object)
{
    GdiBitmap* bitmap = HandleTable::find<GdiBitmap>(object);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return FALSE;
    }
    if (bitmap->stock)
        return TRUE;
    // Deleting a bitmap a context still draws into would leave that context dangling.
    if (bitmap->selectedInto) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return FALSE;
    }
    HandleTable::remove(object);
    return TRUE;
}

int GetObjectW(HGDIOBJ object, int size, void* out)
{
    GdiBitmap* bitmap = HandleTable::find<GdiBitmap>(object);
    if (!bitmap) {
        SetLastError(ERROR_INVALID_HANDLE);
        return 0;
    }
    if (!out)
        return static_cast<int>(sizeof(BITMAP));
    if (size < static_cast<int>(sizeof(BITMAP))) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    BITMAP description = {};
    description.bmWidth = bitmap->width();
    description.bmHeight = bitmap->height();
    description.bmWidthBytes = static_cast<LONG>(bitmap->stride());
    description.bmPlanes = 1;
    description.bmBitsPixel = static_cast<WORD>(bitmap->format().bitsPerPixel);
    description.bmBits = bitmap->isSection ? bitmap->bits() : nullptr;
    std::memcpy(out, &description, sizeof(description));
    return static_cast<int>(sizeof(BITMAP));
}
