#ifndef PARVOLIN_SURFACE_H
#define PARVOLIN_SURFACE_H

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class File;
class Font;
class Shader;
class SurfaceRGBA;

// Where drawText and drawFormattedText put x: at the text's left end, its right end or
// its centre. The plain numbers 0, 1 and 2 mean the same.
namespace TextAlign {
enum : unsigned long {
    Left = 0,
    Right = 1,
    Center = 2,
};
} // namespace TextAlign

// A rectangle of 16-bit RGB565 pixels in ordinary memory: the back buffer, sprites,
// glyphs, decoded images and video frames. Colours at the interface are COLORREF values
// 0x00BBGGRR. Every operation checks all its arguments before it writes a pixel.
//
// The destructor releases nothing and copies share the pixels: the owner calls free()
// once. Deep copies are made with create(Surface*).
class PARVOLIN_API Surface {
public:
    enum Flipping { FLIP_NONE = 0, FLIP_HORIZONTAL = 1, FLIP_VERTICAL = 2, FLIP_BOTH = 3 };
    enum ImageFileType { BMP = 0, PNG = 1 };

    // A view of the pixels with signed pitches counted in pixels: pixel (x, y) of the view
    // is at pixels + x * xPitch + y * yPitch.
    struct Buffer {
        unsigned long width;
        unsigned long height;
        long xPitch;
        long yPitch;
        unsigned short* pixels;
    };

    Surface();
    Surface(const Surface& other) = default;
    Surface& operator=(const Surface& other) = default;

    // Virtual operations in the order games and subclasses rely on.
    virtual ~Surface();
    virtual long save(File* file, ImageFileType type);
    virtual long save(const wchar_t* path, ImageFileType type);
    virtual long create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module);
    virtual long create(File* file);
    virtual long create(const wchar_t* path);
    // Same size as now (both above 0): returns at once and keeps the pixels.
    virtual long create(unsigned long width, unsigned long height);
    virtual long create(Surface* source);
    virtual long create(unsigned char* data, unsigned long size);
    virtual long free();

    // Lets create(0, 5) and create(w, h) with int arguments pick the size form.
    long create(int columns, int rows)
    {
        return create(static_cast<unsigned long>(static_cast<long>(columns)),
                      static_cast<unsigned long>(static_cast<long>(rows)));
    }

    unsigned long getWidth();
    unsigned long getHeight();

    long getPixel(unsigned long x, unsigned long y, unsigned long* color);
    long setPixel(unsigned long x, unsigned long y, unsigned long color);
    long drawLine(unsigned long x1, unsigned long y1, unsigned long x2, unsigned long y2, unsigned long color,
                  unsigned long opacity);
    long drawRect(unsigned long color, tagRECT* rect, unsigned long opacity);
    long fillRect(unsigned long color, tagRECT* rect, unsigned long opacity);

    long getBuffer(Buffer* buffer);
    long getBuffer(Buffer* buffer, unsigned long angle, Flipping flipping);

    long getDC(HDC* dc);
    long releaseDC(HDC dc);

    static long colorrefToNative(unsigned long color, unsigned short* native);
    static long nativeToColorref(unsigned long native, unsigned long* color);

    // Pixel-exact collision: the first point, scanning the overlap row by row, where both
    // surfaces show a pixel other than their colour key; (-1, -1) when there is none.
    long intersect(long x, long y, tagRECT* rect, Surface* other, long otherX, long otherY, tagRECT* otherRect,
                   unsigned long colorKey, unsigned long otherColorKey, tagPOINT* hit);

    long bltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Shader* shader);
    long alphaBltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Surface* alpha,
                      tagRECT* alphaRect, Shader* shader);
    long alphaBltFast(unsigned long x, unsigned long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader);
    long blt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, unsigned long angle, Flipping flipping,
             Shader* shader);
    long alphaBlt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, Surface* alpha, tagRECT* alphaRect,
                  unsigned long angle, Flipping flipping, Shader* shader);
    long alphaBlt(tagRECT* destRect, SurfaceRGBA* source, tagRECT* sourceRect, unsigned long angle,
                  Flipping flipping, Shader* shader);

    // One line of text with its left end (TextAlign::Left), right end (TextAlign::Right) or
    // centre (TextAlign::Center) at x and its top at y, through the font's shader. Unknown
    // characters take no room; glyphs that do not lie wholly inside the surface are left
    // out. The formatted form expands the format with the platform's wide formatting into
    // 128 characters (ResultCode::StringTooLarge when it does not fit).
    long drawText(unsigned long x, unsigned long y, Font* font, unsigned long alignment, const wchar_t* text);
    long drawFormattedText(unsigned long x, unsigned long y, Font* font, unsigned long alignment,
                           const wchar_t* format, ...);

protected:
    // Row y from min(x1, x2) to max(x1, x2), and column x from min(y1, y2) to max(y1, y2),
    // both inclusive, by the opacity rule. No checks: callers check (panels use them too).
    long drawHorizontalLine(unsigned long y, unsigned long x1, unsigned long x2, unsigned long color,
                            unsigned long opacity);
    long drawVerticalLine(unsigned long x, unsigned long y1, unsigned long y2, unsigned long color,
                          unsigned long opacity);

    // Maps a rectangle of `surface` into its mirrored and rotated view (see getBuffer).
    tagRECT correctRect(tagRECT* rect, unsigned long angle, Flipping flipping, Surface* surface);

    HBITMAP dibBitmap;
    void* dibBits;
    unsigned short* pixels;
    unsigned long width;
    unsigned long height;

    friend class Panel;
};

#endif
