#ifndef PARVOLIN_FLIP_COPIES_H
#define PARVOLIN_FLIP_COPIES_H

#include "display/CopyRoutine.h"

#include <cstddef>
#include <cstdint>

namespace FlipCopies {

// The whole back buffer as one block: a frame buffer of packed RGB565 rows.
void contiguous(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
                long xPitch, long yPitch);
// Any pitches, RGB565. Rows that are contiguous in the frame buffer are copied as blocks;
// the vector kernels (when on) turn blocks of rows into columns where a quarter turn makes
// the frame buffer's rows the back buffer's columns. Every path gives the plain rule's
// bits: each pixel on its own, eight to an inner step.
void strided(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
             long xPitch, long yPitch);
// Any pitches, each pixel converted to RGB555.
void strided555(unsigned char* base, const unsigned short* pixels, unsigned long width, unsigned long height,
                long xPitch, long yPitch);

// The routine for a frame buffer of that kind (format 0x80: RGB565, 0x40: RGB555), or null
// when there is none: not 16 bits per pixel, or neither format.
CopyRoutine choose(uint32_t bitsPerPixel, uint32_t format, uint32_t width, int32_t xPitch, int32_t yPitch);

} // namespace FlipCopies

#endif
