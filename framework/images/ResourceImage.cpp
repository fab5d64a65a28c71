#include "images/ImageSource.h"

#include "core/ResultCodes.h"
#include "graphics/Surface.h"
#include "images/DecodeTarget.h"
#include "images/ImageDecoder.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/Resources.h"

namespace {

// Resource numbers are 16 bits wide; a larger one would name another resource.
constexpr unsigned long largestId = 0xFFFF;

} // namespace

long ResourceImage::decodeInto(Surface* target, Surface* alpha)
{
    if (!type || type == RT_BITMAP)
        return loadPlatformBitmap(target);
    HRSRC resource = id <= largestId ? FindResourceW(module, MAKEINTRESOURCEW(static_cast<unsigned>(id)), type) : nullptr;
    if (!resource)
        return loadPlatformBitmap(target);
    const void* data = LockResource(LoadResource(module, resource));
    if (!data)
        return ResultCode::ImageOpenError;
    return decodeImage(static_cast<const unsigned char*>(data), SizeofResource(module, resource), target, alpha);
}

long ResourceImage::loadPlatformBitmap(Surface* target)
{
    HBITMAP bitmap = id <= largestId ? LoadBitmapW(module, MAKEINTRESOURCEW(static_cast<unsigned>(id))) : nullptr;
    if (!bitmap)
        return ResultCode::ImageOpenError;
    BITMAP description = {};
    long result = GetObjectW(bitmap, sizeof(description), &description) ? ResultCode::Ok : ResultCode::ImageOpenError;
    const long width = description.bmWidth;
    const long height = description.bmHeight < 0 ? -static_cast<long>(description.bmHeight) : description.bmHeight;
    DecodeTarget rows(target);
    if (result == ResultCode::Ok)
        result = rows.size(static_cast<unsigned long>(width), static_cast<unsigned long>(height));
    HDC surfaceContext = nullptr;
    if (result == ResultCode::Ok)
        result = target->getDC(&surfaceContext);
    if (result == ResultCode::Ok) {
        // A straight copy of the bitmap into the surface's drawing context.
        HDC bitmapContext = CreateCompatibleDC(surfaceContext);
        HGDIOBJ previous = bitmapContext ? SelectObject(bitmapContext, bitmap) : nullptr;
        if (!previous || !BitBlt(surfaceContext, 0, 0, static_cast<int>(width), static_cast<int>(height),
                                 bitmapContext, 0, 0, SRCCOPY))
            result = ResultCode::ImageOpenError;
        if (previous)
            SelectObject(bitmapContext, previous);
        if (bitmapContext)
            DeleteDC(bitmapContext);
        target->releaseDC(surfaceContext);
    }
    DeleteObject(bitmap);
    return result;
}
