#ifndef PARVOLIN_SURFACE_RGBA_H
#define PARVOLIN_SURFACE_RGBA_H

/// \file
/// SurfaceRGBA, a Surface with an alpha plane.
/// \ingroup graphics

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Surface.h>

class ImageSource;

/// \addtogroup graphics
/// @{

/// A Surface with a per-pixel opacity: a second surface of the same size, the alpha plane,
/// whose grey pixels hold the opacity (an 8-bit A stored as red A >> 3, green A >> 2,
/// blue A >> 3). The alpha blits read only the green field: 0 transparent, 63 opaque.
/// The plain drawing calls and bltFast of Surface use the colour plane alone.
///
/// The SurfaceRGBA owns the alpha plane object and its pixels and releases both in free().
/// Like Surface, its destructor releases nothing and copies share both planes. Surface's
/// create(Surface*) copies the colour plane only; create(SurfaceRGBA*) copies both.
class PARVOLIN_API SurfaceRGBA : public Surface {
public:
    /// An empty surface without an alpha plane.
    SurfaceRGBA();
    /// Shares both of `other`'s planes (no copy).
    SurfaceRGBA(const SurfaceRGBA& other) = default;
    /// Shares both of `other`'s planes (no copy); nothing held before is released.
    SurfaceRGBA& operator=(const SurfaceRGBA& other) = default;
    /// Releases nothing: call free() first.
    ~SurfaceRGBA() override;

    using Surface::create;

    /// As Surface::save; a PNG file keeps the alpha plane as its opacity, a bitmap has none.
    long save(File* file, ImageFileType type) override;
    /// As Surface::save(const wchar_t*, ImageFileType); PNG keeps the opacity.
    long save(const wchar_t* path, ImageFileType type) override;
    /// As Surface's resource form, but the image must carry its opacity (a PNG with an
    /// alpha channel, say): one without fails with ResultCode::UnknownError and leaves the
    /// surface empty.
    long create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module) override;
    /// As Surface::create(File*); the file's opacity becomes the alpha plane, and an image
    /// without one comes out opaque.
    long create(File* file) override;
    /// As Surface::create(const wchar_t*); an image without opacity comes out opaque.
    long create(const wchar_t* path) override;
    /// The colour plane as Surface::create, then an opaque alpha plane. Same size as now:
    /// both planes stay as they are.
    long create(unsigned long width, unsigned long height) override;
    /// As Surface's memory form, but the image must carry its opacity
    /// (ResultCode::UnknownError otherwise, the surface left empty).
    long create(unsigned char* data, unsigned long size) override;
    /// Releases both planes. 0.
    long free() override;

    /// Deep copy of both planes of `source`. ResultCode::NullParameter, InvalidSurface,
    /// OutOfMemory.
    virtual long create(SurfaceRGBA* source);
    /// Deep copy of a colour plane and an alpha plane of the same size
    /// (ResultCode::InvalidSurface when the sizes differ).
    virtual long create(Surface* color, Surface* alpha);

    /// The alpha plane, or null; it stays owned by this surface.
    Surface* getAlphaSurface();
    /// Releases the current alpha plane and adopts `alpha` (a heap object made with new,
    /// or null): the SurfaceRGBA frees and deletes it. Its size should be the colour
    /// plane's.
    void setAlphaSurface(Surface* alpha);

private:
    // Gives the surface an opaque alpha plane of its size unless it has a non-empty one.
    long generateAlpha();
    // The image forms: decodes `source` with a fresh alpha target and installs it. An
    // alpha plane the decoder left empty becomes opaque when `completeEmptyAlpha` is set,
    // otherwise the load fails with ResultCode::UnknownError.
    long loadImage(ImageSource& source, bool completeEmptyAlpha);

    Surface* alphaSurface;
};

/// @}

#endif
