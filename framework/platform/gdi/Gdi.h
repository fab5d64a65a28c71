#ifndef PARVOLIN_GDI_H
#define PARVOLIN_GDI_H

#include "platform/base/LastError.h"
#include "platform/base/PlatformTypes.h"

// The small part of the device's GDI the framework uses: DIB sections, screen and memory
// device contexts, selecting a bitmap, copying between bitmaps of any supported format,
// and bitmaps loaded from a module's resources.

struct BITMAPINFOHEADER {
    DWORD biSize;
    LONG biWidth;
    LONG biHeight;  // negative: rows top-down
    WORD biPlanes;
    WORD biBitCount;
    DWORD biCompression;
    DWORD biSizeImage;
    LONG biXPelsPerMeter;
    LONG biYPelsPerMeter;
    DWORD biClrUsed;
    DWORD biClrImportant;
};

struct RGBQUAD {
    BYTE rgbBlue;
    BYTE rgbGreen;
    BYTE rgbRed;
    BYTE rgbReserved;
};

// The header is followed by the colour masks (BI_BITFIELDS) or the colour table.
struct BITMAPINFO {
    BITMAPINFOHEADER bmiHeader;
    RGBQUAD bmiColors[1];
};

struct BITMAP {
    LONG bmType;
    LONG bmWidth;
    LONG bmHeight;
    LONG bmWidthBytes;
    WORD bmPlanes;
    WORD bmBitsPixel;
    void* bmBits;  // a DIB section's pixels; null for other bitmaps
};

constexpr DWORD BI_RGB = 0;
constexpr DWORD BI_BITFIELDS = 3;
constexpr UINT DIB_RGB_COLORS = 0;

constexpr DWORD SRCCOPY = 0x00CC0020;
constexpr DWORD BLACKNESS = 0x00000042;
constexpr DWORD WHITENESS = 0x00FF0062;

// 16 bits per pixel (BI_RGB is RGB555; BI_BITFIELDS takes the three masks after the
// header), 24 bits (BI_RGB), or 32 bits (BI_RGB or BI_BITFIELDS). The pixels start zeroed;
// rows are padded to 4 bytes. `section` must be null.
HBITMAP CreateDIBSection(HDC dc, const BITMAPINFO* info, UINT usage, void** bits, HANDLE section,
                                      DWORD offset);

// The device context of a window, or of the whole screen for a null window.
HDC GetDC(HWND window);
// 1 when `dc` came from GetDC and is now released, else 0.
int ReleaseDC(HWND window, HDC dc);
// A memory context with a 1x1 placeholder bitmap selected; `dc` may be null.
HDC CreateCompatibleDC(HDC dc);
// Selects a bitmap into a memory context; returns the one it replaces, or null when the
// bitmap is selected into another context or either handle is not what it should be.
HGDIOBJ SelectObject(HDC dc, HGDIOBJ object);
// Copies a rectangle between the bitmaps of two contexts, converting the pixel format,
// clipped to both bitmaps (a source and target that overlap are handled). SRCCOPY,
// BLACKNESS and WHITENESS.
BOOL BitBlt(HDC target, int x, int y, int width, int height, HDC source, int sourceX, int sourceY,
                         DWORD rasterOperation);
BOOL DeleteDC(HDC dc);
// A bitmap still selected into a context is not deleted (FALSE).
BOOL DeleteObject(HGDIOBJ object);
// Fills a BITMAP for a bitmap; returns the bytes written, or the size needed for null.
int GetObjectW(HGDIOBJ object, int size, void* out);
// A bitmap resource of the module (null: the running program) as a 32-bit bitmap.
// Uncompressed 1, 4, 8, 16, 24 and 32-bit resources load; others give ERROR_INVALID_DATA.
HBITMAP LoadBitmapW(HINSTANCE instance, LPCWSTR name);

#endif
