#include "display/FlipCopies.h"

#include "pixels/PixelRules.h"
#include "pixels/VectorKernels.h"

#include <cstring>

namespace {

template <bool to555> inline uint16_t converted(uint16_t p) { return to555 ? PixelRules::toRgb555(p) : p; }

inline void put(unsigned char* at, uint16_t p) { std::memcpy(at, &p, sizeof(p)); }

// The plain rule. Offsets rather than moving pointers, so that no address outside the
// frame buffer is ever formed.
template <bool to555>
void plainRows(unsigned char* base, const uint16_t* pixels, unsigned long width, unsigned long height, ptrdiff_t xPitch,
               ptrdiff_t yPitch)
{
    for (unsigned long y = 0; y < height; ++y) {
        const uint16_t* source = pixels + y * width;
        ptrdiff_t at = static_cast<ptrdiff_t>(y) * yPitch;
        unsigned long x = 0;
        for (; x + 8 <= width; x += 8, source += 8, at += 8 * xPitch) {
            put(base + at, converted<to555>(source[0]));
            put(base + at + xPitch, converted<to555>(source[1]));
            put(base + at + 2 * xPitch, converted<to555>(source[2]));
            put(base + at + 3 * xPitch, converted<to555>(source[3]));
            put(base + at + 4 * xPitch, converted<to555>(source[4]));
            put(base + at + 5 * xPitch, converted<to555>(source[5]));
            put(base + at + 6 * xPitch, converted<to555>(source[6]));
            put(base + at + 7 * xPitch, converted<to555>(source[7]));
        }
        for (; x < width; ++x, ++source, at += xPitch)
            put(base + at, converted<to555>(*source));
    }
}

// A quarter turn: each back-buffer column is a run of contiguous pixels in the frame
// buffer (y pitch of one pixel either way), which the blits' quarter-turn kernel writes
// eight or sixteen at a time, converting for RGB555; with the y pitch negative it is given
// the rows bottom first.
template <bool to555>
void asColumns(unsigned char* base, const uint16_t* pixels, unsigned long width, unsigned long height,
               ptrdiff_t xPitch, ptrdiff_t yPitch, const VectorKernels& kernels)
{
    const long stride = static_cast<long>(width);
    const long columnPitch = static_cast<long>(xPitch / 2);
    const auto turn = to555 ? kernels.copyQuarterTurn555 : kernels.copyQuarterTurn;
    uint16_t* lowest = reinterpret_cast<uint16_t*>(yPitch > 0 ? base : base + static_cast<ptrdiff_t>(height - 1) * yPitch);
    if (yPitch > 0)
        turn(lowest, columnPitch, pixels, stride, 1, height, width);
    else
        turn(lowest, columnPitch, pixels + (height - 1) * width, -stride, 1, height, width);
}

// A half turn (x pitch of one pixel backwards): each row is a run written right to left,
// and rows that lie back to back one run; RGB555 runs are converted where they lie.
template <bool to555>
void reversedRows(unsigned char* base, const uint16_t* pixels, unsigned long width, unsigned long height,
                  ptrdiff_t yPitch, const VectorKernels& kernels)
{
    if (yPitch == -2 * static_cast<ptrdiff_t>(width))
        width *= height, height = 1;
    for (unsigned long y = 0; y < height; ++y) {
        uint16_t* run = reinterpret_cast<uint16_t*>(base + static_cast<ptrdiff_t>(y) * yPitch) - (width - 1);
        kernels.copyReversed(run, pixels + y * width, width);
        if (to555)
            kernels.rowTo555(run, run, width);
    }
}

template <bool to555>
void stridedCopy(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
                 long xPitch, long yPitch)
{
    if (width == 0 || height == 0)
        return;
    const VectorKernels& kernels = vectorKernels();
    if (xPitch == 2 && (!to555 || kernels.rowTo555)) {
        // Packed rows are one run.
        if (yPitch == 2 * static_cast<long>(width))
            width *= height, height = 1;
        for (unsigned long y = 0; y < height; ++y) {
            unsigned char* row = base + static_cast<ptrdiff_t>(y) * yPitch;
            const uint16_t* source = pixels + y * width;
            if (to555)
                kernels.rowTo555(reinterpret_cast<uint16_t*>(row), source, width);
            else
                std::memcpy(row, source, width * sizeof(uint16_t));
        }
        return;
    }
    bool aligned = reinterpret_cast<uintptr_t>(base) % 2 == 0 && xPitch % 2 == 0;
    if ((yPitch == 2 || yPitch == -2) && aligned && (to555 ? kernels.copyQuarterTurn555 : kernels.copyQuarterTurn)) {
        asColumns<to555>(base, pixels, width, height, xPitch, yPitch, kernels);
        return;
    }
    if (xPitch == -2 && aligned && yPitch % 2 == 0 && kernels.copyReversed && (!to555 || kernels.rowTo555)) {
        reversedRows<to555>(base, pixels, width, height, yPitch, kernels);
        return;
    }
    plainRows<to555>(base, pixels, width, height, xPitch, yPitch);
}

} // namespace

namespace FlipCopies {

void contiguous(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height, long,
                long)
{
    std::memcpy(base, pixels, width * height * sizeof(uint16_t));
}

void strided(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
             long xPitch, long yPitch)
{
    stridedCopy<false>(base, pixels, width, height, xPitch, yPitch);
}

void strided555(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
                long xPitch, long yPitch)
{
    stridedCopy<true>(base, pixels, width, height, xPitch, yPitch);
}

CopyRoutine choose(uint32_t bitsPerPixel, uint32_t format, uint32_t width, int32_t xPitch, int32_t yPitch)
{
    if (bitsPerPixel != 16)
        return nullptr;
    if (format & 0x80) {
        if (xPitch == 2 && static_cast<int64_t>(yPitch) == 2 * static_cast<int64_t>(width))
            return contiguous;
        return strided;
    }
    if (format & 0x40)
        return strided555;
    return nullptr;
}

} // namespace FlipCopies
