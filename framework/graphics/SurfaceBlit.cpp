// The blits: unscaled copies to a point (bltFast, alphaBltFast) and scaled, mirrored and
// rotated copies into a rectangle (blt, alphaBlt). None of them clips: a request that
// reaches outside either surface is refused whole before any pixel is written.
#include "graphics/Surface.h"

#include "core/ResultCodes.h"
#include "pixels/BlitKernels.h"
#include "graphics/BlitRows.h"
#include "graphics/RectRule.h"
#include "graphics/SurfaceCheck.h"
#include "graphics/SurfaceRGBA.h"

#include <cstdint>
#include <cstring>

namespace {

// A w x h block placed at (x, y) lies wholly inside a width x height destination. The
// positions are unsigned, so a negative one arrives huge and is refused.
bool fitsAt(unsigned long x, unsigned long y, unsigned long w, unsigned long h, unsigned long width,
            unsigned long height)
{
    return x < width && y < height && w <= width - x && h <= height - y;
}

// Pixel (x, y) of a plain view.
const uint16_t* at(const Surface::Buffer& view, long x, long y)
{
    return view.pixels + x * view.xPitch + y * view.yPitch;
}

// Reads `count` pixels of one view row, starting at the fixed-point column `start` and
// stepping `step` (10 fractional bits) per pixel. A row read at unit steps left to right
// needs no copy: the row itself is returned.
const uint16_t* sampleRow(const uint16_t* row, long xPitch, int64_t start, int64_t step, size_t count,
                          uint16_t* buffer)
{
    if (step == 1024 && xPitch == 1)
        return row + (start >> 10);
    int64_t position = start;
    for (size_t i = 0; i < count; ++i, position += step)
        buffer[i] = row[(position >> 10) * xPitch];
    return buffer;
}

// A view and the rectangle of it that a scaled blit samples.
struct ScaledSource {
    Surface::Buffer view;
    tagRECT rect;
};

// The plain scaled copy (no shader, no alpha), where the order of the writes is free.
// A view whose rows run along the source's rows is read row by row, and a destination
// row that samples the same view row as the one above is a copy of it. A quarter-turned
// view runs down the source's columns: it is read in bands of rows, so that each source
// cache line read serves a whole band.
void copyScaled(unsigned short* destination, unsigned long destinationWidth, const tagRECT& destRect,
                const ScaledSource& source, int64_t xStep, int64_t yStep)
{
    const int64_t dw = rectWidth(destRect);
    const int64_t dh = rectHeight(destRect);
    const int64_t pitch = static_cast<int64_t>(destinationWidth);
    const int64_t start = static_cast<int64_t>(source.rect.left) << 10;
    const long xPitch = source.view.xPitch;
    unsigned short* first = destination + destRect.top * pitch + destRect.left;
    if (xPitch == 1 || xPitch == -1) {
        int64_t previousOffset = -1;
        for (int64_t j = 0; j < dh; ++j) {
            unsigned short* row = first + j * pitch;
            const int64_t rowOffset = (j * yStep) >> 10;
            if (rowOffset == previousOffset) {
                std::memcpy(row, row - pitch, static_cast<size_t>(dw) * sizeof(unsigned short));
                continue;
            }
            previousOffset = rowOffset;
            const uint16_t* sourceRow = at(source.view, 0, source.rect.top + rowOffset);
            if (xStep == 1024 && xPitch == 1) {
                std::memmove(row, sourceRow + source.rect.left, static_cast<size_t>(dw) * sizeof(unsigned short));
                continue;
            }
            int64_t position = start;
            for (int64_t i = 0; i < dw; ++i, position += xStep)
                row[i] = sourceRow[(position >> 10) * xPitch];
        }
        return;
    }
    if (xStep == 1024 && yStep == 1024 && (source.view.yPitch == 1 || source.view.yPitch == -1)) {
        // An unscaled quarter turn: a transpose of the source block.
        BlitKernels::copyQuarterTurn(first, static_cast<long>(pitch),
                                     at(source.view, source.rect.left, source.rect.top), xPitch, source.view.yPitch,
                                     static_cast<size_t>(dw), static_cast<size_t>(dh));
        return;
    }
    constexpr int64_t band = 32;
    const uint16_t* sourceRows[band];
    for (int64_t top = 0; top < dh; top += band) {
        const int64_t rows = dh - top < band ? dh - top : band;
        for (int64_t k = 0; k < rows; ++k)
            sourceRows[k] = at(source.view, 0, source.rect.top + (((top + k) * yStep) >> 10));
        unsigned short* out = first + top * pitch;
        int64_t position = start;
        for (int64_t i = 0; i < dw; ++i, position += xStep) {
            const int64_t offset = (position >> 10) * xPitch;
            if (rows == band) {
                for (int64_t k = 0; k < band; ++k)
                    out[k * pitch + i] = sourceRows[k][offset];
            } else {
                for (int64_t k = 0; k < rows; ++k)
                    out[k * pitch + i] = sourceRows[k][offset];
            }
        }
    }
}

// The scaled blits' loop: every pixel of the destination rectangle, each row from the
// left, sampled nearest by truncation. The steps are computed in 64 bits: the same values
// as the 10-bit fixed point of the device wherever that did not overflow.
void scaleRows(unsigned short* destination, unsigned long destinationWidth, const tagRECT& destRect,
               const ScaledSource& source, const ScaledSource* alpha, Shader* shader)
{
    const int64_t dw = static_cast<int64_t>(rectWidth(destRect));
    const int64_t dh = static_cast<int64_t>(rectHeight(destRect));
    const int64_t xStep = (static_cast<int64_t>(rectWidth(source.rect)) << 10) / dw;
    const int64_t yStep = (static_cast<int64_t>(rectHeight(source.rect)) << 10) / dh;
    if (!alpha && !shader) {
        copyScaled(destination, destinationWidth, destRect, source, xStep, yStep);
        return;
    }
    const BlitRows::Shading shading = BlitRows::prepare(shader);
    uint16_t sourceBuffer[BlitRows::chunk];
    uint16_t alphaBuffer[BlitRows::chunk];
    for (int64_t j = 0; j < dh; ++j) {
        unsigned short* row = destination + (destRect.top + j) * static_cast<int64_t>(destinationWidth) + destRect.left;
        const int64_t rowOffset = (j * yStep) >> 10;
        const uint16_t* sourceRow = at(source.view, 0, source.rect.top + rowOffset);
        const uint16_t* alphaRow = alpha ? at(alpha->view, 0, alpha->rect.top + rowOffset) : nullptr;
        for (int64_t done = 0; done < dw; done += BlitRows::chunk) {
            const size_t n = static_cast<size_t>(dw - done < static_cast<int64_t>(BlitRows::chunk) ? dw - done
                                                                                                  : BlitRows::chunk);
            const int64_t offset = done * xStep;
            const uint16_t* sampled = sampleRow(sourceRow, source.view.xPitch,
                                                (static_cast<int64_t>(source.rect.left) << 10) + offset, xStep, n,
                                                sourceBuffer);
            const uint16_t* weights =
                alpha ? sampleRow(alphaRow, alpha->view.xPitch, (static_cast<int64_t>(alpha->rect.left) << 10) + offset,
                                  xStep, n, alphaBuffer)
                      : nullptr;
            BlitRows::compose(row + done, sampled, weights, n, shading);
        }
    }
}

} // namespace

long Surface::bltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Shader* shader)
{
    long result;
    Buffer sourceView;
    if ((result = checkSurface(source, &sourceView)))
        return result;
    if (!pixels)
        return ResultCode::InvalidSurface;
    tagRECT r;
    if (!passRectRule(sourceRect, sourceView.width, sourceView.height, &r, &result))
        return result;
    const unsigned long w = rectWidth(r);
    const unsigned long h = rectHeight(r);
    if (!fitsAt(x, y, w, h, width, height))
        return ResultCode::InvalidCoordinates;

    const unsigned short* from = at(sourceView, r.left, r.top);
    unsigned short* to = pixels + y * width + x;
    if (!shader && w == width && w == sourceView.width) {
        // Whole rows on both sides lie back to back: one block.
        std::memmove(to, from, w * h * sizeof(unsigned short));
        return ResultCode::Ok;
    }
    if (!shader) {
        for (unsigned long row = 0; row < h; ++row, from += sourceView.width, to += width)
            std::memmove(to, from, w * sizeof(unsigned short));
        return ResultCode::Ok;
    }
    BlitRows::shadeBlock(BlitRows::prepare(shader), to, static_cast<long>(width), from,
                         static_cast<long>(sourceView.width), w, h);
    return ResultCode::Ok;
}

long Surface::alphaBltFast(unsigned long x, unsigned long y, Surface* source, tagRECT* sourceRect, Surface* alpha,
                           tagRECT* alphaRect, Shader* shader)
{
    long result;
    Buffer sourceView;
    Buffer alphaView;
    if ((result = checkSurface(source, &sourceView)))
        return result;
    if ((result = checkSurface(alpha, &alphaView)))
        return result;
    if (!pixels)
        return ResultCode::InvalidSurface;
    tagRECT r;
    tagRECT ar;
    if (!passRectRule(sourceRect, sourceView.width, sourceView.height, &r, &result))
        return result;
    if (!passRectRule(alphaRect, alphaView.width, alphaView.height, &ar, &result))
        return result;
    const unsigned long w = rectWidth(r);
    const unsigned long h = rectHeight(r);
    if (!fitsAt(x, y, w, h, width, height) || rectWidth(r) != rectWidth(ar) || rectHeight(r) != rectHeight(ar))
        return ResultCode::InvalidCoordinates;

    const unsigned short* from = at(sourceView, r.left, r.top);
    const unsigned short* weights = at(alphaView, ar.left, ar.top);
    unsigned short* to = pixels + y * width + x;
    const BlitRows::Shading shading = BlitRows::prepare(shader);
    for (unsigned long row = 0; row < h; ++row, from += sourceView.width, weights += alphaView.width, to += width)
        BlitRows::compose(to, from, weights, w, shading);
    return ResultCode::Ok;
}

long Surface::alphaBltFast(unsigned long x, unsigned long y, SurfaceRGBA* source, tagRECT* sourceRect, Shader* shader)
{
    if (!source)
        return ResultCode::NullParameter;
    return alphaBltFast(x, y, source, sourceRect, source->getAlphaSurface(), sourceRect, shader);
}

long Surface::blt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, unsigned long angle, Flipping flipping,
                  Shader* shader)
{
    long result;
    tagRECT dr;
    if (!passRectRule(destRect, width, height, &dr, &result))
        return result;
    ScaledSource scaled;
    if ((result = checkSurface(source, &scaled.view)))
        return result;
    if (!pixels)
        return ResultCode::InvalidSurface;
    tagRECT r;
    if (!passRectRule(sourceRect, scaled.view.width, scaled.view.height, &r, &result))
        return result;
    if ((result = source->getBuffer(&scaled.view, angle, flipping)))
        return result;
    scaled.rect = correctRect(&r, angle, flipping, source);
    scaleRows(pixels, width, dr, scaled, nullptr, shader);
    return ResultCode::Ok;
}

long Surface::alphaBlt(tagRECT* destRect, Surface* source, tagRECT* sourceRect, Surface* alpha, tagRECT* alphaRect,
                       unsigned long angle, Flipping flipping, Shader* shader)
{
    long result;
    tagRECT dr;
    if (!passRectRule(destRect, width, height, &dr, &result))
        return result;
    ScaledSource scaled;
    ScaledSource weights;
    if ((result = checkSurface(source, &scaled.view)))
        return result;
    if ((result = checkSurface(alpha, &weights.view)))
        return result;
    if (!pixels)
        return ResultCode::InvalidSurface;
    tagRECT r;
    tagRECT ar;
    if (!passRectRule(sourceRect, scaled.view.width, scaled.view.height, &r, &result))
        return result;
    if (!passRectRule(alphaRect, weights.view.width, weights.view.height, &ar, &result))
        return result;
    if (rectWidth(r) != rectWidth(ar) || rectHeight(r) != rectHeight(ar))
        return ResultCode::InvalidCoordinates;
    if ((result = source->getBuffer(&scaled.view, angle, flipping)))
        return result;
    if ((result = alpha->getBuffer(&weights.view, angle, flipping)))
        return result;
    scaled.rect = correctRect(&r, angle, flipping, source);
    weights.rect = correctRect(&ar, angle, flipping, alpha);
    scaleRows(pixels, width, dr, scaled, &weights, shader);
    return ResultCode::Ok;
}

long Surface::alphaBlt(tagRECT* destRect, SurfaceRGBA* source, tagRECT* sourceRect, unsigned long angle,
                       Flipping flipping, Shader* shader)
{
    if (!source)
        return ResultCode::NullParameter;
    return alphaBlt(destRect, source, sourceRect, source->getAlphaSurface(), sourceRect, angle, flipping, shader);
}

tagRECT Surface::correctRect(tagRECT* rect, unsigned long angle, Flipping flipping, Surface* surface)
{
    const int32_t surfaceWidth = surface ? static_cast<int32_t>(surface->width) : 0;
    const int32_t surfaceHeight = surface ? static_cast<int32_t>(surface->height) : 0;
    tagRECT r = rect ? *rect : tagRECT{0, 0, surfaceWidth, surfaceHeight};
    const int32_t w = r.right - r.left;
    const int32_t h = r.bottom - r.top;
    if (flipping & FLIP_HORIZONTAL) {
        r.left = surfaceWidth - r.right;
        r.right = r.left + w;
    }
    if (flipping & FLIP_VERTICAL) {
        r.top = surfaceHeight - r.bottom;
        r.bottom = r.top + h;
    }
    // A quarter turn exchanges the horizontal and vertical ranges; a half turn keeps them.
    if (angle == 90 || angle == 270)
        return tagRECT{r.top, r.left, r.bottom, r.right};
    return r;
}
