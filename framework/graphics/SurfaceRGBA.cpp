#include "graphics/SurfaceRGBA.h"

#include "core/ResultCodes.h"
#include "graphics/SurfaceCheck.h"

#include <cstring>
#include <new>

SurfaceRGBA::SurfaceRGBA() : alphaSurface(nullptr) {}

SurfaceRGBA::~SurfaceRGBA() {}

Surface* SurfaceRGBA::getAlphaSurface() { return alphaSurface; }

void SurfaceRGBA::setAlphaSurface(Surface* alpha)
{
    // Handing over the plane already held would release what is then adopted.
    if (alpha == alphaSurface)
        return;
    if (alphaSurface) {
        alphaSurface->free();
        delete alphaSurface;
    }
    alphaSurface = alpha;
}

long SurfaceRGBA::free()
{
    Surface::free();
    setAlphaSurface(nullptr);
    return ResultCode::Ok;
}

long SurfaceRGBA::create(unsigned long newWidth, unsigned long newHeight)
{
    if (newWidth == width && newHeight == height && newWidth > 0 && newHeight > 0)
        return ResultCode::Ok;
    free();
    if (newWidth == 0 || newHeight == 0)
        return ResultCode::Ok;
    if (long result = Surface::create(newWidth, newHeight))
        return result;
    return generateAlpha();
}

long SurfaceRGBA::generateAlpha()
{
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (alphaSurface && alphaSurface->getWidth() != 0)
        return ResultCode::Ok;
    Surface* alpha = new (std::nothrow) Surface;
    if (!alpha) {
        free();
        return ResultCode::OutOfMemory;
    }
    if (long result = alpha->create(width, height)) {
        delete alpha;
        free();
        return result;
    }
    Buffer view;
    alpha->getBuffer(&view);
    std::memset(view.pixels, 0xFF, width * height * sizeof(unsigned short));
    setAlphaSurface(alpha);
    return ResultCode::Ok;
}

long SurfaceRGBA::create(SurfaceRGBA* source)
{
    if (!source)
        return ResultCode::NullParameter;
    if (!source->pixels || source->width == 0 || source->height == 0)
        return ResultCode::InvalidSurface;
    return create(static_cast<Surface*>(source), source->alphaSurface);
}

long SurfaceRGBA::create(Surface* color, Surface* alpha)
{
    Buffer colorView;
    Buffer alphaView;
    if (long result = checkSurface(color, &colorView))
        return result;
    if (long result = checkSurface(alpha, &alphaView))
        return result;
    if (colorView.width != alphaView.width || colorView.height != alphaView.height)
        return ResultCode::InvalidSurface;

    // Both copies are made before anything is released, so either plane may be one of
    // this surface's own.
    Surface* alphaCopy = new (std::nothrow) Surface;
    if (!alphaCopy) {
        free();
        return ResultCode::OutOfMemory;
    }
    if (long result = alphaCopy->create(alpha)) {
        delete alphaCopy;
        free();
        return result;
    }
    if (colorView.width == width && colorView.height == height && pixels) {
        std::memmove(pixels, colorView.pixels, width * height * sizeof(unsigned short));
    } else {
        Surface colorCopy;
        if (long result = colorCopy.create(color)) {
            alphaCopy->free();
            delete alphaCopy;
            free();
            return result;
        }
        free();
        // Adopts the copy's buffer: the copy's destructor releases nothing.
        Surface::operator=(colorCopy);
    }
    setAlphaSurface(alphaCopy);
    return ResultCode::Ok;
}
