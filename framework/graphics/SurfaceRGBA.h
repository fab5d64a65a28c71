#ifndef PARVOLIN_SURFACE_RGBA_H
#define PARVOLIN_SURFACE_RGBA_H

#include <Parvolin/Export.h>
#include <Parvolin/graphics/Surface.h>

class ImageSource;

// A Surface with a per-pixel opacity: a second surface of the same size, the alpha plane,
// whose grey pixels hold the opacity (an 8-bit A stored as red A >> 3, green A >> 2,
// blue A >> 3). The alpha blits read only the green field: 0 transparent, 63 opaque.
//
// The SurfaceRGBA owns the alpha plane object and its pixels and releases both in free().
// Like Surface, its destructor releases nothing and copies share both planes.
class PARVOLIN_API SurfaceRGBA : public Surface {
public:
    SurfaceRGBA();
    SurfaceRGBA(const SurfaceRGBA& other) = default;
    SurfaceRGBA& operator=(const SurfaceRGBA& other) = default;
    ~SurfaceRGBA() override;

    using Surface::create;

    long save(File* file, ImageFileType type) override;
    long save(const wchar_t* path, ImageFileType type) override;
    long create(unsigned long resourceId, const wchar_t* resourceType, HINSTANCE module) override;
    long create(File* file) override;
    long create(const wchar_t* path) override;
    // The colour plane as Surface::create, then an opaque alpha plane. Same size as now:
    // both planes stay as they are.
    long create(unsigned long width, unsigned long height) override;
    long create(unsigned char* data, unsigned long size) override;
    long free() override;

    // Deep copy of both planes of `source`.
    virtual long create(SurfaceRGBA* source);
    // Deep copy of a colour plane and an alpha plane of the same size.
    virtual long create(Surface* color, Surface* alpha);

    // The alpha plane, or null; it stays owned by this surface.
    Surface* getAlphaSurface();
    // Releases the current alpha plane and adopts `alpha` (a heap object, or null).
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

#endif
