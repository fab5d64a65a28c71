#ifndef PARVOLIN_SURFACE_H
#define PARVOLIN_SURFACE_H

/// \file
/// Surface, a rectangle of RGB565 pixels, and its drawing, blits and text.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/platform/base/PlatformTypes.h>

class File;
class Font;
class Shader;
class SurfaceRGBA;

/// \addtogroup graphics
/// @{

/// Where drawText and drawFormattedText put x: at the text's left end, its right end or
/// its centre. The plain numbers 0, 1 and 2 mean the same.
namespace TextAlign {
/// The alignments.
enum : unsigned long {
    Left = 0,    ///< x is the text's left end.
    Right = 1,   ///< x is the text's right end.
    Center = 2,  ///< x is the text's centre.
};
} // namespace TextAlign

/// A rectangle of 16-bit RGB565 pixels in ordinary memory: the back buffer, sprites,
/// glyphs, decoded images and video frames. Colours at the interface are COLORREF values
/// 0x00BBGGRR (see RGB); they are stored as RGB565, keeping the top 5, 6 and 5 bits.
///
/// Rectangles are right- and bottom-exclusive, and null means the whole surface; an
/// inverted rectangle is normalised first, and an empty one does nothing and succeeds.
/// A surface never clips: a call whose rectangle or position reaches outside the surface
/// (or the source) is refused whole with ResultCode::InvalidCoordinates before any pixel
/// is written. Panel is the drawing area that clips. Every operation checks all its
/// arguments before it writes a pixel.
///
/// The opacity rule of setPixel's siblings drawLine, drawRect and fillRect: opacity 0
/// draws nothing, 255 writes the colour, 128 gives the exact half of colour and pixel,
/// every other value blends with the weight opacity >> 2 out of 64; above 255 is
/// ResultCode::InvalidOpacity.
///
/// The destructor releases nothing and copies share the pixels: the owner calls free()
/// once. Deep copies are made with create(Surface*).
class PARVOLIN_API Surface {
public:
    /// Mirroring for blt, alphaBlt and getBuffer, applied before the rotation.
    enum Flipping {
        FLIP_NONE = 0,        ///< As it is.
        FLIP_HORIZONTAL = 1,  ///< Left and right exchanged.
        FLIP_VERTICAL = 2,    ///< Top and bottom exchanged.
        FLIP_BOTH = 3         ///< Both: a half turn.
    };
    /// The file formats save writes.
    enum ImageFileType {
        BMP = 0,  ///< A Windows bitmap, 16 bits per pixel.
        PNG = 1   ///< A PNG file (with the alpha plane of a SurfaceRGBA).
    };

    /// A view of the pixels with signed pitches counted in pixels: pixel (x, y) of the view
    /// is at pixels + x * xPitch + y * yPitch.
    struct Buffer {
        unsigned long width;   ///< Columns of the view.
        unsigned long height;  ///< Rows of the view.
        long xPitch;           ///< Pixels from one column to the next.
        long yPitch;           ///< Pixels from one row to the next.
        unsigned short* pixels;  ///< Pixel (0, 0) of the view, RGB565; borrowed from the surface.
    };

    /// An empty surface: no pixels, size 0 x 0.
    Surface();
    /// Shares `other`'s pixels (no copy).
    Surface(const Surface& other) = default;
    /// Shares `other`'s pixels (no copy); the pixels held before are not released.
    Surface& operator=(const Surface& other) = default;

    // Virtual operations in the order games and subclasses rely on.

    /// Releases nothing: call free() first.
    virtual ~Surface();
    /// Writes the surface to `file` as a bitmap or PNG. 0, or ResultCode::NullParameter,
    /// UnsupportedImageType (another type), InvalidSurface (no pixels), ImageSaveError.
    virtual long save(File* file, ImageFileType type);
    /// The same to the file at `path`, written beside it first and put in its place only
    /// when whole. The path goes to the system's file calls as it is: a relative one is
    /// taken from the working folder, unlike create's (Device::getAbsolutePath makes one
    /// from the program's folder).
    virtual long save(const wchar_t* path, ImageFileType type);
    /// Loads an image resource of `module` (null: the program): a bitmap resource, or the
    /// bytes of a resource of `resourceType` decoded as for create(File*).
    virtual long create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module);
    /// Loads the whole of `file` (resolved by a FileSystemManager, so also a member of a
    /// ZIP archive), decoding BMP, PNG, JPEG or GIF (its first frame, transparency
    /// ignored) by its first bytes, at most 8192 pixels on a side. 0, or
    /// ResultCode::NullParameter, ImageOpenError (unreadable, damaged or too large),
    /// UnsupportedImageType (not one of the formats), OutOfMemory.
    virtual long create(File* file);
    /// The same from the local file at `path`, relative paths taken from the program's
    /// folder. This form does not read archives: resolve a File for "zip:" paths.
    virtual long create(const wchar_t* path);
    /// New pixels of the given size, their content undefined (fill them before showing
    /// them). Same size as now (both above 0): returns at once and keeps the pixels.
    /// Otherwise the old pixels go first; a zero side leaves the surface empty and succeeds.
    /// ResultCode::OutOfMemory when the pixels cannot be had.
    virtual long create(unsigned long width, unsigned long height);
    /// A deep copy of `source`'s pixels. ResultCode::NullParameter, InvalidSurface (a
    /// source without pixels), OutOfMemory.
    virtual long create(Surface* source);
    /// Decodes an image held in memory (`size` bytes at `data`) as create(File*) does;
    /// the bytes stay the caller's.
    virtual long create(unsigned char* data, unsigned long size);
    /// Releases the pixels; the surface is empty again. 0.
    virtual long free();

    /// Lets create(0, 5) and create(w, h) with int arguments pick the size form.
    long create(int columns, int rows)
    {
        return create(static_cast<unsigned long>(static_cast<long>(columns)),
                      static_cast<unsigned long>(static_cast<long>(rows)));
    }

    /// Columns; 0 when empty.
    unsigned long getWidth();
    /// Rows; 0 when empty.
    unsigned long getHeight();

    /// The COLORREF of pixel (x, y) into `color`. ResultCode::InvalidCoordinates,
    /// InvalidSurface, NullParameter.
    long getPixel(unsigned long x, unsigned long y, unsigned long* color);
    /// Sets pixel (x, y) to the COLORREF `color`. ResultCode::InvalidCoordinates,
    /// InvalidSurface.
    long setPixel(unsigned long x, unsigned long y, unsigned long color);
    /// A line from (x1, y1) to (x2, y2), both ends drawn, by the opacity rule. Both ends
    /// must lie on the surface (ResultCode::InvalidCoordinates).
    long drawLine(unsigned long x1, unsigned long y1, unsigned long x2, unsigned long y2, unsigned long color,
                  unsigned long opacity);
    /// The outline of `rect` (its last column and row are right - 1 and bottom - 1), one
    /// pixel wide, by the opacity rule.
    long drawRect(unsigned long color, tagRECT* rect, unsigned long opacity);
    /// Fills `rect` (null: the whole surface) by the opacity rule.
    long fillRect(unsigned long color, tagRECT* rect, unsigned long opacity);

    /// The plain view of the pixels (xPitch 1, yPitch the width), for drawing directly
    /// into them. ResultCode::NullParameter, InvalidSurface (the view is still filled).
    long getBuffer(Buffer* buffer);
    /// The view mirrored by `flipping`, then turned clockwise by `angle` degrees (90, 180
    /// or 270; any other value turns nothing).
    long getBuffer(Buffer* buffer, unsigned long angle, Flipping flipping);

    /// A device context over a copy of the pixels, for the system's drawing calls;
    /// releaseDC copies its pixels back. ResultCode::NullParameter, InvalidSurface,
    /// UnknownError.
    long getDC(HDC* dc);
    /// Deletes `dc` and copies what was drawn into the surface, unless the surface changed
    /// its size meanwhile (ResultCode::InvalidSurface).
    long releaseDC(HDC dc);

    /// The RGB565 pixel of a COLORREF. ResultCode::NullParameter for null `native`.
    static long colorrefToNative(unsigned long color, unsigned short* native);
    /// The COLORREF of an RGB565 pixel, each field at the top of its byte.
    /// ResultCode::NullParameter for null `color`.
    static long nativeToColorref(unsigned long native, unsigned long* color);

    /// Pixel-exact collision: `rect` of this surface placed at (x, y) and `otherRect` of
    /// `other` at (otherX, otherY) on one plane. `hit` receives the first point, scanning
    /// the overlap row by row, where both surfaces show a pixel other than their colour
    /// key (COLORREF values); (-1, -1) when there is none. 0 also without a collision;
    /// ResultCode::NullParameter, InvalidSurface, InvalidCoordinates (a rectangle outside
    /// its surface).
    long intersect(long x, long y, tagRECT* rect, Surface* other, long otherX, long otherY, tagRECT* otherRect,
                   unsigned long colorKey, unsigned long otherColorKey, tagPOINT* hit);

    /// Copies `sourceRect` of `source` (null: all of it) unscaled with its top-left corner
    /// at (x, y), through `shader` (null: a plain copy). Refused whole
    /// (ResultCode::InvalidCoordinates) when it does not lie wholly inside this surface;
    /// ResultCode::NullParameter, InvalidSurface. Use a Panel to clip.
    long bltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Shader* shader);
    /// bltFast blended by an alpha plane: `alphaRect` of `alpha` (the same size as
    /// `sourceRect`) gives each pixel's opacity in its green field, 0 transparent to 63
    /// opaque (see SurfaceRGBA). The shader's result is what is blended.
    long alphaBltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Surface* alpha,
                      tagRECT* alphaRect, Shader* shader);
    /// alphaBltFast with the source's own alpha plane, the same rectangle of both.
    long alphaBltFast(unsigned long x, unsigned long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader);
    /// Copies `sourceRect` of `source` scaled into `destRect` of this surface (nearest
    /// pixel), mirrored by `flipping` and turned clockwise by `angle` (0, 90, 180 or 270),
    /// through `shader`. Both rectangles must lie inside their surfaces
    /// (ResultCode::InvalidCoordinates); ResultCode::NullParameter, InvalidSurface.
    long blt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, unsigned long angle, Flipping flipping,
             Shader* shader);
    /// blt blended by `alphaRect` of `alpha`, as alphaBltFast.
    long alphaBlt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, Surface* alpha, tagRECT* alphaRect,
                  unsigned long angle, Flipping flipping, Shader* shader);
    /// alphaBlt with the source's own alpha plane, the same rectangle of both.
    long alphaBlt(tagRECT* destRect, SurfaceRGBA* source, tagRECT* sourceRect, unsigned long angle,
                  Flipping flipping, Shader* shader);

    /// One line of text with its left end (TextAlign::Left), right end (TextAlign::Right) or
    /// centre (TextAlign::Center) at x and its top at y, through the font's shader. Unknown
    /// characters take no room; glyphs that do not lie wholly inside the surface are left
    /// out. ResultCode::NullParameter, InvalidFont (a font without glyphs), InvalidSurface.
    long drawText(unsigned long x, unsigned long y, Font* font, unsigned long alignment, const wchar_t* text);
    /// drawText of `format` expanded with the platform's wide formatting (as swprintf)
    /// into 128 characters (ResultCode::StringTooLarge when it does not fit).
    long drawFormattedText(unsigned long x, unsigned long y, Font* font, unsigned long alignment,
                           const wchar_t* format, ...);

protected:
    /// Row y from min(x1, x2) to max(x1, x2), both inclusive, by the opacity rule. No
    /// checks: callers check (panels use it too).
    long drawHorizontalLine(unsigned long y, unsigned long x1, unsigned long x2, unsigned long color,
                            unsigned long opacity);
    /// Column x from min(y1, y2) to max(y1, y2), both inclusive, by the opacity rule. No
    /// checks.
    long drawVerticalLine(unsigned long x, unsigned long y1, unsigned long y2, unsigned long color,
                          unsigned long opacity);

    /// Maps a rectangle of `surface` into its mirrored and rotated view (see getBuffer).
    tagRECT correctRect(tagRECT* rect, unsigned long angle, Flipping flipping, Surface* surface);

    HBITMAP dibBitmap;        ///< The section behind getDC, between getDC and releaseDC; else null.
    void* dibBits;            ///< The section's pixels, or null.
    unsigned short* pixels;   ///< The RGB565 pixels, row after row; null when empty.
    unsigned long width;      ///< Columns.
    unsigned long height;     ///< Rows.

    friend class Panel;
};

/// @}

#endif
