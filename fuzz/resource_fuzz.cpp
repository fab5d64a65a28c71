// Module resources and the drawing contexts: a library whose resources hold the input's
// bytes, reached through LoadBitmapW, FindResourceW / LoadResource / SizeofResource /
// LockResource, and the Surface and SurfaceRGBA forms that load images from resources
// (bitmap resources through the drawing contexts, other types decoded as image files).
// Whatever the bytes, the answers are handles or null and result codes, and a bitmap
// that loads can be selected and copied whole.
#include "FuzzInput.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceRGBA.h"
#include "platform/gdi/Gdi.h"
#include "platform/system/EmulatedModule.h"
#include "platform/system/Modules.h"
#include "platform/system/Resources.h"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "resource_fuzz: %s\n", what);
    std::abort();
}

// The library's table: its entries point at the current input.
ModuleResource resources[4];
const EmulatedModule library = {L"FuzzResources.dll", nullptr, 0, nullptr, resources, 4};

bool knownResult(long result)
{
    switch (result) {
    case ResultCode::Ok:
    case ResultCode::OutOfMemory:
    case ResultCode::InvalidSurface:
    case ResultCode::ImageOpenError:
    case ResultCode::UnsupportedImageType:
    case ResultCode::UnknownError:
        return true;
    default:
        return false;
    }
}

// A loaded bitmap, copied whole into a 32-bit section through two drawing contexts.
void copyBitmap(HBITMAP bitmap)
{
    BITMAP description = {};
    if (GetObjectW(bitmap, sizeof(description), &description) != static_cast<int>(sizeof(description)))
        fail("a loaded bitmap does not describe itself");
    const int width = description.bmWidth;
    const int height = description.bmHeight < 0 ? -description.bmHeight : description.bmHeight;
    if (width <= 0 || height <= 0 || width > 8192 || height > 8192)
        fail("a loaded bitmap has a size beyond the limit");
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(BITMAPINFOHEADER);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP copy = CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC from = CreateCompatibleDC(nullptr);
    HDC to = CreateCompatibleDC(nullptr);
    if (copy && from && to) {
        HGDIOBJ oldFrom = SelectObject(from, bitmap);
        HGDIOBJ oldTo = SelectObject(to, copy);
        if (oldFrom && oldTo && !BitBlt(to, 0, 0, width, height, from, 0, 0, SRCCOPY))
            fail("a loaded bitmap cannot be copied");
        // Copies that reach past either bitmap are cut, never out of bounds.
        BitBlt(to, -3, height - 1, width + 7, 5, from, width / 2, -2, SRCCOPY);
        SelectObject(from, oldFrom);
        SelectObject(to, oldTo);
        static volatile uint32_t sink;
        const uint32_t* pixels = static_cast<const uint32_t*>(bits);
        for (long i = 0; i < static_cast<long>(width) * height; ++i)
            sink = sink + pixels[i];
    }
    if (from)
        DeleteDC(from);
    if (to)
        DeleteDC(to);
    if (copy)
        DeleteObject(copy);
}

void loadSurfaces(unsigned long id, const wchar_t* type, HMODULE module)
{
    Surface surface;
    long result = surface.create(id, type, module);
    if (!knownResult(result))
        fail("an unexpected result code");
    if (result == ResultCode::Ok) {
        // The surface's own drawing context takes a copy of itself, shifted.
        HDC dc = nullptr;
        if (surface.getDC(&dc) == ResultCode::Ok) {
            const int width = static_cast<int>(surface.getWidth()), height = static_cast<int>(surface.getHeight());
            BitBlt(dc, 1, 1, width, height, dc, 0, 0, SRCCOPY);
            surface.releaseDC(dc);
        }
    }
    surface.free();
    SurfaceRGBA rgba;
    result = rgba.create(id, type, module);
    if (!knownResult(result))
        fail("an unexpected result code for an alpha surface");
    if (result == ResultCode::Ok && (!rgba.getAlphaSurface() || rgba.getAlphaSurface()->getWidth() != rgba.getWidth()))
        fail("the alpha plane does not match the colour plane");
    rgba.free();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***)
{
    EmulatedModules::add(&library);
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The first byte says which resource holds the rest: a bitmap, image data of a named
    // type, raw data under a text name, or a bitmap named by text.
    FuzzInput in(data, size);
    const uint8_t layout = in.byte();
    std::vector<unsigned char> bytes(data + (size ? 1 : 0), data + size);
    const unsigned char* content = bytes.empty() ? nullptr : bytes.data();
    const DWORD length = static_cast<DWORD>(bytes.size());
    resources[0] = {2, nullptr, 1, nullptr, content, length};             // RT_BITMAP 1
    resources[1] = {0, L"IMAGE", 2, nullptr, content, length};            // "IMAGE" 2
    resources[2] = {10, nullptr, 0, L"Raw Data", content, length};        // RT_RCDATA "Raw Data"
    resources[3] = {2, nullptr, 0, L"PICTURE", content, length};          // RT_BITMAP "PICTURE"

    HMODULE module = LoadLibraryW(L"FuzzResources.dll");
    if (!module)
        fail("the library does not load");

    const wchar_t* names[] = {MAKEINTRESOURCEW(1), L"#1", L"PICTURE", L"picture", L"#65536", L"Raw Data"};
    HBITMAP bitmap = LoadBitmapW(module, names[layout % 6]);
    if (bitmap) {
        copyBitmap(bitmap);
        DeleteObject(bitmap);
    }
    const wchar_t* types[] = {RT_BITMAP, L"IMAGE", RT_RCDATA, L"#10", L"image"};
    HRSRC found = FindResourceW(module, names[(layout / 6) % 6], types[(layout / 36) % 5]);
    if (found) {
        HGLOBAL loaded = LoadResource(module, found);
        const void* locked = LockResource(loaded);
        if (SizeofResource(module, found) != length || (length && (!locked || std::memcmp(locked, content, length) != 0)))
            fail("a resource found does not give its bytes");
    }
    loadSurfaces(1, RT_BITMAP, module);
    loadSurfaces(2, L"IMAGE", module);
    loadSurfaces(layout, nullptr, module);
    loadSurfaces(1, L"NOTHING", module);
    FreeLibrary(module);
    for (size_t i = 0; i < bytes.size(); ++i)
        if (bytes[i] != data[i + 1])
            fail("a loader wrote into the resource");
    return 0;
}
