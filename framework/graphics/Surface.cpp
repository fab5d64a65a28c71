#include "graphics/Surface.h"

#include "core/ResultCodes.h"
#include "graphics/PixelMemory.h"
#include "pixels/PixelRules.h"
#include "graphics/RectRule.h"
#include "pixels/RowKernels.h"

#include <cstring>

namespace {
// Byte count of a width x height surface, or 0 when it cannot be allocated (including
// a multiplication that would overflow).
unsigned long long pixelBytes(unsigned long width, unsigned long height)
{
    unsigned long long pixelCount;
    if (__builtin_mul_overflow(static_cast<unsigned long long>(width), static_cast<unsigned long long>(height),
                               &pixelCount) ||
        pixelCount > PixelMemory::maxBytes / 2)
        return 0;
    return pixelCount * 2;
}
} // namespace

Surface::Surface() : dibBitmap(nullptr), dibBits(nullptr), pixels(nullptr), width(0), height(0) {}

Surface::~Surface() {}

long Surface::create(unsigned long newWidth, unsigned long newHeight)
{
    if (newWidth == width && newHeight == height && newWidth > 0 && newHeight > 0)
        return ResultCode::Ok;
    free();
    if (newWidth == 0 || newHeight == 0)
        return ResultCode::Ok;
    unsigned long long bytes = pixelBytes(newWidth, newHeight);
    void* block = bytes ? PixelMemory::allocate(bytes) : nullptr;
    if (!block)
        return ResultCode::OutOfMemory;
    pixels = static_cast<unsigned short*>(block);
    width = newWidth;
    height = newHeight;
    return ResultCode::Ok;
}

long Surface::create(Surface* source)
{
    if (!source)
        return ResultCode::NullParameter;
    if (!source->pixels || source->width == 0 || source->height == 0)
        return ResultCode::InvalidSurface;
    if (source == this)
        return ResultCode::Ok;
    if (source->width == width && source->height == height && pixels) {
        std::memcpy(pixels, source->pixels, width * height * 2);
        return ResultCode::Ok;
    }
    // Copied before the old buffer goes: the source may be released with it (the alpha
    // plane of a SurfaceRGBA is).
    void* block = PixelMemory::allocate(pixelBytes(source->width, source->height));
    if (!block) {
        free();
        return ResultCode::OutOfMemory;
    }
    unsigned long sourceWidth = source->width;
    unsigned long sourceHeight = source->height;
    std::memcpy(block, source->pixels, sourceWidth * sourceHeight * 2);
    free();
    pixels = static_cast<unsigned short*>(block);
    width = sourceWidth;
    height = sourceHeight;
    return ResultCode::Ok;
}

long Surface::free()
{
    PixelMemory::release(pixels);
    dibBitmap = nullptr;
    dibBits = nullptr;
    pixels = nullptr;
    width = 0;
    height = 0;
    return ResultCode::Ok;
}

unsigned long Surface::getWidth() { return width; }

unsigned long Surface::getHeight() { return height; }

long Surface::colorrefToNative(unsigned long color, unsigned short* native)
{
    if (!native)
        return ResultCode::NullParameter;
    *native = PixelRules::toNative(color);
    return ResultCode::Ok;
}

long Surface::nativeToColorref(unsigned long native, unsigned long* color)
{
    if (!color)
        return ResultCode::NullParameter;
    *color = PixelRules::toColorref(native & 0xFFFF);
    return ResultCode::Ok;
}

long Surface::getPixel(unsigned long x, unsigned long y, unsigned long* color)
{
    if (x >= width || y >= height)
        return ResultCode::InvalidCoordinates;
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (!color)
        return ResultCode::NullParameter;
    *color = PixelRules::toColorref(pixels[y * width + x]);
    return ResultCode::Ok;
}

long Surface::setPixel(unsigned long x, unsigned long y, unsigned long color)
{
    if (x >= width || y >= height)
        return ResultCode::InvalidCoordinates;
    if (!pixels)
        return ResultCode::InvalidSurface;
    pixels[y * width + x] = PixelRules::toNative(color);
    return ResultCode::Ok;
}

long Surface::drawHorizontalLine(unsigned long y, unsigned long x1, unsigned long x2, unsigned long color,
                                 unsigned long opacity)
{
    unsigned long from = x1 < x2 ? x1 : x2;
    unsigned long to = x1 < x2 ? x2 : x1;
    RowKernels::apply(pixels + y * width + from, to - from + 1, PixelRules::toNative(color), opacity);
    return ResultCode::Ok;
}

long Surface::drawVerticalLine(unsigned long x, unsigned long y1, unsigned long y2, unsigned long color,
                               unsigned long opacity)
{
    unsigned long from = y1 < y2 ? y1 : y2;
    unsigned long to = y1 < y2 ? y2 : y1;
    uint16_t native = PixelRules::toNative(color);
    unsigned short* pixel = pixels + from * width + x;
    for (unsigned long y = from; y <= to; ++y, pixel += width)
        *pixel = PixelRules::applyOpacity(native, *pixel, opacity);
    return ResultCode::Ok;
}

long Surface::drawLine(unsigned long x1, unsigned long y1, unsigned long x2, unsigned long y2, unsigned long color,
                       unsigned long opacity)
{
    if (x1 >= width || y1 >= height || x2 >= width || y2 >= height)
        return ResultCode::InvalidCoordinates;
    if (opacity > 255)
        return ResultCode::InvalidOpacity;
    if (opacity == 0)
        return ResultCode::Ok;
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (y1 == y2)
        return drawHorizontalLine(y1, x1, x2, color, opacity);
    if (x1 == x2)
        return drawVerticalLine(x1, y1, y2, color, opacity);

    // Bresenham over the pixel address: both end points plotted, no pixel twice.
    const uint16_t native = PixelRules::toNative(color);
    const long dx = static_cast<long>(x2) - static_cast<long>(x1);
    const long dy = static_cast<long>(y2) - static_cast<long>(y1);
    const long xStep = dx < 0 ? -1 : 1;
    const long rowStep = dy < 0 ? -static_cast<long>(width) : static_cast<long>(width);
    const long ex = 2 * (dx < 0 ? -dx : dx);
    const long ey = 2 * (dy < 0 ? -dy : dy);
    unsigned short* pixel = pixels + y1 * width + x1;
    *pixel = PixelRules::applyOpacity(native, *pixel, opacity);
    if (ey < ex) {
        long error = -(ex / 2);
        for (long steps = ex / 2; steps > 0; --steps) {
            error += ey;
            if (error >= 0) {
                error -= ex;
                pixel += rowStep;
            }
            pixel += xStep;
            *pixel = PixelRules::applyOpacity(native, *pixel, opacity);
        }
    } else {
        long error = -(ey / 2);
        for (long steps = ey / 2; steps > 0; --steps) {
            error += ex;
            pixel += rowStep;
            if (error >= 0) {
                pixel += xStep;
                error -= ey;
            }
            *pixel = PixelRules::applyOpacity(native, *pixel, opacity);
        }
    }
    return ResultCode::Ok;
}

long Surface::drawRect(unsigned long color, tagRECT* rect, unsigned long opacity)
{
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (opacity > 255)
        return ResultCode::InvalidOpacity;
    if (opacity == 0)
        return ResultCode::Ok;
    tagRECT r;
    switch (checkRect(rect, width, height, &r)) {
    case RectCheck::Empty:
        return ResultCode::Ok;
    case RectCheck::Outside:
        return ResultCode::InvalidCoordinates;
    case RectCheck::Inside:
        break;
    }
    // Each edge in full: shared pixels receive the colour once per edge.
    drawHorizontalLine(r.top, r.left, r.right - 1, color, opacity);
    drawHorizontalLine(r.bottom - 1, r.left, r.right - 1, color, opacity);
    drawVerticalLine(r.left, r.top, r.bottom - 1, color, opacity);
    drawVerticalLine(r.right - 1, r.top, r.bottom - 1, color, opacity);
    return ResultCode::Ok;
}

long Surface::fillRect(unsigned long color, tagRECT* rect, unsigned long opacity)
{
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (opacity > 255)
        return ResultCode::InvalidOpacity;
    if (opacity == 0)
        return ResultCode::Ok;
    tagRECT r;
    switch (checkRect(rect, width, height, &r)) {
    case RectCheck::Empty:
        return ResultCode::Ok;
    case RectCheck::Outside:
        return ResultCode::InvalidCoordinates;
    case RectCheck::Inside:
        break;
    }
    const uint16_t native = PixelRules::toNative(color);
    const size_t columns = static_cast<size_t>(r.right - r.left);
    const size_t rows = static_cast<size_t>(r.bottom - r.top);
    unsigned short* row = pixels + static_cast<size_t>(r.top) * width + r.left;
    if (columns == width) {
        // Whole rows lie back to back: one run.
        RowKernels::apply(row, columns * rows, native, opacity);
        return ResultCode::Ok;
    }
    for (size_t i = 0; i < rows; ++i, row += width)
        RowKernels::apply(row, columns, native, opacity);
    return ResultCode::Ok;
}

long Surface::getBuffer(Buffer* buffer)
{
    if (!buffer)
        return ResultCode::NullParameter;
    buffer->width = width;
    buffer->height = height;
    buffer->xPitch = 1;
    buffer->yPitch = static_cast<long>(width);
    buffer->pixels = pixels;
    return pixels ? ResultCode::Ok : ResultCode::InvalidSurface;
}

long Surface::getBuffer(Buffer* buffer, unsigned long angle, Flipping flipping)
{
    long result = getBuffer(buffer);
    if (result != ResultCode::Ok)
        return result;
    // Mirroring first, then the rotation of the mirrored image.
    if (flipping & FLIP_HORIZONTAL) {
        buffer->pixels += static_cast<long>(buffer->width - 1) * buffer->xPitch;
        buffer->xPitch = -buffer->xPitch;
    }
    if (flipping & FLIP_VERTICAL) {
        buffer->pixels += static_cast<long>(buffer->height - 1) * buffer->yPitch;
        buffer->yPitch = -buffer->yPitch;
    }
    long xPitch = buffer->xPitch;
    long yPitch = buffer->yPitch;
    if (angle == 90) {
        buffer->pixels += static_cast<long>(buffer->height - 1) * yPitch;
        unsigned long kept = buffer->width;
        buffer->width = buffer->height;
        buffer->height = kept;
        buffer->xPitch = -yPitch;
        buffer->yPitch = xPitch;
    } else if (angle == 180) {
        buffer->pixels += static_cast<long>(buffer->height - 1) * yPitch + static_cast<long>(buffer->width - 1) * xPitch;
        buffer->xPitch = -xPitch;
        buffer->yPitch = -yPitch;
    } else if (angle == 270) {
        buffer->pixels += static_cast<long>(buffer->width - 1) * xPitch;
        unsigned long kept = buffer->width;
        buffer->width = buffer->height;
        buffer->height = kept;
        buffer->xPitch = yPitch;
        buffer->yPitch = -xPitch;
    }
    return ResultCode::Ok;
}

long Surface::intersect(long x, long y, tagRECT* rect, Surface* other, long otherX, long otherY,
                        tagRECT* otherRect, unsigned long colorKey, unsigned long otherColorKey, tagPOINT* hit)
{
    if (!hit)
        return ResultCode::NullParameter;
    if (!pixels)
        return ResultCode::InvalidSurface;
    if (!other)
        return ResultCode::NullParameter;
    if (!other->pixels || other->width == 0 || other->height == 0)
        return ResultCode::InvalidSurface;
    tagRECT own;
    tagRECT theirs;
    RectCheck ownCheck = checkRect(rect, width, height, &own);
    if (ownCheck == RectCheck::Empty)
        return ResultCode::Ok;
    if (ownCheck == RectCheck::Outside)
        return ResultCode::InvalidCoordinates;
    RectCheck otherCheck = checkRect(otherRect, other->width, other->height, &theirs);
    if (otherCheck == RectCheck::Empty)
        return ResultCode::Ok;
    if (otherCheck == RectCheck::Outside)
        return ResultCode::InvalidCoordinates;

    hit->x = -1;
    hit->y = -1;
    // The two boxes placed on the shared plane, in a type wider than long: positions near
    // the limits of long must not overflow. Offsets within either surface fit in long.
    using Wide = __int128;
    const Wide ownLeft = Wide{x} + own.left, theirLeft = Wide{otherX} + theirs.left;
    const Wide ownRight = Wide{x} + own.right, theirRight = Wide{otherX} + theirs.right;
    const Wide ownTop = Wide{y} + own.top, theirTop = Wide{otherY} + theirs.top;
    const Wide ownBottom = Wide{y} + own.bottom, theirBottom = Wide{otherY} + theirs.bottom;
    const Wide left = ownLeft > theirLeft ? ownLeft : theirLeft;
    const Wide right = ownRight < theirRight ? ownRight : theirRight;
    const Wide top = ownTop > theirTop ? ownTop : theirTop;
    const Wide bottom = ownBottom < theirBottom ? ownBottom : theirBottom;
    if (left >= right || top >= bottom)
        return ResultCode::Ok;

    const uint16_t key = PixelRules::toNative(colorKey);
    const uint16_t otherKey = PixelRules::toNative(otherColorKey);
    const long span = static_cast<long>(right - left);
    for (Wide py = top; py < bottom; ++py) {
        const unsigned short* mine =
            pixels + static_cast<long>(py - y) * static_cast<long>(width) + static_cast<long>(left - x);
        const unsigned short* theirRow = other->pixels + static_cast<long>(py - otherY) * static_cast<long>(other->width) +
                                         static_cast<long>(left - otherX);
        for (long i = 0; i < span; ++i) {
            if (mine[i] != key && theirRow[i] != otherKey) {
                hit->x = static_cast<int32_t>(left + i);
                hit->y = static_cast<int32_t>(py);
                return ResultCode::Ok;
            }
        }
    }
    return ResultCode::Ok;
}
